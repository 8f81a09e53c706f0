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
{
    connect(&session, &LanguageSession::saved, this, &MemorySession::learn);
    connect(&session, &LanguageSession::documentReplaced, this, &MemorySession::readSources);
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

void MemorySession::readSources()
{
    m_sources = isUsable() && !m_session.path().isEmpty()
                    ? m_memory->sourcesOf(m_reference.referenceLanguage(), m_spelling.language(),
                                          memoryOrigin(m_session.path()))
                    : TranslatedFrom();
    emit sourcesChanged();
}

const TranslatedFrom* MemorySession::translatedFrom() const
{
    return isUsable() ? &m_sources : nullptr;
}

void MemorySession::learn()
{
    if (!isUsable())
        return;
    const MemoryAddition added = m_memory->add(
        translatedRows(*m_reference.reference(), m_session.document(), m_session.path(),
                       m_reference.referenceLanguage(), m_spelling.language()));
    if (!added.error.isEmpty())
        emit memoryProblem(tr("The translation memory cannot be written: %1.").arg(added.error));
    // What each row was translated from is what the reference holds now.
    readSources();
}

QList<Suggestion> MemorySession::suggestionsFor(int form, int row) const
{
    if (!isUsable() || form < 1 || form > LanguageDocument::FormCount || row < 0 ||
        row >= LanguageDocument::RowCount)
        return {};
    return m_memory->suggest(m_reference.referenceLanguage(), m_spelling.language(),
                             m_reference.reference()->formText(form).at(row));
}

Pretranslation MemorySession::pretranslation() const
{
    return isUsable() ? ::pretranslation(*m_memory, *m_reference.reference(), m_session.committed(),
                                         m_reference.referenceLanguage(), m_spelling.language())
                      : Pretranslation();
}
