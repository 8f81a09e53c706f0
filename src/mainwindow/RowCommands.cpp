// The row commands and search and replace, over the row list.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "QL_Edit.h"
#include "QL_Replace.h"
#include "RowAlgorithms.h"
#include "TextRules.h"
#include "Toolkit.h"

void QL_Core::rowsEdited()
{
    renderRowList(false);
    setUnsavedChanges(true);
}

void QL_Core::mnu_text_new_Click()
{
    QL_Edit dialog(m_toolkit);
    dialog.New_Row(int(m_copy.rows.size()), [this](const QString& text) {
        const EditState before = currentState();
        m_copy.rows.append(text);
        rowsEdited();
        CommitWorkingCopies();
        recordStep(QStringLiteral("New text"), before);
    });
}

void QL_Core::mnu_text_edit_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.5"), [this] {
        // A row index left over from another form or from deletes designates nothing to edit.
        const int row = designatedRow();
        if (row < 0)
            return;
        QL_Edit dialog(m_toolkit);
        dialog.Edit_Row(m_copy.rows.at(row), int(m_copy.rows.size()),
                        [this, row](const QString& text) {
                            if (row >= m_copy.rows.size())
                                throw std::out_of_range("the edited row left the list");
                            const EditState before = currentState();
                            m_copy.rows[row] = text;
                            rowsEdited();
                            CommitWorkingCopies();
                            recordStep(QStringLiteral("Edit text"), before);
                        });
    });
}

void QL_Core::mnu_text_insert_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.6"), [this] {
        const int s = designatedRow();
        if (s < 0)
            return;
        // A form's table has 201 places; the list never grows past them.
        if (m_copy.rows.size() >= LanguageDocument::RowCount) {
            m_toolkit.messageBox(maximumRowsMessage(), MsgStyle::Critical);
            return;
        }
        if (m_toolkit.messageBox(
                QStringLiteral("Inserting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to insert a new row?"),
                MsgStyle::Question) == MsgResult::No)
            return;
        const EditState before = currentState();
        insertNewRow(m_copy.rows, s);
        rowsEdited();
        recordStep(QStringLiteral("Insert text"), before);
    });
}

void QL_Core::mnu_text_delete_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.4"), [this] {
        if (m_toolkit.messageBox(
                QStringLiteral("Deleting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to delete this row?"),
                MsgStyle::Question) == MsgResult::No)
            return;
        const EditState before = currentState();
        deleteRow(m_copy.rows, int(m_document.SelectedRow)); // throws for a row that is not there
        rowsEdited();
        recordStep(QStringLiteral("Delete text"), before);
    });
}

void QL_Core::mnu_text_replace_Click()
{
    QL_Replace dialog(m_toolkit);
    // Each Replace is one step, from the rows as the previous one left them.
    EditState before = currentState();
    dialog.open(m_copy.rows, [this, &before](int changed) {
        renderRowList(false);
        if (changed > 0) {
            setUnsavedChanges(true);
            recordStep(QStringLiteral("Replace"), before);
        }
        before = currentState();
    });
}
