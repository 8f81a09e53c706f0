#include "Recovery.h"

#include "DocumentJson.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {

const QString Format = QStringLiteral("lexicant-recovery");
const QString CopySuffix = QStringLiteral(".json");
const QString LockSuffix = QStringLiteral(".lock");

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
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString readRecoveryBytes(const QByteArray& bytes, RecoveryCopy& copy)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (json.isNull())
        return QStringLiteral("not valid JSON: ") + error.errorString();
    const QJsonObject object = json.object();
    if (object.value(QStringLiteral("format")).toString() != Format ||
        object.value(QStringLiteral("formatVersion")).toInt() != 1)
        return QStringLiteral("not a recovery copy of this version");
    const int form = object.value(QStringLiteral("selectedForm")).toInt(-1);
    if (form < 0 || form > LanguageDocument::FormCount)
        return QStringLiteral("its selected form is not 0 to 24");
    const QJsonValue document = object.value(QStringLiteral("document"));
    if (!document.isObject())
        return QStringLiteral("it holds no document");
    LanguageDocument read;
    const QString problem = documentFromJson(QJsonDocument(document.toObject()).toJson(), read);
    if (!problem.isEmpty())
        return problem;
    copy.document = read;
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

bool RecoverySlot::claim(const QString& name)
{
    auto lock = std::make_unique<QLockFile>(m_folder + u'/' + name + LockSuffix);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    m_name = name;
    return true;
}

QString RecoverySlot::adoptOrphan()
{
    if (!m_name.isEmpty())
        return QString(); // a window with a copy of its own takes no other
    const QStringList copies =
        QDir(m_folder).entryList({u'*' + CopySuffix}, QDir::Files, QDir::Time);
    // A copy whose window still runs stays locked; the lock of a window that is gone is stale.
    for (const QString& file : copies) {
        if (claim(file.chopped(CopySuffix.size())))
            return copyPath();
    }
    return QString();
}

QString RecoverySlot::copyPath() const
{
    return m_name.isEmpty() ? QString() : m_folder + u'/' + m_name + CopySuffix;
}

QString RecoverySlot::write(const QByteArray& bytes)
{
    if (m_name.isEmpty()) {
        if (!QDir().mkpath(m_folder))
            return QStringLiteral("the folder %1 cannot be made").arg(m_folder);
        for (int attempt = 0; attempt < 8 && m_name.isEmpty(); ++attempt)
            claim(QStringLiteral("window-%1")
                      .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')));
        if (m_name.isEmpty())
            return QStringLiteral("no lock can be taken in %1").arg(m_folder);
    }
    return replaceFileContents(copyPath(), bytes);
}

void RecoverySlot::remove()
{
    if (!m_name.isEmpty())
        QFile::remove(copyPath());
}

QString RecoverySlot::setAside()
{
    const QString aside = copyPath() + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(copyPath(), aside);
    return aside;
}
