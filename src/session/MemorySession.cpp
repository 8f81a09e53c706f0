#include "MemorySession.h"

#include "LanguageSession.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"

MemorySession::MemorySession(const LanguageSession& session, const ReferenceSession& reference,
                             const SpellingSession& spelling, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_reference(reference)
    , m_spelling(spelling)
    , m_recordPath(session.path())
{
    connect(&session, &LanguageSession::saved, this, &MemorySession::learn);
    connect(&session, &LanguageSession::documentReplaced, this, &MemorySession::documentReplaced);
    connect(&session, &LanguageSession::rowsStored, this, &MemorySession::noteStored);
    connect(&session, &LanguageSession::contentsChanged, this,
            [this] { m_translatedFrom.reset(); });
    connect(&reference, &ReferenceSession::openedOrClosed, this, &MemorySession::readSources);
    connect(&reference, &ReferenceSession::referenceLanguageChanged, this,
            &MemorySession::readSources);
    connect(&spelling, &SpellingSession::languageChanged, this, &MemorySession::readSources);
}

MemorySession::~MemorySession() = default;

QString MemorySession::open()
{
    if (m_memory || !m_reference.isOpen() || m_reference.referenceLanguage().isEmpty() ||
        m_spelling.language().isEmpty())
        return {};
    m_memory = std::make_unique<TranslationMemory>();
    const MemoryOpening opening =
        m_memory->open(m_memoryPath.isEmpty() ? TranslationMemory::defaultPath() : m_memoryPath);
    readSources();
    QStringList problems;
    for (const QString& problem : {opening.error, opening.notice}) {
        if (!problem.isEmpty())
            problems << tr("The translation memory: %1.").arg(problem);
    }
    return problems.join(QStringLiteral("\r\n"));
}

bool MemorySession::isUsable() const
{
    return m_memory && m_memory->isOpen() && m_reference.isOpen() &&
           !m_reference.referenceLanguage().isEmpty() && !m_spelling.language().isEmpty();
}

QString MemorySession::missing() const
{
    if (!m_reference.isOpen())
        return {};
    const bool reference = m_reference.referenceLanguage().isEmpty();
    const bool document = m_spelling.language().isEmpty();
    if (reference && document)
        return tr("Set the language of the reference in Reference > Language of the reference, "
                  "and this file's in Reference > Spelling language, to get suggestions from the "
                  "translation memory and the changed check.");
    if (reference)
        return tr("Set the language of the reference in Reference > Language of the reference "
                  "to get suggestions from the translation memory and the changed check.");
    if (document)
        return tr("Set the language of this file in Reference > Spelling language to get "
                  "suggestions from the translation memory and the changed check.");
    return {};
}

void MemorySession::documentReplaced()
{
    m_recordPath = m_session.path();
    m_stored.clear();
    readSources();
}

void MemorySession::noteStored(const QList<PlacedText>& texts)
{
    if (!m_reference.isOpen())
        return; // what they translate is not known
    for (const PlacedText& t : texts)
        m_stored.insert({t.form, t.row},
                        {t.text, m_reference.reference()->formText(t.form).at(t.row)});
    m_translatedFrom.reset();
    emit sourcesChanged();
}

void MemorySession::readSources()
{
    m_sources = isUsable() && !m_recordPath.isEmpty()
                    ? m_memory->sourcesOf(m_reference.referenceLanguage(), m_spelling.language(),
                                          memoryOrigin(m_recordPath))
                    : TranslatedFrom();
    m_translatedFrom.reset();
    emit sourcesChanged();
}

const TranslatedFrom* MemorySession::translatedFrom() const
{
    if (!isUsable())
        return nullptr;
    if (!m_translatedFrom) {
        TranslatedFrom from = m_sources;
        for (auto it = m_stored.cbegin(); it != m_stored.cend(); ++it) {
            const auto [form, row] = it.key();
            if (m_session.document().formText(form).at(row) == it->text)
                from.insert(it.key(), it->source);
        }
        m_translatedFrom = std::move(from);
    }
    return &*m_translatedFrom;
}

void MemorySession::learn(const QString& path)
{
    const QString before = std::exchange(m_recordPath, path);
    if (!isUsable())
        return;
    const QString from = m_reference.referenceLanguage(), to = m_spelling.language();
    QString error;
    if (!before.isEmpty() && memoryOrigin(before) != memoryOrigin(path))
        error = m_memory->copyHistory(from, to, memoryOrigin(before), memoryOrigin(path)).error;
    readSources();
    // Only rows translated for the reference text they stand beside: a row beside a changed
    // text keeps the old one's translation until it is stored again.
    if (error.isEmpty())
        error = m_memory
                    ->add(translatedRows(*m_reference.reference(), m_session.document(), path, from,
                                         to, *translatedFrom()))
                    .error;
    if (!error.isEmpty())
        emit memoryProblem(tr("The translation memory cannot be written: %1.").arg(error));
    // What each row was translated from is what the reference holds now.
    readSources();
}

QList<Suggestion> MemorySession::suggestionsFor(int form, int row) const
{
    if (!isUsable() || form < 1 || form > LanguageDocument::FormCount)
        return {};
    const LanguageTable& texts = m_reference.reference()->formText(form);
    if (!texts.contains(row))
        return {};
    return m_memory->suggest(m_reference.referenceLanguage(), m_spelling.language(), texts.at(row));
}

Pretranslation MemorySession::pretranslation() const
{
    return isUsable() ? ::pretranslation(*m_memory, *m_reference.reference(), m_session.committed(),
                                         m_reference.referenceLanguage(), m_spelling.language())
                      : Pretranslation();
}
