#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

class QSqlQuery;

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

struct Suggestion {
    int score; // 0 to 100
    MemoryUnit unit;
};

// A screen text is short: a longer source or translation is not kept, and a longer text is not
// looked up, so that no lookup compares texts of many thousands of characters. Five times what
// the row dialog takes.
inline constexpr qsizetype MaxUnitLength = 2000;

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

// Earlier translations in a SQLite file, keyed by language pair, so that a memory never offers
// one language while another is translated. A unit is one source text translated at one place:
// adding it again updates it. Lookups select candidates by the rarest character trigrams they
// share with the text (an index, not a scan of every unit) and score them with matchScore.
//
// Several windows and scripts share one file: it is kept in WAL mode, so reading never waits for
// a writer; writers take the file's write lock before they read anything and wait for each other
// up to the busy timeout, after which the memory is said to be in use, by which process where the
// system tells. A file is recognised as a memory by its SQLite application id; anything else (an
// other program's database, a file that is no database, a device, a folder) is refused untouched.
// Only a memory SQLite finds damaged is moved aside, to PATH.damaged, PATH.damaged.2 and so on,
// never over an earlier one, and a new memory made.
class TranslationMemory {
public:
    // memory.sqlite in the person's data folder ($XDG_DATA_HOME/lexicant).
    static QString defaultPath();

    explicit TranslationMemory(int busyTimeoutMs = 10000);
    ~TranslationMemory();
    TranslationMemory(const TranslationMemory&) = delete;
    TranslationMemory& operator=(const TranslationMemory&) = delete;

    // Opens the memory at the path (through a link, its target), making it where there is none
    // unless it must exist.
    MemoryOpening open(const QString& path,
                       MemoryCreation creation = MemoryCreation::MakeIfMissing);
    bool isOpen() const;
    // Why a lookup or a listing since the memory was opened could not read it (a damaged page),
    // or an empty text: their results are then incomplete.
    QString readError() const { return m_readError; }

    // Adds or updates the units in one transaction.
    MemoryAddition add(const QList<MemoryUnit>& units);

    // The best matches of the text in the language pair, scoring at least `threshold`, best first;
    // each translation fitted to the text (fittedTranslation).
    QList<Suggestion> suggest(const QString& sourceLanguage, const QString& targetLanguage,
                              const QString& text, int max = 3, int threshold = 60) const;

    // Every unit, oldest first.
    QList<MemoryUnit> units() const;

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
    void noteReadError(const QSqlQuery& query) const;

    QString m_connection;
    QString m_path;
    int m_busyTimeout;
    mutable QString m_readError;
};

// The process other than this one that holds a lock on the SQLite file (its journal or shared
// memory included), as "lexicant-cli (process 1234)", or an empty text when the system does not
// say.
QString databaseUser(const QString& path);
