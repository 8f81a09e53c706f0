#pragma once

#include "ReferenceChecks.h"

#include <QObject>

class LanguageSession;
class MemorySession;
class ReferenceSession;
class SpellingSession;

// The problems of a session's document against its reference: the checks switched on, the
// problems and counts found when asked after a change (a form whose stored rows did not change
// is not checked again).
class ProblemList : public QObject {
    Q_OBJECT
public:
    ProblemList(const LanguageSession& session, const ReferenceSession& reference,
                const SpellingSession& spelling, const MemorySession& memory,
                QObject* parent = nullptr);

    const CheckSet& checks() const { return m_checks; }
    void setCheck(Check check, bool on);
    // How much longer than its reference a translation may be: lengthFactor times plus ten.
    void setLengthFactor(double factor);
    // The glossary whose terms the glossary check looks for; none: the check finds nothing.
    void setGlossary(const Glossary* glossary);

    // The problems, form by form and row by row, and the counts, as the document is now.
    const QList<Problem>& problems() const;
    const ReferenceCounts& counts() const;
    // How many times the checks ran over the document since the list was made.
    int checkPasses() const { return m_passes; }

signals:
    // Another reference, check set, dictionary or memory, or what a save would write changed
    // (another form selected included): the problems may differ. Another row selected changes
    // none.
    void changed();

private:
    // Every problem found again at the next look: the checks or what they check with changed.
    void recheck();
    void referenceChanged(bool open);
    void stale();

    const LanguageSession& m_session;
    const ReferenceSession& m_reference;
    const MemorySession& m_memory;
    CheckSet m_checks;
    mutable bool m_stale = true;
    mutable QList<Problem> m_problems;
    mutable ReferenceCounts m_counts;
    mutable int m_passes = 0;
    mutable CheckedForms m_checked;
};
