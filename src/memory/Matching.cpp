#include "Matching.h"

#include "ReferenceChecks.h"

#include "ScreenText.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

// The edit distance of two lists of words, where putting one word for another costs the share of
// its characters that differ: "Printer" for "Printers" is an eighth of a word, not a whole one.
// Words far from each other's place (more than three, and the difference of the lists' lengths)
// cost a whole word, so that a long text costs its length, not its length squared.
double wordDistance(const QStringList& a, const QStringList& b)
{
    const qsizetype band = 3 + std::abs(a.size() - b.size());
    std::vector<double> previous(std::size_t(b.size()) + 1), current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = double(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = double(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const QString &x = a[i - 1], &y = b[j - 1];
            const double change =
                x == y ? 0.0
                : std::abs(i - j) > band
                    ? 1.0
                    : double(characterDistance(x, y)) / double(std::max(x.size(), y.size()));
            current[std::size_t(j)] =
                std::min({previous[std::size_t(j)] + 1, current[std::size_t(j - 1)] + 1,
                          previous[std::size_t(j - 1)] + change});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

} // namespace

int characterDistance(QStringView a, QStringView b)
{
    if (a.size() > b.size())
        std::swap(a, b);
    if (a.isEmpty())
        return int(b.size());
    // Two words, as the word distance compares many: the table a row at a time, on the stack.
    if (b.size() < 64) {
        std::array<int, 64> row{};
        for (qsizetype j = 0; j <= a.size(); ++j)
            row[std::size_t(j)] = int(j);
        for (qsizetype i = 1; i <= b.size(); ++i) {
            int diagonal = row[0];
            row[0] = int(i);
            for (qsizetype j = 1; j <= a.size(); ++j) {
                const int above = row[std::size_t(j)];
                row[std::size_t(j)] = std::min({above + 1, row[std::size_t(j - 1)] + 1,
                                                diagonal + (a[j - 1] == b[i - 1] ? 0 : 1)});
                diagonal = above;
            }
        }
        return row[std::size_t(a.size())];
    }
    // Myers' bit-vector algorithm, in blocks of 64 rows (Hyyro's form for the whole distance):
    // each column of the table is kept as the signs of its vertical steps, so that one step over
    // the longer text costs a few operations per 64 characters of the shorter one.
    using Bits = quint64;
    const qsizetype blocks = (a.size() + 63) / 64;
    // The shorter text's characters, each once and sorted; a character's row of bits says where
    // it stands in that text, one bit a position, per block. A character it lacks has the last
    // row, which has no bits.
    std::vector<char16_t> alphabet;
    for (const QChar c : a)
        alphabet.push_back(c.unicode());
    std::sort(alphabet.begin(), alphabet.end());
    alphabet.erase(std::unique(alphabet.begin(), alphabet.end()), alphabet.end());
    const auto rowOf = [&](QChar c) {
        const auto found = std::lower_bound(alphabet.begin(), alphabet.end(), c.unicode());
        const bool known = found != alphabet.end() && *found == c.unicode();
        return std::size_t(known ? found - alphabet.begin() : qsizetype(alphabet.size())) *
               std::size_t(blocks);
    };
    std::vector<Bits> where((alphabet.size() + 1) * std::size_t(blocks), 0);
    for (qsizetype i = 0; i < a.size(); ++i)
        where[rowOf(a[i]) + std::size_t(i / 64)] |= Bits(1) << (i % 64);
    std::vector<Bits> plus(std::size_t(blocks), ~Bits(0)), minus(std::size_t(blocks), 0);
    const Bits last = Bits(1) << ((a.size() - 1) % 64);
    int distance = int(a.size());
    for (const QChar c : b) {
        const Bits* eq = &where[rowOf(c)];
        int carry = 1; // the top row grows by one per character
        for (qsizetype k = 0; k < blocks; ++k) {
            const Bits pv = plus[std::size_t(k)], mv = minus[std::size_t(k)];
            Bits e = eq[k];
            const Bits xv = e | mv;
            if (carry < 0)
                e |= 1;
            const Bits xh = (((e & pv) + pv) ^ pv) | e;
            Bits ph = mv | ~(xh | pv), mh = pv & xh;
            const Bits high = k + 1 == blocks ? last : Bits(1) << 63;
            const int out = ph & high ? 1 : mh & high ? -1 : 0;
            ph <<= 1;
            mh <<= 1;
            if (carry < 0)
                mh |= 1;
            else if (carry > 0)
                ph |= 1;
            plus[std::size_t(k)] = mh | ~(xv | ph);
            minus[std::size_t(k)] = ph & xv;
            carry = out;
        }
        distance += carry;
    }
    return distance;
}

QString comparableText(const QString& text)
{
    if (!text.contains(u'&') && !text.contains(u'%') && !text.contains(u'{'))
        return text;
    // Each placeholder one character; access key markers gone, "&&" one ampersand.
    const ScreenText read(text);
    QString plain;
    qsizetype i = 0;
    for (const TextPart& part : read.parts()) {
        if (part.kind != TextPart::Placeholder && part.kind != TextPart::AccessKey)
            continue;
        plain += QStringView(text).mid(i, part.start - i);
        if (part.kind == TextPart::Placeholder)
            plain += QChar(0xE000);
        i = part.start + part.length;
    }
    plain += QStringView(text).mid(i);
    return plain.replace(QLatin1String("&&"), QLatin1String("&"));
}

int matchScore(const QString& text, const QString& candidate)
{
    return comparableScore(comparableText(text), comparableText(candidate));
}

int comparableScore(const QString& a, const QString& b)
{
    if (a == b)
        return 100;
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return 99;
    const QString lowerA = a.toLower(), lowerB = b.toLower();
    const QStringList wordsA = lowerA.split(u' ', Qt::SkipEmptyParts);
    const QStringList wordsB = lowerB.split(u' ', Qt::SkipEmptyParts);
    const double words = wordDistance(wordsA, wordsB) /
                         double(std::max<qsizetype>({wordsA.size(), wordsB.size(), 1}));
    // Never both empty: the texts differ. Texts of spaces alone have no words.
    const double characters =
        double(characterDistance(lowerA, lowerB)) / double(std::max(lowerA.size(), lowerB.size()));
    // Never 99 or 100 for texts that differ in more than case.
    return std::min(98, int(100.0 * (1.0 - (words + characters) / 2.0) + 0.5));
}

int highestScore(qsizetype a, qsizetype b)
{
    const double characters = double(std::abs(a - b)) / double(std::max<qsizetype>({a, b, 1}));
    return int(100.0 * (1.0 - characters / 2.0) + 0.5);
}

QStringList trigramsOf(const QString& comparable)
{
    const QString text = QLatin1Char(' ') + comparable.toLower() + QLatin1Char(' ');
    QStringList trigrams;
    for (qsizetype i = 0; i + 3 <= text.size(); ++i)
        if (text.at(i + 1) != u' ' || text.size() <= 5)
            trigrams << text.mid(i, 3);
    trigrams.removeDuplicates();
    return trigrams;
}

QString fittedTranslation(const QString& source, const QString& target, const QString& text)
{
    const ScreenText read(text);
    QString fitted = read.count(TextPart::AccessKey) == 0 ? withoutAccessKeys(target) : target;
    // Qt's numbered placeholders: "%1", "%L1", "{0}" (printf's carry their own order).
    const auto all = [](const ScreenText& read) {
        QStringList found;
        for (const TextPart& part : read.parts()) {
            if (part.kind == TextPart::Placeholder && !part.key.contains(u'$'))
                found << part.key;
        }
        return found;
    };
    const QStringList from = all(ScreenText(source)), to = all(read);
    if (from.isEmpty() || from.size() != to.size() || from == to)
        return fitted;
    for (const QString& p : from) {
        if (from.count(p) != 1 || fitted.count(p) != 1)
            return fitted; // which one goes where is not clear
    }
    // Renamed through markers, so that "%1" -> "%2" and "%2" -> "%1" do not run into each other.
    for (qsizetype i = 0; i < from.size(); ++i)
        fitted.replace(from.at(i), QString(QChar(0xE100 + int(i))));
    for (qsizetype i = 0; i < to.size(); ++i)
        fitted.replace(QString(QChar(0xE100 + int(i))), to.at(i));
    return fitted;
}
