// The File menu's list of recently opened and saved files, kept with QSettings.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "LanguageFile.h"
#include "Toolkit.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTimer>

namespace {
constexpr int MostRecentFiles = 5;
const QString RecentKey = QStringLiteral("recentFiles");
} // namespace

QStringList QL_Core::recentFiles()
{
    recordRecentFiles();
    return QSettings().value(RecentKey).toStringList().mid(0, MostRecentFiles);
}

// The settings are written once the event at hand is done, so that a file opened at start-up
// does not keep the window from showing.
void QL_Core::rememberFile(const QString& path)
{
    m_unrecordedFiles << QFileInfo(path).absoluteFilePath();
    QTimer::singleShot(0, this, [this] { recordRecentFiles(); });
}

void QL_Core::recordRecentFiles()
{
    if (m_unrecordedFiles.isEmpty())
        return;
    QSettings settings;
    QStringList files = settings.value(RecentKey).toStringList();
    for (const QString& full : std::as_const(m_unrecordedFiles)) {
        files.removeAll(full);
        files.prepend(full);
    }
    m_unrecordedFiles.clear();
    settings.setValue(RecentKey, files.mid(0, MostRecentFiles));
}

void QL_Core::fillRecentFiles()
{
    for (QAction* item : std::as_const(m_recentItems))
        delete item;
    m_recentItems.clear();
    const QStringList files = recentFiles();
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
            // Gone or unreadable: refused quietly, as the Open command does, and forgotten.
            QStringList files = recentFiles();
            files.removeAll(path);
            QSettings().setValue(RecentKey, files);
            return;
        }
        openSteps(path, QFileInfo(path).fileName());
    });
}
