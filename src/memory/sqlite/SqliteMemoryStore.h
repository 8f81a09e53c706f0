#pragma once

#include "MemoryStore.h"
#include "TrigramPostings.h"

#include <vector>

class QSqlError;
class QSqlQuery;

// A translation memory in a SQLite file, one per person: units with a key of their comparable
// text, and an index of the units that hold each character trigram, by bands of length, so that a
// lookup counts the trigrams each unit shares with the text, nearest lengths first.
//
// Several windows and scripts share one file: it is kept in WAL mode, so reading never waits for
// a writer; writers take the file's write lock before they read anything and wait for each other
// up to the busy timeout, after which the memory is said to be in use, by which process where the
// system tells. A file is recognised as a memory by its SQLite application id; anything else (an
// other program's database, a file that is no database, a device, a folder) is refused untouched.
// Only a memory SQLite finds damaged is moved aside, to PATH.damaged, PATH.damaged.2 and so on,
// never over an earlier one, and a new memory made.
class SqliteMemoryStore final : public MemoryStore {
public:
    SqliteMemoryStore(int busyTimeoutMs, const TextKeys& keys);
    ~SqliteMemoryStore() override;
    SqliteMemoryStore(const SqliteMemoryStore&) = delete;
    SqliteMemoryStore& operator=(const SqliteMemoryStore&) = delete;

    // Opens the memory at the path (through a link, its target).
    MemoryOpening open(const QString& path, MemoryCreation creation) override;
    bool isOpen() const override;
    QString readError() const override { return m_readError; }

    MemoryAddition add(const QList<MemoryUnit>& units, const AdditionProgress& progress) override;
    void candidates(const QString& sourceLanguage, const QString& targetLanguage,
                    const QString& comparable, int threshold,
                    const std::function<bool(MemoryUnit&&)>& take) const override;
    QList<MemoryUnit> units() const override;
    QList<UnitCount> counts() const override;
    QString addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                     const QList<GlossaryTerm>& terms) override;
    QList<GlossaryTerm> terms(const QString& sourceLanguage,
                              const QString& targetLanguage) const override;
    QList<MemoryUnit> unitsOf(const QString& sourceLanguage, const QString& targetLanguage,
                              const QString& origin) const override;

private:
    // Gives a memory of the first version this one's tables, in one transaction.
    QSqlError upgrade();
    void noteReadError(const QSqlQuery& query) const;

    TextKeys m_keys;
    QString m_connection;
    QString m_path;
    int m_busyTimeout;
    mutable QString m_readError;
    mutable postings::Tally m_tally;
};

// The process other than this one that holds a lock on the SQLite file (its journal or shared
// memory included), as "lexicant-cli (process 1234)", or an empty text when the system does not
// say.
QString databaseUser(const QString& path);
