#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// One translatable entry of a gettext PO file.
struct PoEntry {
    QString context;        // msgctxt
    QString source;         // msgid
    QString translation;    // msgstr
    QString comment;        // the extracted comment ("#." lines)
    QString note;           // the translator comment ("# " lines)
    QString previousSource; // the msgid it was translated from, when that changed ("#| msgid")
    bool fuzzy = false;
};

// Why gettext refuses the pair as a translation, or an empty string when it accepts it: a
// translation must begin with a line break exactly when its source does, and end with one
// exactly when its source does. An empty translation is no translation, and always accepted.
QString gettextRuleBroken(const QString& source, const QString& translation);

// Header fields, in order, such as {"Language", "nl"}.
using PoHeader = QList<std::pair<QString, QString>>;

// Writes a UTF-8 PO file with GNU gettext's own library. Returns an empty string on success,
// else what went wrong.
QString writePoFile(const QString& path, const PoHeader& header, const QList<PoEntry>& entries);

// Reads the entries of a PO file (the header and obsolete entries left out). On failure returns
// nothing and says why in error.
std::optional<QList<PoEntry>> readPoFile(const QString& path, QString& error);
