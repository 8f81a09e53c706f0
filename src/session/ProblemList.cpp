#include "ProblemList.h"

#include "Dictionaries.h"
#include "LanguageSession.h"
#include "MemorySession.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"

ProblemList::ProblemList(const LanguageSession& session, const ReferenceSession& reference,
                         const SpellingSession& spelling, const MemorySession& memory,
                         QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_reference(reference)
    , m_memory(memory)
{
    connect(&session, &LanguageSession::contentsChanged, this, &ProblemList::stale);
    // A problem accepted, or a row whose acceptance a new text took back.
    connect(&session, &LanguageSession::reviewChanged, this, &ProblemList::stale);
    connect(&reference, &ReferenceSession::openedOrClosed, this, &ProblemList::referenceChanged);
    connect(&spelling, &SpellingSession::spellerChanged, this, [this, &spelling] {
        m_checks.speller = spelling.speller();
        recheck();
    });
    connect(&memory, &MemorySession::sourcesChanged, this, &ProblemList::stale);
}

void ProblemList::stale()
{
    m_stale = true;
    if (m_reference.isOpen())
        emit changed();
}

void ProblemList::recheck()
{
    m_stale = true;
    m_checked = CheckedForms();
    emit changed();
}

void ProblemList::referenceChanged(bool open)
{
    if (!open) {
        m_problems.clear();
        m_counts = {};
    }
    recheck();
}

void ProblemList::setLengthFactor(double factor)
{
    m_checks.lengthFactor = factor;
    recheck();
}

void ProblemList::setGlossary(const Glossary* glossary)
{
    m_checks.glossary = glossary;
    recheck();
}

void ProblemList::setCheck(Check check, bool on)
{
    if (m_checks.has(check) == on)
        return;
    m_checks.on[std::size_t(check)] = on;
    recheck();
}

const QList<Problem>& ProblemList::problems() const
{
    if (m_stale && m_reference.isOpen()) {
        ++m_passes;
        m_problems = referenceProblems(*m_reference.reference(), m_session.document(),
                                       m_session.workingCopy(), m_session.selectedForm(), m_checks,
                                       &m_counts, m_memory.translatedFrom(), &m_checked,
                                       &m_session.review());
    }
    m_stale = false;
    return m_problems;
}

const ReferenceCounts& ProblemList::counts() const
{
    problems();
    return m_counts;
}
