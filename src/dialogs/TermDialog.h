#pragma once

#include "Glossary.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;

// A term for the glossary: its source and translation (or none: a name not translated), a note
// and a part of speech. OK waits for a source and, unless the term is not translated, its
// translation.
class TermDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from the texts given: the reference's, the editor's selection.
    TermDialog(const QString& source, const QString& target, QWidget* parent = nullptr);

    GlossaryTerm term() const;

private:
    void fitButtons();

    QLineEdit* m_source;
    QLineEdit* m_target;
    QCheckBox* m_keep;
    QLineEdit* m_note;
    QComboBox* m_part;
    QDialogButtonBox* m_buttons;
};
