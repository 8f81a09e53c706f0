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
#include <QUndoStack>

void QL_Core::lst_forms_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.0"), [this] {
        // Rows inserted, deleted or replaced since the last commit are dropped now; that is a
        // step the user can take back.
        const EditState before = currentState();
        const int previous = int(m_document.SelectedForm);
        const bool wasForm = previous >= 1 && previous <= LanguageDocument::FormCount;
        const bool dropping =
            m_copy.rows != (wasForm ? shownRows(m_document.formText(previous)) : QStringList());
        ++m_typingRun;
        m_document.SelectedForm = float(lst_forms->currentRow() + 1);
        m_panels[2]->setText(QStringLiteral("Form: ") +
                             QString::number(int(m_document.SelectedForm)));
        const int form = int(m_document.SelectedForm);
        const bool isForm = form >= 1 && form <= LanguageDocument::FormCount;
        m_copy.rows = isForm ? shownRows(m_document.formText(form)) : QStringList();
        renderRowList(true);
        RefreshCommandState();
        if (dropping)
            recordStep(QStringLiteral("Select form"), before);
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
        const EditState before = currentState();
        m_copy.formNames[index] = name;
        renderFormList(false);
        CommitWorkingCopies();
        setUnsavedChanges(true);
        recordStep(QStringLiteral("Edit form"), before);
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

EditState QL_Core::currentState() const
{
    return {m_document,
            m_copy,
            lst_forms->currentRow(),
            lst_lang->currentRow(),
            m_panels[2]->text(),
            m_panels[3]->text()};
}

void QL_Core::showState(const EditState& state)
{
    const float unsaved = m_document.UnsavedChanges;
    m_document = state.document;
    m_document.UnsavedChanges = unsaved;
    m_copy = state.copy;
    renderFormList(true);
    renderRowList(true);
    renderSettings();
    const QSignalBlocker quietForms(lst_forms);
    const QSignalBlocker quietRows(lst_lang);
    lst_forms->setCurrentRow(state.formHighlight);
    lst_lang->setCurrentRow(state.rowHighlight);
    m_panels[2]->setText(state.formStatus);
    m_panels[3]->setText(state.rowStatus);
    ++m_typingRun;
    RefreshCommandState();
}

void QL_Core::recordStep(const QString& name, const EditState& before, int mergeId)
{
    EditState after = currentState();
    if (after == before)
        return;
    if (mergeId == -1)
        ++m_typingRun;
    m_history->push(new EditStep(
        name, before, std::move(after), [this](const EditState& state) { showState(state); },
        mergeId));
}

int QL_Core::typingMergeId(FileSetting setting) const
{
    return (m_typingRun % 100000) * 8 + int(setting);
}

int QL_Core::designatedRow() const
{
    const int s = int(m_document.SelectedRow);
    return m_document.SelectedRow >= 0 && s < m_copy.rows.size() ? s : -1;
}
