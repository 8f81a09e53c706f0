// The translation memory: the suggestions for one row in a memory of 100,000 units beside one of
// 1,000 (median and worst of 100 rows), adding the 4,824 rows of a largest pair, and one, two and
// four writers adding such a pair each to one memory at once.
#include "TranslationMemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

namespace {

// Screen texts of three to eight words from a vocabulary of a thousand.
QString sentence(QRandomGenerator& random)
{
    QStringList words;
    const int n = 3 + int(random.bounded(6));
    for (int i = 0; i < n; ++i)
        words << QStringLiteral("w%1x").arg(random.bounded(1000), 3, 36, QLatin1Char('a'));
    return words.join(u' ');
}

QList<MemoryUnit> unitsOf(int count, QRandomGenerator& random)
{
    QList<MemoryUnit> units;
    for (int i = 0; i < count; ++i)
        units.append({QStringLiteral("en"),
                      QStringLiteral("nl"),
                      sentence(random),
                      sentence(random),
                      QStringLiteral("bench.lsf"),
                      1 + i / 201,
                      i % 201,
                      {}});
    return units;
}

void BM_SuggestionsForARow(benchmark::State& state)
{
    QTemporaryDir dir;
    QRandomGenerator random(7);
    TranslationMemory memory;
    memory.open(dir.filePath(QStringLiteral("tm.sqlite")));
    const QList<MemoryUnit> units = unitsOf(int(state.range(0)), random);
    memory.add(units);
    // Rows to translate: texts of the memory with one word changed.
    QStringList rows;
    for (int i = 0; i < 100; ++i) {
        QStringList words = units.at(int(random.bounded(units.size()))).source.split(u' ');
        words[0] = QStringLiteral("changed");
        rows << words.join(u' ');
    }
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        for (const QString& row : rows) {
            QElapsedTimer timer;
            timer.start();
            benchmark::DoNotOptimize(
                memory.suggest(QStringLiteral("en"), QStringLiteral("nl"), row));
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
}

void BM_AddTheRowsOfALargestPair(benchmark::State& state)
{
    QRandomGenerator random(9);
    const QList<MemoryUnit> units = unitsOf(24 * 201, random);
    for (auto _ : state) {
        QTemporaryDir dir;
        TranslationMemory memory;
        memory.open(dir.filePath(QStringLiteral("tm.sqlite")));
        benchmark::DoNotOptimize(memory.add(units));
    }
}

// Writers at once, each adding a different file's rows to a memory none of them finds made:
// each waits for the others' transactions. The counter says how many units were lost (none).
void BM_WritersAtOnce(benchmark::State& state)
{
    const int writers = int(state.range(0));
    QRandomGenerator random(11);
    QList<QList<MemoryUnit>> files;
    for (int w = 0; w < writers; ++w) {
        files << unitsOf(24 * 201, random);
        for (MemoryUnit& unit : files.last())
            unit.origin = QStringLiteral("writer%1.lsf").arg(w);
    }
    qsizetype missing = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tm.sqlite"));
        std::vector<std::thread> threads;
        for (int w = 0; w < writers; ++w) {
            threads.emplace_back([&, w] {
                TranslationMemory memory(60000);
                if (memory.open(path).error.isEmpty())
                    memory.add(files.at(w));
            });
        }
        for (std::thread& t : threads)
            t.join();
        state.PauseTiming();
        TranslationMemory check;
        check.open(path);
        missing += qsizetype(writers) * 24 * 201 - check.units().size();
        state.ResumeTiming();
    }
    state.counters["units_missing"] = double(missing);
}

BENCHMARK(BM_SuggestionsForARow)
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddTheRowsOfALargestPair)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritersAtOnce)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

LEXICANT_BENCHMARK_MAIN(QCoreApplication)
