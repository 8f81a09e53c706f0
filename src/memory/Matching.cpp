#include "Matching.h"

#include "ReferenceChecks.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

// Levenshtein distance over any two sequences.
template <typename Sequence>
int editDistance(const Sequence& a, const Sequence& b)
{
    std::vector<int> previous(std::size_t(b.size()) + 1), current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int substitute = previous[std::size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[std::size_t(j)] = std::min(
                {previous[std::size_t(j)] + 1, current[std::size_t(j - 1)] + 1, substitute});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

} // namespace

QString comparableText(const QString& text)
{
    static const QRegularExpression placeholder(
        QStringLiteral(R"(%\d+\$?[a-zA-Z]?|%[-+#0]*\d*(?:\.\d+)?[a-zA-Z]|\{\d+\})"));
    QString plain = withoutAccessKeys(text);
    if (plain.contains(u'%') || plain.contains(u'{'))
        plain.replace(placeholder, QString(QChar(0xE000)));
    return plain;
}

int matchScore(const QString& text, const QString& candidate)
{
    const QString a = comparableText(text), b = comparableText(candidate);
    if (a == b)
        return 100;
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return 99;
    const QString lowerA = a.toLower(), lowerB = b.toLower();
    const QStringList wordsA = lowerA.split(u' ', Qt::SkipEmptyParts);
    const QStringList wordsB = lowerB.split(u' ', Qt::SkipEmptyParts);
    const double words = double(editDistance(wordsA, wordsB)) /
                         double(std::max<qsizetype>({wordsA.size(), wordsB.size(), 1}));
    const double characters = double(editDistance(lowerA, lowerB)) /
                              double(std::max<qsizetype>({lowerA.size(), lowerB.size(), 1}));
    // Never 99 or 100 for texts that differ in more than case.
    return std::min(98, int(100.0 * (1.0 - (words + characters) / 2.0) + 0.5));
}

QStringList trigramsOf(const QString& comparable)
{
    const QString text = QLatin1Char(' ') + comparable.toLower() + QLatin1Char(' ');
    QStringList trigrams;
    for (qsizetype i = 0; i + 3 <= text.size(); ++i)
        trigrams << text.mid(i, 3);
    trigrams.removeDuplicates();
    return trigrams;
}

QString fittedTranslation(const QString& source, const QString& target, const QString& text)
{
    QString fitted = withoutAccessKeys(text) == text ? withoutAccessKeys(target) : target;
    static const QRegularExpression placeholder(QStringLiteral(R"(%[1-9]|\{\d+\})"));
    const auto all = [](const QString& s) {
        QStringList found;
        for (auto m = placeholder.globalMatch(s); m.hasNext();)
            found << m.next().captured();
        return found;
    };
    const QStringList from = all(source), to = all(text);
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
