// The form list and the row list: selecting a form and a row, the pop-up, and the commit that
// carries the working copies into the document.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "ListTexts.h"
#include "QL_Form.h"
#include "Toolkit.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>

void QL_Core::lst_forms_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.0"), [this] {
        m_document.SelectedForm = float(lst_forms->currentRow() + 1);
        m_panels[2]->setText(QStringLiteral("Form: ") +
                             QString::number(int(m_document.SelectedForm)));
        const int form = int(m_document.SelectedForm);
        const bool isForm = form >= 1 && form <= LanguageDocument::FormCount;
        m_copy.rows = isForm ? shownRows(m_document.formText(form)) : QStringList();
        renderRowList(true);
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
        m_document.SelectedRow = float(lst_lang->currentRow());
        m_panels[3]->setText(QStringLiteral("Row: ") +
                             QString::number(int(m_document.SelectedRow)));
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
        if (commitWorkingCopy(m_copy, int(m_document.SelectedForm), m_document) > 0)
            throw std::length_error("the row list holds more rows than the form can store");
    });
}

void QL_Core::lst_forms_DblClick()
{
    QL_Form dialog(m_toolkit);
    dialog.Edit_form(m_copy.formNames, int(m_document.SelectedForm), [this](const QString& name) {
        const int index = int(m_document.SelectedForm) - 1;
        if (index < 0 || index >= m_copy.formNames.size())
            throw std::out_of_range("no such form in the form list");
        m_copy.formNames[index] = name;
        renderFormList(false);
        CommitWorkingCopies();
        setUnsavedChanges(true);
    });
}

void QL_Core::lst_lang_DblClick()
{
    mnu_text_edit_Click();
}

void QL_Core::renderFormList(bool rebuild)
{
    showListTexts(*lst_forms, m_copy.formNames, rebuild);
}

void QL_Core::renderRowList(bool rebuild)
{
    showListTexts(*lst_lang, m_copy.rows, rebuild);
    // The highlight never shows a row that SelectedRow does not designate.
    if (designatedRow() < 0) {
        const QSignalBlocker quiet(lst_lang);
        lst_lang->setCurrentRow(-1);
    }
}

void QL_Core::renderSettings()
{
    QLineEdit* const boxes[] = {txt_app, txt_versie, txt_naam, txt_rev, txt_date};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        QLineEdit& box = *boxes[i];
        const QSignalBlocker quiet(box);
        box.setText(m_copy.settings[i]);
    }
}

int QL_Core::designatedRow() const
{
    const int s = int(m_document.SelectedRow);
    return m_document.SelectedRow >= 0 && s < m_copy.rows.size() ? s : -1;
}
