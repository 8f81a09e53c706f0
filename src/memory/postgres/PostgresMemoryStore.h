#pragma once

#include "MemoryStore.h"
#include "TrigramPostings.h"

#include <QSqlQuery>

#include <memory>

// Where a memory on a PostgreSQL server is, read from a libpq connection URI
// ("postgresql://user@host:5432/memory?sslmode=require"): what Qt's driver is given, and how the
// server is named to a person, without the password.
struct ServerAddress {
    QString host, database, user, password;
    int port = -1;
    QString options; // libpq's other parameters, as "name=value;name=value"
    QString shown;
    QString error; // why the text is no such URI; empty when it is one
};
ServerAddress serverAddress(const QString& uri);

// A translation memory a team shares on a PostgreSQL server. The server keeps the trigram index a
// memory in a file keeps (TrigramPostings.h) and finds a lookup's lists of it and the same text
// by its key in one indexed read each; the lookup counts them as a file's does, so that both
// offer the same candidates of the same units.
//
// Many programs add at once: a unit is one source text translated at one place, unique on the
// server, so two writers of the same unit both land, the newer translation kept (the later one's
// of the same second). Each addition is one transaction, and writes index blocks of its own units
// only, so that writers wait for each other only on the units they share. The tables are made, and
// later upgraded, by the first program that opens the database, under an advisory lock, in one
// transaction, with a version number.
class PostgresMemoryStore final : public MemoryStore {
public:
    explicit PostgresMemoryStore(const TextKeys& keys);
    ~PostgresMemoryStore() override;
    PostgresMemoryStore(const PostgresMemoryStore&) = delete;
    PostgresMemoryStore& operator=(const PostgresMemoryStore&) = delete;

    MemoryOpening open(const QString& uri, MemoryCreation creation) override;
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

    QStringList schema() const override;

private:
    void noteReadError(const QSqlQuery& query) const;

    TextKeys m_keys;
    QString m_connection;
    QString m_shown;
    mutable QString m_readError;
    mutable postings::Tally m_tally;
    // A lookup's statements: the units of the same text, the trigram lists, the units found.
    struct Lookups {
        explicit Lookups(const QSqlDatabase& db)
            : same(db)
            , lists(db)
            , alike(db)
        {
        }
        QSqlQuery same, lists, alike;
    };
    std::unique_ptr<Lookups> m_lookups;
};
