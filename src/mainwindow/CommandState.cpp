// Which commands are enabled, the toolbar's buttons and tooltips.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "Toolkit.h"

#include <QAction>

void QL_Core::RefreshCommandState()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #F1.0"), [this] {
        if (document().UnsavedChanges == 1.0f) {
            m_buttons[4]->setEnabled(true);
            mnu_save->setEnabled(true);
        }
        if (document().UnsavedChanges == 0.0f) {
            m_buttons[4]->setEnabled(false);
            mnu_save->setEnabled(false);
        }
        // New text is never disabled: it is how an empty form gets its first row. The toolbar's
        // New text is disabled with an empty list although the menu item, which runs the same
        // command, stays enabled.
        const bool rows = !workingCopy().rows.isEmpty();
        for (QAction* item : {mnu_text_edit, mnu_text_insert, mnu_text_delete, mnu_text_replace})
            item->setEnabled(rows);
        for (int button : {6, 7, 8, 9})
            m_buttons[std::size_t(button)]->setEnabled(rows);
    });
}

void QL_Core::SetToolbarTips()
{
    const std::pair<int, const char*> tips[] = {
        {2, QT_TR_NOOP("Start a new file")},
        {3, QT_TR_NOOP("Open an exisiting file")},
        {4, QT_TR_NOOP("Save this file")},
        {6, QT_TR_NOOP("Add a new row to the form")},
        {7, QT_TR_NOOP("Delete the selected row")},
        {8, QT_TR_NOOP("Edit the selected row")},
        {9, QT_TR_NOOP("Search and replace in the selected form")},
    };
    for (const auto& [button, tip] : tips)
        m_buttons[std::size_t(button)]->setToolTip(tr(tip));
}

void QL_Core::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case 2:
        mnu_new_Click();
        break;
    case 3:
        mnu_open_Click();
        break;
    case 4:
        mnu_save_Click();
        break;
    case 6:
        mnu_text_new_Click();
        break;
    case 7:
        mnu_text_delete_Click();
        break;
    case 8:
        mnu_text_edit_Click();
        break;
    case 9:
        mnu_text_replace_Click();
        break;
    default:
        break; // buttons 1 and 5 carry no command
    }
}
