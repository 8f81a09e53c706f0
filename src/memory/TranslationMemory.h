#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// One translation: a source text in one language and its translation in another, and where it
// was made (a file, form and row; a TMX file and no row).
struct MemoryUnit {
    QString sourceLanguage, targetLanguage;
    QString source, target;
    QString origin;
    int form = 0;
    int row = -1;
    QDateTime changed;
};

struct Suggestion {
    int score; // 0 to 100
    MemoryUnit unit;
};

// Earlier translations in a SQLite file, keyed by language pair, so that a memory never offers
// one language while another is translated. A unit is one source text translated at one place:
// adding it again updates it. Lookups select candidates by the rarest character trigrams they
// share with the text (an index, not a scan of every unit) and score them with matchScore.
class TranslationMemory {
public:
    // memory.sqlite in the person's data folder ($XDG_DATA_HOME/lexicant).
    static QString defaultPath();

    TranslationMemory();
    ~TranslationMemory();
    TranslationMemory(const TranslationMemory&) = delete;
    TranslationMemory& operator=(const TranslationMemory&) = delete;

    // Opens the memory, making it where there is none. A file that is no memory is moved aside
    // (to PATH.damaged) and a new one made; the return says so, or why nothing could be opened
    // (an empty text when all went well).
    QString open(const QString& path);
    bool isOpen() const;

    // Adds or updates the units in one transaction; why not, or an empty text.
    QString add(const QList<MemoryUnit>& units);

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

private:
    QString m_connection;
};
