#include "QL_Replace.h"

#include "EditingHost.h"
#include "ErrorTrap.h"
#include "LanguageDocument.h"
#include "RowAlgorithms.h"
#include "TextRules.h"
#include "Toolkit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

QL_Replace::QL_Replace(EditingHost& host)
    : EditingDialog(host, "QL_Replace", QStringLiteral("Search and replace"),
                    QStringLiteral("This search and replace function is case sensitive and will "
                                   "only search and replace words in the form that is currently "
                                   "loaded in the right list. "))
{
    txt_zoek = addBoxInFrame("Frame_3", QStringLiteral("Search for:"), 960, "txt_zoek", 0);
    Frame_3 = qobject_cast<QGroupBox*>(txt_zoek->parentWidget());
    txt_vervang = addBoxInFrame("Frame1", QStringLiteral("Replace with:"), 1800, "txt_vervang", 0);
    Frame1 = qobject_cast<QGroupBox*>(txt_vervang->parentWidget());
    cmd_replace = addButtons("cmd_replace", QStringLiteral("Replace"), 2640);
    connect(cmd_replace, &QPushButton::clicked, this, &QL_Replace::cmd_replace_Click);
}

void QL_Replace::open()
{
    txt_zoek->clear();
    txt_vervang->clear();
    txt_zoek->setFocus();
    m_host.toolkit().showModal(*this);
}

void QL_Replace::cmd_replace_Click()
{
    runTrapped(m_host.toolkit(), QStringLiteral("ERROR CODE #16.0"), [this] {
        const QString search = txt_zoek->text();
        const QString replacement = txt_vervang->text();
        QListWidget& rows = m_host.rowList();
        if (search.isEmpty() || replacement.isEmpty() || rows.count() == 0)
            return;
        const TextRule failed = checkName(replacement);
        if (failed != TextRule::Passed) {
            m_host.toolkit().messageBox(ruleMessage(failed), MsgStyle::Critical);
            return;
        }
        int changed = 0;
        const int n = rows.count();
        for (int i = 0; i < n; ++i) {
            QListWidgetItem* item = rows.item(i);
            if (!item)
                throw std::out_of_range("a row left the list during the replacement");
            QString row = item->text();
            if (!replaceAll(row, search, replacement))
                continue;
            item->setText(row);
            ++changed;
        }
        if (changed > 0) {
            m_host.document().UnsavedChanges = 1;
            m_host.RefreshCommandState();
        }
        m_host.toolkit().messageBox(QString::number(changed) + QStringLiteral(" rows are changed."),
                                    MsgStyle::Information);
    });
}
