#pragma once

#include "DocumentMemory.h"
#include "LanguageDocument.h"
#include "LanguageSession.h"
#include "ReferenceChecks.h"

#include <QObject>

#include <array>
#include <memory>
#include <optional>

class HunspellSpeller;
class TranslationMemory;
class LanguageSession;

// The reference beside a session's document: the same application's texts in the language
// translated from, read-only. It holds the checks switched on and the problems of the document
// against the reference, computed when asked after a change; it remembers each document's
// reference, and steps from problem to problem through all forms.
class ReferenceSession : public QObject {
    Q_OBJECT
public:
    explicit ReferenceSession(const LanguageSession& session, QObject* parent = nullptr);
    ~ReferenceSession() override;

    bool isOpen() const { return m_reference.has_value(); }
    const LanguageDocument* reference() const { return m_reference ? &*m_reference : nullptr; }
    QString path() const { return m_path; }

    // Reads the reference; a failure leaves the reference that was open and returns why, in the
    // system's words. Opened for a document with a file, it is remembered for it.
    QString open(const QString& path);
    // Forgets the reference, also for the document's file.
    void close();
    // The reference remembered for a document's file, when it is not the one open; empty
    // otherwise.
    QString rememberedFor(const QString& documentPath) const;

    const CheckSet& checks() const { return m_checks; }
    void setCheck(Check check, bool on);
    // How much longer than its reference a translation may be: lengthFactor times plus ten.
    void setLengthFactor(double factor);

    // The dictionary the document is spelt with ("nl_NL"; empty: none), remembered for the
    // document's file as the reference is. Returns why it cannot be loaded, or an empty text.
    QString setLanguage(const QString& language);
    QString language() const;
    HunspellSpeller* speller() const { return m_speller.get(); }
    QString rememberedLanguageFor(const QString& documentPath) const;
    // Adds a word to the spelling language's personal word list and checks again; why it could
    // not be written, or an empty text.
    QString addWord(const QString& word);

    // The reference's language ("en_US"; empty: not set), remembered for the reference's file.
    // With the document's language it keys the translation memory: when both are set, each save
    // adds the rows both files use to the memory, and the memory suggests translations.
    void setReferenceLanguage(const QString& language);
    QString referenceLanguage() const { return m_referenceLanguage; }
    // The memory's file; the person's own unless set (before it is first used).
    void setMemoryPath(const QString& path) { m_memoryPath = path; }
    // The best translations of the reference's text of a row (at most three).
    QList<Suggestion> suggestionsFor(int form, int row) const;
    // The rows the reference uses and the document leaves empty, each with the memory's
    // translation of the same text.
    Pretranslation pretranslation() const;

    // The problems, form by form and row by row, and the counts, as the document is now.
    const QList<Problem>& problems() const;
    const ReferenceCounts& counts() const;
    // How many times the checks ran over the document since the session began.
    int checkPasses() const { return m_passes; }

    // The next (step 1) or previous (-1) problem from the selected form and row, round through
    // all forms; from the problem gone to last while the selection is where that left it (a
    // missing row cannot be selected). Nothing when there is no problem.
    std::optional<Problem> problemFrom(int step) const;
    // Says where going to a problem left the selection.
    void wentTo(const Problem& problem);

signals:
    // Opened, closed, another check set, or what a save would write changed (another form
    // selected included): the problems may differ. Another row selected changes none.
    void changed();
    void openedOrClosed(bool open);
    void languageChanged(const QString& language);
    // The memory cannot be opened or written: said once.
    void memoryProblem(const QString& problem);

private:
    void documentChanged();
    // Every problem found again at the next look: the checks or what they check with changed.
    void recheck();
    void remember(const QString& document, const QString& reference) const;

    const LanguageSession& m_session;
    std::optional<LanguageDocument> m_reference;
    QString m_path;
    CheckSet m_checks;
    std::unique_ptr<HunspellSpeller> m_speller;
    QString m_referenceLanguage;
    QString m_memoryPath;
    mutable std::unique_ptr<TranslationMemory> m_memory;
    TranslationMemory* memory() const;
    void learn();
    mutable bool m_stale = true;
    mutable QList<Problem> m_problems;
    mutable ReferenceCounts m_counts;
    mutable int m_passes = 0;
    // Each form's problems and counts, with the stored rows they were found in (none for the
    // selected form, whose row list is checked every time).
    struct FormChecked {
        std::optional<LanguageTable> table;
        QList<Problem> problems;
        ReferenceCounts counts;
    };
    mutable std::array<FormChecked, LanguageDocument::FormCount> m_checked;
    std::optional<ProblemPlace> m_wentTo, m_landed;
};
