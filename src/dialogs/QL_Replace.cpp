#include "QL_Replace.h"

#include "ErrorTrap.h"
#include "TextRules.h"
#include "Toolkit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

QL_Replace::QL_Replace(Toolkit& toolkit)
    : EditingDialog(toolkit, "QL_Replace", tr("Search and replace"),
                    tr("This search and replace function is case sensitive and will "
                       "only search and replace words in the form that is currently "
                       "loaded in the right list. "))
{
    txt_zoek = addBoxInFrame("Frame_3", tr("Search for:"), 960, "txt_zoek", 0);
    Frame_3 = qobject_cast<QGroupBox*>(txt_zoek->parentWidget());
    txt_vervang = addBoxInFrame("Frame1", tr("Replace with:"), 1800, "txt_vervang", 0);
    Frame1 = qobject_cast<QGroupBox*>(txt_vervang->parentWidget());
    cmd_replace = addButtons("cmd_replace", tr("Replace"), 2640);
    connect(cmd_replace, &QPushButton::clicked, this, &QL_Replace::cmd_replace_Click);
}

void QL_Replace::open(const HasRows& hasRows, const Replace& replace)
{
    m_hasRows = hasRows;
    m_replace = replace;
    txt_zoek->clear();
    txt_vervang->clear();
    txt_zoek->setFocus();
    m_toolkit.showModal(*this);
}

void QL_Replace::cmd_replace_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #16.0"), [this] {
        const QString search = txt_zoek->text();
        const QString replacement = txt_vervang->text();
        if (search.isEmpty() || replacement.isEmpty() || !m_hasRows())
            return;
        const TextRule failed = checkName(replacement);
        if (failed != TextRule::Passed) {
            m_toolkit.messageBox(ruleMessage(failed), MsgStyle::Critical);
            return;
        }
        const int changed = m_replace(search, replacement);
        m_toolkit.messageBox(tr("%n rows are changed.", nullptr, changed), MsgStyle::Information);
    });
}
