#pragma once

#include "DocumentMemory.h"
#include "ReferenceChecks.h"

#include <QObject>

#include <memory>
#include <optional>

class LanguageSession;
class ReferenceSession;
class SpellingSession;
class QThread;
class QTimer;
class TranslationMemory;

// The translation memory beside a session's document, keyed by the reference's language and the
// document's (the spelling language): opened when asked, once both are set; each save adds the
// rows both files use to it, and it suggests translations and says what each row was
// translated from.
//
// A memory on a server that cannot be reached, when it is opened or later, is replaced by the
// person's own memory file, said once: it suggests, and learns what is saved, also into an outbox
// of that server's (TranslationMemory::outboxPath). Off the GUI thread, the server is looked for
// now and then; once it answers, the outbox is handed to it and it is the memory again.
class MemorySession : public QObject {
    Q_OBJECT
public:
    MemorySession(const LanguageSession& session, const ReferenceSession& reference,
                  const SpellingSession& spelling, QObject* parent = nullptr);
    ~MemorySession() override;

    // The memory's file or server; the person's own file unless set (before it is opened).
    void setMemoryPath(const QString& path) { m_memoryPath = path; }
    // Uses the memory at that place from now on: the one open is closed, and the new one opens
    // when next asked.
    void moveTo(const QString& where);
    // How long a memory whose server cannot be reached waits before it looks for it again.
    void setRetryInterval(int ms);
    // The memory's server cannot be reached: the person's own memory is used in its place.
    bool isOffline() const { return m_offline; }
    // Opens the memory once a reference is open and both languages are set. Returns why it
    // cannot be used or what was done to open it (a damaged file set aside), once: after the
    // first try it returns an empty text.
    QString open();
    // Open, with a reference and both languages: the memory suggests and learns.
    bool isUsable() const;

    // The best translations of the reference's text of a row (at most three).
    QList<Suggestion> suggestionsFor(int form, int row) const;
    // The rows the reference uses and the document leaves empty, each with the memory's
    // translation of the same text.
    Pretranslation pretranslation() const;
    // What each row of the document was translated from: the memory's record of its file, and
    // for a row stored in this session, the reference text it was stored beside, while it holds
    // the text stored. Nothing while the memory is not usable.
    const TranslatedFrom* translatedFrom() const;
    // Why the memory cannot be used, and how to set what is missing; empty when it can be used
    // or without a reference.
    QString missing() const;
    // The glossary the memory keeps for the two languages; none while it cannot be used.
    QList<GlossaryTerm> terms() const;
    // Adds a term to it, or changes the one of the same source; why it could not, or nothing.
    QString addTerm(const GlossaryTerm& term);

signals:
    // The memory cannot be written: said once per save.
    void memoryProblem(const QString& problem);
    // The memory's server could not be reached, or can be again: what the workbench says of it,
    // while it lasts, or for now.
    void serverNotice(const QString& notice, bool lasting);
    // What the rows were translated from may differ: the memory opened, learnt, or another
    // language, reference or document.
    void sourcesChanged();
    // The glossary may differ: a term added here, or the memory opened, another one or another
    // language, or a save (after which a team's server may hold others' terms).
    void termsChanged();

private:
    void learn(const QString& path);
    void readSources();
    void documentReplaced();
    void noteStored(const QList<PlacedText>& texts);
    // The person's own memory in place of the server's, which cannot be reached for that reason.
    void goOffline(const QString& why);
    // A server whose connection was lost is opened again, or the window goes on without it.
    void keepServer();
    void lookForServer();
    void serverFound();
    // Adds the units to the memory (and to the outbox while the server cannot be reached); why
    // they could not be added, if so.
    QString addUnits(const QList<MemoryUnit>& units);

    const LanguageSession& m_session;
    const ReferenceSession& m_reference;
    const SpellingSession& m_spelling;
    QString m_memoryPath;
    QTimer* m_retry;
    std::unique_ptr<TranslationMemory> m_memory;
    // The server whose memory is used, or would be were it reached; empty for a file.
    QString m_server;
    bool m_offline = false;
    // What is learnt while the server cannot be reached, for the server; opened when needed.
    std::unique_ptr<TranslationMemory> m_outbox;
    QThread* m_probe = nullptr;
    // The file the memory's record of the document is kept under: the one it was opened from or
    // last saved to (Save as gives the new file the record of the old one).
    QString m_recordPath;
    TranslatedFrom m_sources;
    // The rows stored in this session: the text stored and the reference text beside it.
    struct Stored {
        QString text, source;
    };
    QHash<std::pair<int, int>, Stored> m_stored;
    mutable std::optional<TranslatedFrom> m_translatedFrom;
};
