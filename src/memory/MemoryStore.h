#pragma once

#include "Glossary.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

// One translation: a source text in one language and its translation in another, and where it
// was made (a file, form and row; a TMX file and no row).
struct MemoryUnit {
    QString sourceLanguage, targetLanguage;
    QString source, target;
    QString origin;
    int form = 0;
    int row = -1;
    QDateTime changed;

    bool operator==(const MemoryUnit&) const = default;
};

enum class MemoryCreation { MakeIfMissing, MustExist };

// What opening a memory did.
struct MemoryOpening {
    QString error;  // why the memory cannot be used; empty when it is open
    QString notice; // what was done to open it that a person must be told (a file set aside)
};

// What adding units did. On an error the transaction is rolled back and nothing was added.
struct MemoryAddition {
    QString error;
    int added = 0, updated = 0, unchanged = 0;
    int empty = 0, tooLong = 0; // units left out: no text, or longer than MaxUnitLength
};

// How many units a memory keeps of a language pair from one origin.
struct UnitCount {
    QString sourceLanguage, targetLanguage, origin;
    qint64 units = 0;
};

// A text as a store keeps it: an empty one, never none (SQL's NULL).
inline QString stored(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// How far a long addition is: the units written so far.
using AdditionProgress = std::function<void(qsizetype written)>;

// How a memory compares texts, whatever keeps its units: a store indexes and selects by these.
struct TextKeys {
    QString (*comparable)(const QString& text);         // the text as it is compared
    QStringList (*trigrams)(const QString& comparable); // what candidates are selected by
    // The best score two comparable texts of these lengths can reach.
    int (*highestScore)(qsizetype a, qsizetype b);
};

// A language's name as it is compared: "en-US", "en_US" and "en_us" are one language, and a
// locale's encoding or variant ("nl_NL.UTF-8", "ca_ES@valencia") does not count.
inline QString languageKey(const QString& name)
{
    QString key = name.trimmed().toLower().replace(u'-', u'_');
    for (const char16_t end : {u'.', u'@'})
        if (const qsizetype at = key.indexOf(QChar(end)); at >= 0)
            key.truncate(at);
    return key;
}

// The language without its country or script: "nl" of "nl_BE". A memory asked for one language
// also offers its relatives, after its own.
inline QString primaryLanguage(const QString& name)
{
    const QString key = languageKey(name);
    return key.left(key.indexOf(u'_'));
}

// Where a translation memory keeps its units: a file of one person's (SQLite), or a server a team
// shares. A store keeps units, finds candidates for a text and reports why it cannot; the memory
// in front of it checks the units and scores the candidates, the same for every store.
class MemoryStore {
public:
    virtual ~MemoryStore() = default;

    // Opens the store at `where` (a file's path, a server's address), making it where there is
    // none unless it must exist.
    virtual MemoryOpening open(const QString& where, MemoryCreation creation) = 0;
    virtual bool isOpen() const = 0;
    // Why a read since the store was opened was incomplete, or an empty text.
    virtual QString readError() const = 0;

    // Adds or updates units, each with both texts within the length a memory keeps, in one
    // transaction: a unit is one source text translated at one place. Said to `progress`, if
    // any, as it goes.
    virtual MemoryAddition add(const QList<MemoryUnit>& units,
                               const AdditionProgress& progress) = 0;
    // The units of the language pair and its relatives (primaryLanguage) whose comparable text is
    // `comparable` in any case, then, unless only those can reach the threshold, the units most
    // alike by trigrams that can: each handed to `take` until it returns false.
    virtual void candidates(const QString& sourceLanguage, const QString& targetLanguage,
                            const QString& comparable, int threshold,
                            const std::function<bool(MemoryUnit&&)>& take) const = 0;
    // Every unit, oldest first.
    virtual QList<MemoryUnit> units() const = 0;
    // The units of each language pair and origin, by the pair as written, then origin.
    virtual QList<UnitCount> counts() const = 0;
    // Adds the terms to the glossary of the languages' family (their primary languages), or
    // updates those of the same source term in any case, in one transaction; why not, or an
    // empty text.
    virtual QString addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                             const QList<GlossaryTerm>& terms) = 0;
    // The glossary of the languages' family, by source term.
    virtual QList<GlossaryTerm> terms(const QString& sourceLanguage,
                                      const QString& targetLanguage) const = 0;
    // The statements that make an empty memory, for an administrator to run by hand; none where
    // the store makes its memory itself (a file).
    virtual QStringList schema() const { return {}; }
    // The units of one origin in the language pair (by languageKey), by the time they changed, then
    // as added.
    virtual QList<MemoryUnit> unitsOf(const QString& sourceLanguage, const QString& targetLanguage,
                                      const QString& origin) const = 0;
};

// Makes a store; the caller owns it. A program either links a store in (setLinkedMemoryStore,
// done by linking lexicant_memory_sqlite; setLinkedServerStore, by linking
// lexicant_memory_postgres) or has a memory load the store's module when it is first opened, so
// that a program that never opens one never loads its database library.
using MemoryStoreMaker = MemoryStore* (*)(int busyTimeoutMs, const TextKeys* keys);
void setLinkedMemoryStore(MemoryStoreMaker maker);
void setLinkedServerStore(MemoryStoreMaker maker);

// Whether a memory is on a PostgreSQL server, named by a libpq connection URI, rather than in a
// file.
inline bool isServerAddress(const QString& where)
{
    return where.startsWith(QLatin1String("postgresql://")) ||
           where.startsWith(QLatin1String("postgres://"));
}

// A server's address as a person is shown it: without its password, wherever that was written.
inline QString serverAddressShown(const QString& uri)
{
    QUrl shown(uri, QUrl::StrictMode);
    shown.setPassword({});
    QUrlQuery query(shown);
    query.removeAllQueryItems(QStringLiteral("password"));
    shown.setQuery(query);
    return shown.toString();
}
