// The form list and the row list: selecting a form and a row, the pop-up, renaming a form, and
// the commit that carries the working copies into the document.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "QL_Form.h"
#include "Toolkit.h"
#include "WorkbenchModel.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>

void QL_Core::lst_forms_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.0"), [this] {
        const int form = lst_forms->currentRow() + 1;
        m_panels[2]->setText(tr("Form: ") + QString::number(form));
        // Rows inserted, deleted or replaced since the last commit are dropped now; that is a
        // step the user can take back.
        m_session->selectForm(form);
        if (m_workbench->current().form != form)
            m_workbench->setCurrent({form, -1});
        RefreshCommandState();
    });
}

void QL_Core::selectForm(int form)
{
    if (form < 1 || form > lst_forms->count())
        return;
    lst_forms->setCurrentRow(form - 1);
    lst_forms_Click();
}

void QL_Core::lst_lang_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.1"), [this] {
        const int row = lst_lang->currentRow();
        m_panels[3]->setText(tr("Row: ") + QString::number(row));
        m_session->selectRow(row);
        noteViewMarks();
        RefreshCommandState();
    });
}

void QL_Core::lst_lang_MouseDown(Qt::MouseButton button)
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.2"), [this, button] {
        RefreshCommandState();
        if (button == Qt::RightButton)
            m_toolkit.showPopupMenu(*mnu_edit);
    });
}

void QL_Core::CommitWorkingCopies()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #F1.1"), [this] {
        // Rows beyond the 201 a form can store have no place in the table: say so rather than
        // drop them unseen.
        if (m_session->commit() > 0)
            throw std::length_error("the row list holds more rows than the form can store");
    });
}

void QL_Core::lst_forms_DblClick()
{
    QL_Form dialog(m_toolkit);
    const int form = m_session->selectedForm();
    dialog.Edit_form(workingCopy().formNames, form,
                     [this, form](const QString& name) { m_session->renameForm(form, name); });
}

void QL_Core::lst_lang_DblClick()
{
    mnu_text_edit_Click();
}
