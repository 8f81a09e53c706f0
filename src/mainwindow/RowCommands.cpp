// The row commands and search and replace, over the row list.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "QL_Edit.h"
#include "QL_Replace.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"
#include "TextRules.h"
#include "Toolkit.h"

void QL_Core::showReferenceIn(QL_Edit& dialog, int row)
{
    const int form = m_session->selectedForm();
    if (m_reference->isOpen() && form >= 1 && form <= LanguageDocument::FormCount &&
        row < LanguageDocument::RowCount)
        dialog.showReference(m_reference->reference()->formText(form).at(row));
    if (m_spelling->speller())
        dialog.checkSpelling(m_spelling->speller(),
                             [this](const QString& word) { addToDictionary(word); });
}

void QL_Core::mnu_text_new_Click()
{
    QL_Edit dialog(m_toolkit);
    showReferenceIn(dialog, int(workingCopy().rows.size())); // a new row goes after the last
    dialog.New_Row(int(workingCopy().rows.size()), [this](const QString& text) {
        keepRowsInPlace();
        m_session->appendRow(text);
    });
}

void QL_Core::mnu_text_edit_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.5"), [this] {
        // A row index left over from another form or from deletes designates nothing to edit.
        const int row = m_session->designatedRow();
        if (row < 0)
            return;
        QL_Edit dialog(m_toolkit);
        showReferenceIn(dialog, m_session->rowOf(row));
        dialog.Edit_Row(workingCopy().rows.at(row), int(workingCopy().rows.size()),
                        [this, row](const QString& text) {
                            // Filling empty rows first puts each row at its own index.
                            const int stored = m_session->rowOf(row);
                            keepRowsInPlace();
                            m_session->replaceRow(m_session->itemOf(stored), text);
                        });
    });
}

void QL_Core::mnu_text_insert_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.6"), [this] {
        const int s = m_session->designatedRow();
        if (s < 0)
            return;
        // A form's table has 201 places; the list never grows past them.
        if (workingCopy().rows.size() >= LanguageDocument::RowCount) {
            m_toolkit.messageBox(maximumRowsMessage(), MsgStyle::Critical);
            return;
        }
        if (m_toolkit.messageBox(
                tr("Inserting a row will affect the layout of the language file.\r\n"
                   "Are you sure that you want to insert a new row?"),
                MsgStyle::Question) == MsgResult::No)
            return;
        m_session->insertRow(s);
    });
}

void QL_Core::mnu_text_delete_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.4"), [this] {
        if (m_toolkit.messageBox(
                tr("Deleting a row will affect the layout of the language file.\r\n"
                   "Are you sure that you want to delete this row?"),
                MsgStyle::Question) == MsgResult::No)
            return;
        m_session->deleteRow(m_session->selectedRow()); // throws for a row that is not there
    });
}

void QL_Core::mnu_text_replace_Click()
{
    QL_Replace dialog(m_toolkit);
    // Each Replace is one step.
    dialog.open([this] { return !workingCopy().rows.isEmpty(); },
                [this](const QString& search, const QString& replacement) {
                    return m_session->replaceInRows(search, replacement);
                });
}
