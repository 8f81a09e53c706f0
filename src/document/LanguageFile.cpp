#include "LanguageFile.h"

#include "SafeFile.h"
#include "Toolkit.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>

#include <sys/stat.h>

namespace {

// Regular files and devices that do not block on open (such as /dev/zero) can be read;
// folders, pipes and sockets cannot.
bool isReadableKind(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode) || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode);
}

// Reads up to the limit. A device without a size (such as /dev/urandom) is read in chunks,
// so that nothing is allocated for bytes that never come.
QByteArray readAtMost(QFile& file, qsizetype limit)
{
    if (!file.isSequential() && file.size() > 0)
        return file.read(std::min<qint64>(file.size(), limit));
    QByteArray bytes;
    constexpr qsizetype Chunk = 64 * 1024;
    while (bytes.size() < limit) {
        const QByteArray chunk = file.read(std::min(Chunk, limit - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

} // namespace

QString loadErrorText()
{
    return QCoreApplication::translate(
        "LanguageFile", "Error during loading!\r\nThe language file could not be opened");
}

QString loadErrorTitle()
{
    return QCoreApplication::translate("LanguageFile", "Error during loading #03");
}

QString saveErrorText()
{
    return QCoreApplication::translate("LanguageFile",
                                       "An error occured while saving the languagefile");
}

bool CanOpenFile(const QString& path)
{
    if (path.isEmpty() || !isReadableKind(path))
        return false;
    QFile file(path); // closed as it goes
    return file.open(QIODevice::ReadOnly);
}

ReadResult readLanguageFile(const QString& path)
{
    ReadResult result;
    if (!CanOpenFile(path)) {
        struct stat info;
        QFile file(path);
        if (path.isEmpty())
            result.reason = QCoreApplication::translate("LanguageFile", "no file name");
        else if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            result.reason = QString::fromLocal8Bit(std::strerror(errno));
        else if (S_ISDIR(info.st_mode))
            result.reason = QCoreApplication::translate("LanguageFile", "is a folder");
        else if (!isReadableKind(path))
            result.reason = QCoreApplication::translate("LanguageFile", "is not a regular file");
        else if (!file.open(QIODevice::ReadOnly))
            result.reason = file.errorString();
        else
            result.reason =
                QCoreApplication::translate("LanguageFile", "cannot be opened for reading");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::ReadFailed;
        result.reason = file.errorString();
        return result;
    }
    const QByteArray bytes = readAtMost(file, lsf::MaxUsefulFileBytes);
    file.close();

    result.parsed = lsf::parseFile(bytes);
    switch (result.parsed.status) {
    case lsf::ParseStatus::Ok:
        result.status = ReadStatus::Ok;
        break;
    case lsf::ParseStatus::NoCount:
        result.status = ReadStatus::NotALanguageFile;
        result.reason = QCoreApplication::translate(
            "LanguageFile", "is not a language file: it is shorter than a record count");
        break;
    case lsf::ParseStatus::NoRecord:
        result.status = ReadStatus::NotALanguageFile;
        result.reason = QCoreApplication::translate(
                            "LanguageFile", "is not a language file: its record count is %1")
                            .arg(result.parsed.recordCount);
        break;
    case lsf::ParseStatus::Truncated:
        result.status = ReadStatus::NotALanguageFile;
        result.reason = QCoreApplication::translate(
            "LanguageFile", "is not a language file: it ends inside its first record");
        break;
    }
    return result;
}

bool LoadLanguageFile(LanguageDocument& document, const QString& path, Toolkit& toolkit)
{
    // readLanguageFile starts with CanOpenFile: a path that cannot be opened ends quietly.
    const ReadResult read = readLanguageFile(path);
    if (read.status == ReadStatus::CannotOpen)
        return false;
    if (read.status != ReadStatus::Ok) {
        toolkit.messageBox(loadErrorText(), MsgStyle::Critical, loadErrorTitle());
        return false;
    }
    lsf::applyFields(read.parsed, document);
    return true;
}

WriteResult writeLanguageFile(const LanguageDocument& document, const QString& path,
                              const QList<std::pair<QString, QByteArray>>& beside)
{
    WriteResult result;
    lsf::PackedFile packed = lsf::packFile(document);
    if (packed.refusal) {
        result.status = WriteStatus::Refused;
        result.refusal = packed.refusal;
        return result;
    }
    std::tie(result.failedPath, result.reason) =
        replaceFilesContents(QList<std::pair<QString, QByteArray>>{{path, packed.bytes}} + beside);
    if (!result.reason.isEmpty())
        return result;
    result.status = WriteStatus::Ok;
    return result;
}

bool SaveLanguageFile(const LanguageDocument& document, const QString& path, Toolkit& toolkit,
                      const QList<std::pair<QString, QByteArray>>& beside)
{
    const WriteResult written = writeLanguageFile(document, path, beside);
    switch (written.status) {
    case WriteStatus::Ok:
        return true;
    case WriteStatus::Refused:
        toolkit.messageBox(written.refusal->message(), MsgStyle::Critical);
        return false;
    case WriteStatus::Failed:
        break;
    }
    toolkit.messageBox(saveErrorText(), MsgStyle::Critical);
    return false;
}
