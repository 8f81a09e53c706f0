#include "SafeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Root may write any file, so the permission bits are looked at as well as the access check.
bool isReadOnly(const QFileInfo& info)
{
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

// A write past a file-size limit raises SIGXFSZ, which ends the process by default. Ignored, the
// write fails with EFBIG instead, and the caller reports it like any other failed write.
void ignoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
    });
}

// The file a path writes to: a symbolic link stays a link, and the file it points to is replaced.
QString writtenPath(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.symLinkTarget() : resolved;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written == -1) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Makes a completed rename survive a power cut. Not every file system can sync a folder, and
// the file itself is on disk already, so a failure here is no failure of the save.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == -1)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A new file beside the target, with a name no other file has; -1 and errno on failure. The
// name is short, so that a target whose name is near the system's limit can still be saved.
int createBeside(const QByteArray& target, mode_t mode, QByteArray& name)
{
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1); // "" for none
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".lexicant-" +
               QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".part";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd != -1 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

namespace {

// A file written beside its target, complete and on disk, waiting to be renamed into place.
struct Part {
    QByteArray target, name, folder;
};

// Writes the bytes beside the file the path names; on failure returns the reason and leaves
// nothing beside it.
QString writePart(const QString& path, const QByteArray& bytes, Part& part)
{
    if (path.isEmpty())
        return QCoreApplication::translate("SafeFile", "no file name");
    const QString targetPath = writtenPath(path);
    const QFileInfo target(targetPath);
    if (target.isDir())
        return QCoreApplication::translate("SafeFile", "is a folder");
    if (target.exists() && isReadOnly(target))
        return QCoreApplication::translate("SafeFile", "is read-only");
    ignoreFileSizeSignal();

    part.target = QFile::encodeName(targetPath);
    part.folder = QFile::encodeName(target.absolutePath());
    struct stat existing {};
    const bool replaces = ::stat(part.target.constData(), &existing) == 0;
    // A new file gets the usual permissions less the umask; a replaced one keeps its own.
    const int fd = createBeside(part.target, replaces ? 0600 : 0666, part.name);
    if (fd == -1)
        return systemReason(errno);
    if (replaces) {
        ::fchmod(fd, existing.st_mode & 07777);
        [[maybe_unused]] const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
    }
    int error = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(part.name.constData());
        return systemReason(error);
    }
    return {};
}

} // namespace

QString replaceFileContents(const QString& path, const QByteArray& bytes)
{
    return replaceFilesContents({{path, bytes}}).second;
}

std::pair<QString, QString> replaceFilesContents(const QList<std::pair<QString, QByteArray>>& files)
{
    // Every file written in full first: what fails most (a full disk, a limit, a read-only
    // folder) fails before any file is replaced.
    std::vector<Part> parts(std::size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString problem =
            writePart(files.at(i).first, files.at(i).second, parts[std::size_t(i)]);
        if (problem.isEmpty())
            continue;
        for (qsizetype j = 0; j < i; ++j)
            ::unlink(parts[std::size_t(j)].name.constData());
        return {files.at(i).first, problem};
    }
    // Then each put in place: a rename in the folder a file was just written in fails only when
    // another program changes that folder at the same moment.
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (::rename(parts[i].name.constData(), parts[i].target.constData()) != 0) {
            const int error = errno;
            for (std::size_t j = i; j < parts.size(); ++j)
                ::unlink(parts[j].name.constData());
            return {files.at(qsizetype(i)).first, systemReason(error)};
        }
        syncFolder(parts[i].folder);
    }
    return {};
}

QString moveAside(const QString& path, QString& aside)
{
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1;; ++n) {
        aside =
            path + QStringLiteral(".damaged") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        const QByteArray to = QFile::encodeName(aside);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) ==
            0)
            return {};
        int error = errno;
        if (error == EINVAL) // a file system without the flag
            error = QFileInfo::exists(aside)                          ? EEXIST
                    : ::rename(from.constData(), to.constData()) == 0 ? 0
                                                                      : errno;
        if (error == 0)
            return {};
        if (error != EEXIST)
            return systemReason(error);
    }
}

namespace {

QString tooLarge(qint64 size, qint64 limit)
{
    const auto shown = [](qint64 n) {
        return QLocale::c().formattedDataSize(n, 0, QLocale::DataSizeSIFormat);
    };
    return QStringLiteral("is %1, more than the %2 allowed").arg(shown(size), shown(limit));
}

QString sizeProblem(const struct stat& info, qint64 limit)
{
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("is not a regular file");
    return info.st_size > limit ? tooLarge(info.st_size, limit) : QString();
}

} // namespace

QString regularFileProblem(const QString& path, qint64 limit)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return systemReason(errno);
    return sizeProblem(info, limit);
}

QString readRegularFile(const QString& path, qint64 limit, QByteArray& bytes)
{
    bytes.clear();
    // Non-blocking, so that opening a FIFO returns at once; fstat then refuses it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1)
        return systemReason(errno);
    struct stat info {};
    QString problem = ::fstat(fd, &info) == 0 ? sizeProblem(info, limit) : systemReason(errno);
    while (problem.isEmpty()) {
        char buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer); // a regular file: never interrupted
        if (n < 0)
            problem = systemReason(errno);
        else if (n == 0)
            break;
        else if (bytes.size() + n > limit) // it grew while read
            problem = tooLarge(bytes.size() + n, limit);
        else
            bytes.append(buffer, n);
    }
    ::close(fd);
    if (!problem.isEmpty())
        bytes.clear();
    return problem;
}
