#include "RecentFiles.h"

#include <QFileInfo>
#include <QSettings>
#include <QTimer>

namespace {

const QString RecentKey = QStringLiteral("recentFiles");

QStringList withNewest(QStringList files, const QStringList& newest)
{
    for (const QString& full : newest) {
        files.removeAll(full);
        files.prepend(full);
    }
    return files.mid(0, RecentFiles::Most);
}

} // namespace

RecentFiles::RecentFiles(QObject* parent)
    : QObject(parent)
{
}

RecentFiles::~RecentFiles()
{
    flush();
}

QStringList RecentFiles::files() const
{
    return withNewest(QSettings().value(RecentKey).toStringList(), m_unwritten);
}

void RecentFiles::add(const QString& path)
{
    m_unwritten << QFileInfo(path).absoluteFilePath();
    QTimer::singleShot(0, this, &RecentFiles::flush);
}

void RecentFiles::remove(const QString& path)
{
    flush();
    QStringList files = QSettings().value(RecentKey).toStringList();
    files.removeAll(path);
    QSettings().setValue(RecentKey, files);
}

void RecentFiles::flush()
{
    if (m_unwritten.isEmpty())
        return;
    QSettings settings;
    settings.setValue(RecentKey, withNewest(settings.value(RecentKey).toStringList(), m_unwritten));
    m_unwritten.clear();
}
