// The memory on real texts, for bench/real_memory.py: fills a memory from a file of units and
// looks texts up in it, timing each lookup, and finds for each text the unit an exhaustive scan
// finds, by Lexicant's score, by the Levenshtein ratio and by the share of characters edited.
//
//   memory_lookup add MEMORY UNITS       each line "source<TAB>translation", English to Dutch
//   memory_lookup suggest MEMORY TEXTS [--scan UNITS]
//
// Texts are one a line, with a backslash, a line break and a tab written as \\, \n and \t.
// `suggest` writes a line of JSON for each text: the suggestions (score, source, translation),
// the milliseconds the lookup took and, with --scan, the units of the best score, of the best
// Levenshtein ratio and of the fewest edits an exhaustive scan of UNITS finds.
#include "Matching.h"
#include "TranslationMemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

QString unescaped(const QString& line)
{
    QString text;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) != u'\\' || i + 1 == line.size()) {
            text += line.at(i);
            continue;
        }
        const QChar next = line.at(++i);
        text += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
    }
    return text;
}

QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s cannot be read\n", qPrintable(path));
        std::exit(2);
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// 100 less the share of characters that differ: what translate-toolkit's tmdb calls alike.
int editRatio(const QString& a, const QString& b)
{
    const qsizetype longest = std::max(a.size(), b.size());
    return longest == 0 ? 100
                        : int(100.0 * (1.0 - double(characterDistance(a, b)) / double(longest)));
}

// The characters both texts keep in order, twice, against their lengths together: the Levenshtein
// ratio of python-Levenshtein and difflib.
int levenshteinRatio(const QString& a, const QString& b)
{
    if (a.isEmpty() && b.isEmpty())
        return 100;
    std::vector<int> previous(std::size_t(b.size()) + 1, 0), current(previous.size(), 0);
    for (const QChar ca : a) {
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto k = std::size_t(j);
            current[k] =
                ca == b.at(j - 1) ? previous[k - 1] + 1 : std::max(previous[k], current[k - 1]);
        }
        std::swap(previous, current);
    }
    return int(200.0 * double(previous.back()) / double(a.size() + b.size()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: memory_lookup add|suggest MEMORY FILE [--scan UNITS]\n");
        return 2;
    }
    TranslationMemory memory;
    if (const MemoryOpening opening = memory.open(args.at(2)); !opening.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(opening.error));
        return 1;
    }
    const QStringList lines = linesOf(args.at(3));
    if (args.at(1) == QLatin1String("add")) {
        QList<MemoryUnit> units;
        const QString origin = QFileInfo(args.at(3)).absoluteFilePath();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QStringList pair = lines.at(i).split(u'\t');
            units.append({QStringLiteral("en"),
                          QStringLiteral("nl"),
                          unescaped(pair.value(0)),
                          unescaped(pair.value(1)),
                          origin,
                          int(i / 201),
                          int(i % 201),
                          {}});
        }
        QElapsedTimer timer;
        timer.start();
        const MemoryAddition added = memory.add(units);
        if (!added.error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(added.error));
            return 1;
        }
        std::printf("{\"added\": %d, \"seconds\": %.1f}\n", added.added,
                    double(timer.elapsed()) / 1000.0);
        return 0;
    }
    QStringList scanned;
    if (args.size() > 5 && args.at(4) == QLatin1String("--scan"))
        for (const QString& line : linesOf(args.at(5)))
            scanned << unescaped(line.section(u'\t', 0, 0));
    QStringList comparables;
    for (const QString& source : scanned)
        comparables << comparableText(source);
    QTextStream out(stdout);
    for (const QString& line : lines) {
        const QString text = unescaped(line);
        QElapsedTimer timer;
        timer.start();
        const QList<Suggestion> found =
            memory.suggest(QStringLiteral("en"), QStringLiteral("nl"), text);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        QJsonArray suggestions;
        for (const Suggestion& s : found)
            suggestions.append(QJsonArray{s.score, s.unit.source, s.unit.target});
        QJsonObject result{{"text", text}, {"ms", ms}, {"suggestions", suggestions}};
        if (!scanned.isEmpty()) {
            const QString comparable = comparableText(text);
            int bestScore = -1, bestEdits = -1, bestRatio = -1;
            QString byScore, byEdits, byRatio;
            // Every unit, but those whose length alone keeps them from beating the best so far.
            for (qsizetype i = 0; i < scanned.size(); ++i) {
                const QString& unit = scanned.at(i);
                if (highestScore(comparable.size(), comparables.at(i).size()) > bestScore)
                    if (const int s = comparableScore(comparable, comparables.at(i)); s > bestScore)
                        bestScore = s, byScore = unit;
                const qsizetype shorter = std::min(text.size(), unit.size());
                const qsizetype longest = std::max({text.size(), unit.size(), qsizetype(1)});
                if (100 * shorter / longest > bestEdits)
                    if (const int r = editRatio(text, unit); r > bestEdits)
                        bestEdits = r, byEdits = unit;
                if (200 * shorter / std::max(text.size() + unit.size(), qsizetype(1)) > bestRatio)
                    if (const int r = levenshteinRatio(text, unit); r > bestRatio)
                        bestRatio = r, byRatio = unit;
            }
            result.insert("scan", QJsonArray{bestScore, byScore});
            result.insert("nearest", QJsonArray{bestRatio, byRatio});
            result.insert("nearest_edits", QJsonArray{bestEdits, byEdits});
        }
        out << QJsonDocument(result).toJson(QJsonDocument::Compact) << '\n';
    }
    return 0;
}
