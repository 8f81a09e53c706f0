#include "TrigramPostings.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace postings {

namespace {

// Unit numbers a lookup reads at most, nearest lengths first: what keeps a text of common words
// as quick as any at a million units.
constexpr qint64 Budget = 300000;
// Longer than any text a memory keeps or looks up (2,000 characters): the bands end there.
constexpr int LongestText = 4000;

// The shortest length of each band.
const std::vector<int>& bandStarts()
{
    static const std::vector<int> starts = [] {
        std::vector<int> first;
        for (int length = 0; length <= LongestText; ++length)
            if (std::size_t(bandOf(length)) >= first.size())
                first.push_back(length);
        return first;
    }();
    return starts;
}

// The bands a text of this length reaches the threshold in, as ranges of bands to read one after
// the other: its own band and its neighbours, then wider rings on either side.
std::vector<std::pair<int, int>> rangesOf(qsizetype length, int threshold, const TextKeys& keys)
{
    const std::vector<int>& starts = bandStarts();
    int lowest = -1, highest = -1;
    for (int band = 0; band < int(starts.size()); ++band) {
        const int last =
            band + 1 < int(starts.size()) ? starts[std::size_t(band) + 1] - 1 : LongestText;
        const qsizetype nearest = std::clamp<qsizetype>(length, starts[std::size_t(band)], last);
        if (keys.highestScore(length, nearest) >= threshold) {
            lowest = lowest < 0 ? band : lowest;
            highest = band;
        }
    }
    std::vector<std::pair<int, int>> ranges;
    if (lowest < 0)
        return ranges;
    const int own = bandOf(length);
    ranges.push_back({std::max(lowest, own - 2), std::min(highest, own + 2)});
    for (const auto& [near, far] :
         {std::pair(3, 6), std::pair(7, 14), std::pair(15, int(starts.size()))}) {
        if (own - near >= lowest)
            ranges.push_back({std::max(lowest, own - far), own - near});
        if (own + near <= highest)
            ranges.push_back({own + near, std::min(highest, own + far)});
    }
    return ranges;
}

// A unit's share of the trigrams: those it holds of the text's, or of its own where it has more,
// compared as fractions exactly; newer units first among equal shares.
struct Ranked {
    qint64 shared, trigrams, id;
    friend bool operator>(const Ranked& a, const Ranked& b)
    {
        const qint64 left = a.shared * b.trigrams, right = b.shared * a.trigrams;
        return left != right ? left > right : a.id > b.id;
    }
};

} // namespace

// Each length to 16 its own band, then eight to a doubling.
int bandOf(qsizetype length)
{
    return length <= 16 ? int(length) : 16 + int(std::log2(double(length) / 16.0) * 8.0);
}

QString familyOf(const QString& sourceLanguage, const QString& targetLanguage)
{
    return primaryLanguage(sourceLanguage) + u' ' + primaryLanguage(targetLanguage);
}

qint64 textKey(const QString& comparable)
{
    quint64 hash = 14695981039346656037ULL;
    for (const QChar c : comparable.toLower()) {
        hash = (hash ^ (c.unicode() & 0xff)) * 1099511628211ULL;
        hash = (hash ^ (c.unicode() >> 8)) * 1099511628211ULL;
    }
    return qint64(hash);
}

void appendNumber(QByteArray& block, quint64 difference)
{
    while (difference >= 0x80) {
        block.append(char(difference | 0x80));
        difference >>= 7;
    }
    block.append(char(difference));
}

bool Tally::count(int band, const QByteArray& block)
{
    qint64 id = 0;
    quint64 delta = 0;
    int shift = 0;
    for (const char byte : block) {
        delta |= quint64(byte & 0x7f) << shift;
        shift += 7;
        if (byte & 0x80)
            continue;
        id += qint64(delta);
        delta = 0;
        shift = 0;
        ++m_read;
        if (std::size_t(id) >= m_counts.size())
            m_counts.resize(std::size_t(id) * 2 + 1024);
        if (m_found == m_seen.size())
            m_seen.resize(m_found * 2 + 1024);
        Count& count = m_counts[std::size_t(id)];
        // Each unit once in the list of those seen, without a branch the processor could not
        // foretell.
        m_seen[m_found] = id;
        m_found += count.shared == 0 ? 1 : 0;
        count.shared += count.shared < 255 ? 1 : 0;
        count.band = quint8(band);
    }
    return m_read < Budget;
}

std::vector<qint64> Tally::best(const QStringList& trigrams, qsizetype length, int threshold,
                                const TextKeys& keys, const std::vector<qint64>& given,
                                const ListReader& read)
{
    m_read = 0;
    m_found = 0;
    const auto count = [this](int band, const QByteArray& block) {
        return this->count(band, block);
    };
    for (const auto& [first, last] : rangesOf(length, threshold, keys)) {
        if (m_read >= Budget)
            break;
        read(first, last, count);
    }
    // The units holding the largest share of trigrams, of the text's or of their own (as many as
    // their band's shortest length has), newest first among equals. A heap keeps the best so
    // far, its weakest on top, so that most units are passed over with one comparison; the
    // tallies are left all zero for the next lookup.
    for (const qint64 id : given)
        if (std::size_t(id) < m_counts.size())
            m_counts[std::size_t(id)].shared = 0;
    std::array<qsizetype, 256> trigramsOfBand{};
    for (std::size_t band = 0; band < bandStarts().size(); ++band)
        trigramsOfBand[band] = std::max(trigrams.size(), qsizetype(bandStarts()[band]));
    std::vector<Ranked> ranked;
    ranked.reserve(CandidateCount);
    for (std::size_t i = 0; i < m_found; ++i) {
        Count& tally = m_counts[std::size_t(m_seen[i])];
        const Ranked unit{tally.shared, trigramsOfBand[tally.band], m_seen[i]};
        tally = {};
        if (unit.shared == 0)
            continue;
        if (ranked.size() < std::size_t(CandidateCount)) {
            ranked.push_back(unit);
            std::ranges::push_heap(ranked, std::greater<>());
        } else if (unit > ranked.front()) {
            std::ranges::pop_heap(ranked, std::greater<>());
            ranked.back() = unit;
            std::ranges::push_heap(ranked, std::greater<>());
        }
    }
    std::ranges::sort(ranked, std::greater<>());
    std::vector<qint64> ids;
    ids.reserve(ranked.size());
    for (const Ranked& r : ranked)
        ids.push_back(r.id);
    return ids;
}

} // namespace postings
