#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One problem `check` found, where it is and what it is.
struct ReportedProblem {
    QString file;    // the path as it was given
    QString place;   // the entry's label ("Form3_lng_(12)"), or "-" for the file as a whole
    QString check;   // the check's name ("placeholders"), or "file" for the file's layout
    QString message; // what is wrong
};

// How `check --format` writes what it found.
enum class ReportFormat {
    Text,  // FILE: LABEL: CHECK: MESSAGE, a line each
    Json,  // one object: the files checked and their problems
    JUnit, // a test suite per file and a test case per check, failed where it found problems
    Sarif, // SARIF 2.1.0: a result per problem, with a rule per check
};

// The format a name stands for: text, json, junit or sarif.
std::optional<ReportFormat> reportFormatNamed(const QString& name);

// The problems of the files checked (every file, those without problems too), in the format;
// `checks` are the names of the checks that ran, each a test case or a rule even where it found
// nothing.
QByteArray problemReport(ReportFormat format, const QStringList& files, const QStringList& checks,
                         const QList<ReportedProblem>& problems);
