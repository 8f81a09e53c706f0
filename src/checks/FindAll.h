#pragma once

#include "LanguageDocument.h"
#include "WorkingCopy.h"

#include <QList>
#include <QString>

// A text found by a search over every form: a row, a form's name or a setting, of the document
// or of its reference.
struct FoundText {
    enum class Kind { Row, FormName, Setting };
    Kind kind;
    bool inReference;
    int form; // 1 to 24 for rows and names
    int row;  // the row's index the application reads; the setting 0 to 4
    QString text;

    // "Form 3, row 7", "Name of form 3", "Author", with "Reference: " before it in the reference.
    QString where() const;
};

// The document as the window shows it (the form list and the settings boxes of the working copy,
// each row by the reference row it translates), then the reference, if any, as stored.
QList<FoundText> findInAllForms(const LanguageDocument& document, const WorkingCopy& copy,
                                int selectedForm, const LanguageDocument* reference,
                                const QString& needle, Qt::CaseSensitivity sensitivity);
