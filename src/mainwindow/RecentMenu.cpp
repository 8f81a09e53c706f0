// The File menu's entries for the recently opened and saved files.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "LanguageFile.h"
#include "RecentFiles.h"
#include "Toolkit.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

void QL_Core::fillRecentFiles()
{
    for (QAction* item : std::as_const(m_recentItems))
        delete item;
    m_recentItems.clear();
    const QStringList files = m_recent->files();
    QMenu& file = *mnu_file;
    for (qsizetype i = 0; i < files.size(); ++i) {
        auto* item = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files.at(i)).fileName()), &file);
        item->setObjectName(QStringLiteral("mnu_recent_%1").arg(i + 1));
        item->setToolTip(files.at(i));
        item->setStatusTip(files.at(i));
        const QString path = files.at(i);
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
        file.insertAction(m_recentBar, item);
        m_recentItems << item;
    }
    m_recentBar->setVisible(!files.isEmpty());
}

void QL_Core::openRecentFile(const QString& path)
{
    runSilently([&] {
        if (!mayDiscardChanges(openQuestion()))
            return;
        if (!CanOpenFile(path)) {
            // Gone or unreadable: said, and forgotten.
            m_toolkit.messageBox(
                tr("The file %1 cannot be found or opened.\r\nIt is removed from the "
                   "list of recent files.")
                    .arg(path),
                MsgStyle::Exclamation);
            m_recent->remove(path);
            return;
        }
        openSteps(path, QFileInfo(path).fileName());
    });
}
