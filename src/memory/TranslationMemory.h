#pragma once

#include "MemoryStore.h"

#include <QHash>

#include <chrono>
#include <memory>

struct Suggestion {
    int score; // 0 to 100
    MemoryUnit unit;
};

// A screen text is short: a longer source or translation is not kept, and a longer text is not
// looked up, so that no lookup compares texts of many thousands of characters. Five times what
// the row dialog takes.
inline constexpr qsizetype MaxUnitLength = 2000;

// Earlier translations, keyed by language pair, so that a memory never offers one language while
// another is translated. A unit is one source text translated at one place: adding it again
// updates it. Lookups take the candidates the store selects by the text (an index, not a scan of
// every unit) and score them with matchScore.
//
// The units are kept in a SQLite file (SqliteMemoryStore says how it is shared and guarded),
// whose store is loaded from its module when a memory is first opened, unless the program links
// it in (MemoryStore.h).
class TranslationMemory {
public:
    // memory.sqlite in the person's data folder ($XDG_DATA_HOME/lexicant).
    static QString defaultPath();

    explicit TranslationMemory(int busyTimeoutMs = 10000);
    ~TranslationMemory();
    TranslationMemory(const TranslationMemory&) = delete;
    TranslationMemory& operator=(const TranslationMemory&) = delete;

    // Opens the memory at the path (through a link, its target) or on the PostgreSQL server a
    // connection URI names (isServerAddress), making it where there is none unless it must
    // exist.
    MemoryOpening open(const QString& path,
                       MemoryCreation creation = MemoryCreation::MakeIfMissing);
    bool isOpen() const;
    // How long each call waits for a server at most, from the next open on (BoundedStore); by
    // default as long as the server and the network take.
    void setServerWait(std::chrono::milliseconds wait) { m_serverWait = wait; }
    // The statements that make an empty memory at that place, for an administrator to run by
    // hand (none for a file); or why its store cannot be loaded.
    QStringList schema(const QString& where, QString& problem);
    // Why a lookup or a listing since the memory was opened could not read it (a damaged page),
    // or an empty text: their results are then incomplete.
    QString readError() const;

    // Adds or updates the units in one transaction, saying how far it is to `progress`.
    MemoryAddition add(const QList<MemoryUnit>& units, const AdditionProgress& progress = {});

    // The best matches of the text in the language pair, scoring at least `threshold`, best first;
    // each translation fitted to the text (fittedTranslation).
    QList<Suggestion> suggest(const QString& sourceLanguage, const QString& targetLanguage,
                              const QString& text, int max = 3, int threshold = 60) const;

    // Every unit, oldest first.
    QList<MemoryUnit> units() const;
    // The units of each language pair and origin.
    QList<UnitCount> counts() const;
    // The glossary of a language pair (and its relatives), and additions to it (MemoryStore).
    QString addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                     const QList<GlossaryTerm>& terms);
    QList<GlossaryTerm> terms(const QString& sourceLanguage, const QString& targetLanguage) const;

    // Where a program keeps what it learns while the server at that address cannot be reached:
    // a memory file of that server's own in the person's data folder.
    static QString outboxPath(const QString& server);
    // Hands the server open in this memory, at that address, the units kept for it while it
    // could not be reached, in one transaction, and empties the outbox once they are there.
    MemoryAddition pushOutbox(const QString& server);

    // For each form and row of a file, the source text its latest unit in the language pair was
    // translated from: what the reference held when that row was last learnt.
    QHash<std::pair<int, int>, QString> sourcesOf(const QString& sourceLanguage,
                                                  const QString& targetLanguage,
                                                  const QString& origin) const;

    // Gives a file the units of another in the language pair, each with its date: a copy of a
    // file keeps the history of the file it was copied from.
    MemoryAddition copyHistory(const QString& sourceLanguage, const QString& targetLanguage,
                               const QString& fromOrigin, const QString& toOrigin);

private:
    // The store of the kind the place needs, made if it is not the one there; or why it cannot.
    QString useStoreFor(const QString& where);
    // Why the memory cannot be written: it is not open, or its store says why.
    QString whyClosed() const;

    int m_busyTimeout;
    std::chrono::milliseconds m_serverWait{0};
    std::unique_ptr<MemoryStore> m_store;
    bool m_onServer = false;
};
