#pragma once

#include "MemoryStore.h"

#include <QByteArray>

#include <functional>
#include <vector>

// The trigram index every store keeps: for each trigram of a language family's comparable texts
// and each band of lengths, the units that hold it, in blocks of ascending unit numbers, each
// number stored as its difference to the one before in as few bytes as it needs. A lookup reads
// the lists of all of a text's trigrams, nearest lengths first, and counts how many of them each
// unit holds: the same candidates whichever store keeps the lists.
namespace postings {

// Unit numbers in a block at most.
inline constexpr int BlockSize = 512;
// Units a lookup hands on to be scored, besides those of the same text.
inline constexpr int CandidateCount = 100;

// The band of lengths a comparable text is indexed under.
int bandOf(qsizetype length);
// The languages whose units are found together: the primary languages of the pair.
QString familyOf(const QString& sourceLanguage, const QString& targetLanguage);
// 64-bit FNV-1a of the text in lower case: the same in every version and on every machine.
qint64 textKey(const QString& comparable);
// Appends a unit number to a block, as its difference to the one before.
void appendNumber(QByteArray& block, quint64 difference);

// Reads the blocks of a lookup's trigrams in the bands from `first` to `last`, handing each to
// `count` with its band until that returns false.
using ListReader = std::function<void(
    int first, int last, const std::function<bool(int band, const QByteArray&)>& count)>;

// A lookup's count of shared trigrams, kept between lookups so that a million units' tallies are
// not made anew for each.
class Tally {
public:
    // The units most alike the comparable text by their share of its trigrams, best first, of
    // those in the bands of lengths that can reach the threshold, read nearest lengths first up
    // to a budget; `given` (units of the same text, handed on already) left out.
    std::vector<qint64> best(const QStringList& trigrams, qsizetype length, int threshold,
                             const TextKeys& keys, const std::vector<qint64>& given,
                             const ListReader& read);

private:
    bool count(int band, const QByteArray& block);

    // Shared trigrams by unit number, up to 255, with the band the unit was found in: two bytes
    // a unit keep a million units' tallies in the processor's cache. All zero between lookups.
    struct Count {
        quint8 shared = 0;
        quint8 band = 0;
    };
    std::vector<Count> m_counts;
    // The units found, each once, in the order they were found.
    std::vector<qint64> m_seen;
    std::size_t m_found = 0;
    qint64 m_read = 0;
};

} // namespace postings
