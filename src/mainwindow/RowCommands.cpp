// The row commands and search and replace, over the row list.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "ListTexts.h"
#include "QL_Edit.h"
#include "QL_Replace.h"
#include "RowAlgorithms.h"
#include "TextRules.h"
#include "Toolkit.h"

#include <QListWidget>

namespace {

// The row SelectedRow designates, or -1 when it designates none of the list's rows.
int selectedRow(const LanguageDocument& document, const QListWidget& rows)
{
    const int s = int(document.SelectedRow);
    return document.SelectedRow >= 0 && s < rows.count() ? s : -1;
}

} // namespace

void QL_Core::mnu_text_new_Click()
{
    QL_Edit dialog(*this);
    dialog.New_Row();
}

void QL_Core::mnu_text_edit_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.5"), [this] {
        // A row index left over from another form or from deletes designates nothing to edit.
        if (selectedRow(m_document, reach(lst_lang)) < 0)
            return;
        float row = m_document.SelectedRow;
        QL_Edit dialog(*this);
        dialog.Edit_Row(row);
    });
}

void QL_Core::mnu_text_insert_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.6"), [this] {
        QListWidget& rows = reach(lst_lang);
        const int s = selectedRow(m_document, rows);
        if (s < 0)
            return;
        // A form's table has 201 places; the list never grows past them.
        if (rows.count() >= LanguageDocument::RowCount) {
            m_toolkit.messageBox(maximumRowsMessage(), MsgStyle::Critical);
            return;
        }
        if (m_toolkit.messageBox(
                QStringLiteral("Inserting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to insert a new row?"),
                MsgStyle::Question) == MsgResult::No)
            return;
        QStringList texts = listTexts(rows);
        insertNewRow(texts, s);
        {
            setListTexts(rows, texts);
        }
        markChanged();
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
        QListWidget& rows = reach(lst_lang);
        QStringList texts = listTexts(rows);
        deleteRow(texts, int(m_document.SelectedRow)); // throws for a row that is not there
        {
            setListTexts(rows, texts);
            if (selectedRow(m_document, rows) < 0)
                rows.setCurrentRow(-1);
        }
        markChanged();
    });
}

void QL_Core::mnu_text_replace_Click()
{
    QL_Replace dialog(*this);
    dialog.open();
}
