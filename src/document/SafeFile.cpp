#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Root may write any file, so the permission bits are looked at as well as the access check.
bool isReadOnly(const QFileInfo& info)
{
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

} // namespace

QString replaceFileContents(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return QStringLiteral("no file name");
    const QFileInfo target(path);
    if (target.isDir())
        return QStringLiteral("is a folder");
    if (target.exists() && isReadOnly(target))
        return QStringLiteral("is read-only");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString().isEmpty() ? QStringLiteral("could not be written")
                                            : file.errorString();
    return {};
}
