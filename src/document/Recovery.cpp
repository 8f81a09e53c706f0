#include "Recovery.h"

#include "DocumentJson.h"
#include "SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {

const QString Format = QStringLiteral("lexicant-recovery");
const QString CopySuffix = QStringLiteral(".json");
const QString LockSuffix = QStringLiteral(".lock");
const QString HeldByAWindow = QStringLiteral("another window holds it");

// Whether the lock that could not be taken belongs to a live process. A lock written on another
// machine, or one that cannot be read, is taken as held: nothing here can tell.
bool heldByRunningWindow(const QLockFile& lock, const QString& file)
{
    qint64 pid = 0;
    QString host;
    if (!lock.getLockInfo(&pid, &host, nullptr))
        return QFile::exists(file);
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    return pid <= 0 || ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Why no file can be made in the folder, in the system's words; empty when one can.
QString folderRefusal(const QString& folder)
{
    QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.probe-XXXXXX"));
    const int fd = ::mkstemp(probe.data());
    if (fd == -1)
        return systemReason(errno);
    ::close(fd);
    ::unlink(probe.constData());
    return QString();
}

} // namespace

QByteArray recoveryBytes(const RecoveryCopy& copy)
{
    QJsonObject object;
    object.insert(QStringLiteral("format"), Format);
    object.insert(QStringLiteral("formatVersion"), 1);
    object.insert(QStringLiteral("path"), copy.path);
    object.insert(QStringLiteral("selectedForm"), copy.selectedForm);
    object.insert(QStringLiteral("written"), copy.written.toUTC().toString(Qt::ISODate));
    object.insert(QStringLiteral("document"),
                  QJsonDocument::fromJson(documentToJson(copy.document)).object());
    if (!copy.review.rows.isEmpty())
        object.insert(QStringLiteral("review"),
                      QJsonDocument::fromJson(reviewBytes(copy.review)).object());
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString readRecoveryBytes(const QByteArray& bytes, RecoveryCopy& copy)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (json.isNull())
        return QCoreApplication::translate("Recovery", "not valid JSON: ") + error.errorString();
    const QJsonObject object = json.object();
    if (object.value(QStringLiteral("format")).toString() != Format ||
        object.value(QStringLiteral("formatVersion")).toInt() != 1)
        return QCoreApplication::translate("Recovery", "not a recovery copy of this version");
    const int form = object.value(QStringLiteral("selectedForm")).toInt(-1);
    if (form < 0 || form > LanguageDocument::FormCount)
        return QCoreApplication::translate("Recovery", "its selected form is not 0 to 24");
    const QJsonValue document = object.value(QStringLiteral("document"));
    if (!document.isObject())
        return QCoreApplication::translate("Recovery", "it holds no document");
    LanguageDocument read;
    const QString problem = documentFromJson(QJsonDocument(document.toObject()).toJson(), read);
    if (!problem.isEmpty())
        return problem;
    ReviewReading review;
    if (const QJsonValue kept = object.value(QStringLiteral("review")); kept.isObject())
        review = readReview(QJsonDocument(kept.toObject()).toJson());
    if (!review.problem.isEmpty())
        return review.problem;
    copy.document = read;
    copy.review = review.review;
    copy.path = object.value(QStringLiteral("path")).toString();
    copy.selectedForm = form;
    copy.written =
        QDateTime::fromString(object.value(QStringLiteral("written")).toString(), Qt::ISODate);
    return QString();
}

QString RecoverySlot::standardFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

RecoverySlot::RecoverySlot(QString folder)
    : m_folder(std::move(folder))
{
}

RecoverySlot::~RecoverySlot() = default;

// Takes the lock of the copy of that name. Returns an empty string, else why it cannot.
QString RecoverySlot::claim(const QString& name)
{
    const QString file = m_folder + u'/' + name + LockSuffix;
    auto lock = std::make_unique<QLockFile>(file);
    // A stale lock, left by a window that is gone, is taken over where the folder allows it.
    if (!lock->tryLock(0)) {
        const bool held =
            lock->error() == QLockFile::LockFailedError && heldByRunningWindow(*lock, file);
        const QString refusal = held ? QString() : folderRefusal(m_folder);
        return refusal.isEmpty() ? HeldByAWindow : refusal;
    }
    m_lock = std::move(lock);
    m_name = name;
    return QString();
}

RecoverySlot::Orphan RecoverySlot::adoptOrphan()
{
    if (!m_name.isEmpty())
        return {}; // a window with a copy of its own takes no other
    const QStringList copies =
        QDir(m_folder).entryList({u'*' + CopySuffix}, QDir::Files, QDir::Time);
    for (const QString& file : copies) {
        const QString name = file.chopped(CopySuffix.size());
        const QString refusal = claim(name);
        if (refusal != HeldByAWindow) {
            m_name = name;
            return {copyPath(), refusal};
        }
    }
    return {};
}

QString RecoverySlot::copyPath() const
{
    return m_name.isEmpty() ? QString() : m_folder + u'/' + m_name + CopySuffix;
}

QString RecoverySlot::asidePath() const
{
    return copyPath() + QStringLiteral(".damaged");
}

QString RecoverySlot::write(const QByteArray& bytes)
{
    // A copy found but not taken over is taken now, else the slot makes one of its own.
    if (!m_lock && (m_name.isEmpty() || !claim(m_name).isEmpty())) {
        if (!QDir().mkpath(m_folder))
            return QCoreApplication::translate("Recovery", "the folder %1 cannot be made")
                .arg(m_folder);
        QString refusal;
        for (int attempt = 0; attempt < 8 && !m_lock; ++attempt)
            refusal =
                claim(QStringLiteral("window-%1")
                          .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')));
        if (!m_lock)
            return QCoreApplication::translate("Recovery", "no lock can be taken in %1: %2")
                .arg(m_folder, refusal);
    }
    return replaceFileContents(copyPath(), bytes);
}

QString RecoverySlot::remove()
{
    if (m_name.isEmpty())
        return QString();
    const QString refusal = m_lock ? QString() : claim(m_name);
    if (!refusal.isEmpty())
        return refusal;
    if (::unlink(QFile::encodeName(copyPath()).constData()) != 0 && errno != ENOENT)
        return systemReason(errno);
    return QString();
}

QString RecoverySlot::setAside()
{
    const QString refusal = m_lock ? QString() : claim(m_name);
    if (!refusal.isEmpty())
        return refusal;
    if (std::rename(QFile::encodeName(copyPath()).constData(),
                    QFile::encodeName(asidePath()).constData()) != 0)
        return systemReason(errno);
    return QString();
}
