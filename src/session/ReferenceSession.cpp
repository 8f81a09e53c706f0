#include "ReferenceSession.h"

#include "LanguageFile.h"
#include "LanguageSession.h"
#include "Remembered.h"

namespace {
const QString RememberedKey = QStringLiteral("references");
const QString ReferenceLanguagesKey = QStringLiteral("referenceLanguages");
} // namespace

ReferenceSession::ReferenceSession(const LanguageSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    // A document saved under a name keeps its reference there too.
    connect(&session, &LanguageSession::saved, this, [this](const QString& path) {
        if (isOpen())
            rememberIn(RememberedKey, path, m_path);
    });
}

QString ReferenceSession::open(const QString& path)
{
    const ReadResult read = readLanguageFile(path);
    if (read.status != ReadStatus::Ok)
        return read.reason.isEmpty() ? tr("cannot be opened") : read.reason;
    // A new reference of the same document (its next release) is in the language of the one
    // before: the one open, or else the one remembered for the document.
    const QString before = isOpen() ? m_referenceLanguage
                                    : rememberedIn(ReferenceLanguagesKey,
                                                   rememberedIn(RememberedKey, m_session.path()));
    m_reference.emplace();
    lsf::applyFields(read.parsed, *m_reference);
    m_path = path;
    m_referenceLanguage = rememberedIn(ReferenceLanguagesKey, path);
    if (m_referenceLanguage.isEmpty() && !before.isEmpty()) {
        m_referenceLanguage = before;
        rememberIn(ReferenceLanguagesKey, path, before);
    }
    rememberIn(RememberedKey, m_session.path(), path);
    emit openedOrClosed(true);
    emit referenceLanguageChanged(m_referenceLanguage);
    return QString();
}

void ReferenceSession::close()
{
    if (!isOpen())
        return;
    rememberIn(RememberedKey, m_session.path(), QString());
    m_reference.reset();
    m_path.clear();
    m_referenceLanguage.clear();
    emit openedOrClosed(false);
    emit referenceLanguageChanged(m_referenceLanguage);
}

QString ReferenceSession::rememberedFor(const QString& documentPath) const
{
    const QString remembered = rememberedIn(RememberedKey, documentPath);
    return remembered != m_path ? remembered : QString();
}

void ReferenceSession::setReferenceLanguage(const QString& language)
{
    m_referenceLanguage = language;
    rememberIn(ReferenceLanguagesKey, m_path, language);
    emit referenceLanguageChanged(language);
}
