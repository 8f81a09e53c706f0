#include "SpellingSession.h"

#include "Dictionaries.h"
#include "LanguageSession.h"
#include "Remembered.h"

#include <QSettings>

namespace {
const QString LanguagesKey = QStringLiteral("languages");
const QString CapitalsKey = QStringLiteral("spelling/capitals");
} // namespace

SpellingSession::SpellingSession(const LanguageSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    // A document saved under a name keeps its language there too.
    connect(&session, &LanguageSession::saved, this,
            [this](const QString& path) { rememberIn(LanguagesKey, path, language()); });
}

SpellingSession::~SpellingSession() = default;

QString SpellingSession::language() const
{
    return m_speller ? m_speller->language() : QString();
}

QString SpellingSession::setLanguage(const QString& language)
{
    std::unique_ptr<HunspellSpeller> speller;
    QString problem;
    if (!language.isEmpty()) {
        speller = HunspellSpeller::load(language, problem);
        if (!speller)
            return problem;
        speller->checksCapitals = checksCapitals();
    }
    m_speller = std::move(speller);
    rememberIn(LanguagesKey, m_session.path(), language);
    emit languageChanged(language);
    emit spellerChanged();
    return {};
}

QString SpellingSession::addWord(const QString& word)
{
    if (!m_speller)
        return {};
    const QString problem = m_speller->addToPersonalList(word);
    emit spellerChanged();
    return problem;
}

bool SpellingSession::checksCapitals() const
{
    return QSettings().value(CapitalsKey, false).toBool();
}

void SpellingSession::setChecksCapitals(bool on)
{
    QSettings().setValue(CapitalsKey, on);
    if (m_speller)
        m_speller->checksCapitals = on;
    emit spellerChanged();
}

QString SpellingSession::rememberedLanguageFor(const QString& documentPath) const
{
    return rememberedIn(LanguagesKey, documentPath);
}
