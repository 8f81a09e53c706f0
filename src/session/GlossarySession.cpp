#include "GlossarySession.h"

#include "Dictionaries.h"
#include "MemorySession.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"

GlossarySession::GlossarySession(const ReferenceSession& reference, const SpellingSession& spelling,
                                 MemorySession& memory, QObject* parent)
    : QObject(parent)
    , m_reference(reference)
    , m_spelling(spelling)
    , m_memory(memory)
{
    connect(&memory, &MemorySession::termsChanged, this, [this] { reread(false); });
    connect(&spelling, &SpellingSession::spellerChanged, this, [this] { reread(true); });
}

GlossarySession::~GlossarySession() = default;

QString GlossarySession::addTerm(const GlossaryTerm& term)
{
    return m_memory.addTerm(term);
}

void GlossarySession::reread(bool stemmed)
{
    QList<GlossaryTerm> terms = m_memory.terms();
    // Another reference language (the memory says so too) stems the source words otherwise.
    const bool otherSource = m_reference.referenceLanguage() != m_sourceLanguage;
    if (!stemmed && !otherSource && terms == m_terms)
        return;
    m_terms = std::move(terms);
    if (otherSource) {
        m_sourceLanguage = m_reference.referenceLanguage();
        QString none; // a language without a dictionary has its words as written
        m_sourceSpeller =
            m_sourceLanguage.isEmpty() ? nullptr : HunspellSpeller::load(m_sourceLanguage, none);
    }
    if (m_terms.isEmpty()) {
        m_glossary.reset();
    } else {
        // The dictionaries as they are when asked: one replaced is never asked, also in the
        // moment before this glossary is made anew for its successor.
        m_glossary.emplace(m_terms,
                           HunspellSpeller::stemmer([this] { return m_sourceSpeller.get(); }),
                           HunspellSpeller::stemmer([this] { return m_spelling.speller(); }));
    }
    emit changed();
}
