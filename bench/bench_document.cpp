// Load and save of language files against the floor of reading and writing the same bytes.
#include "Examples.h"
#include "LanguageFile.h"
#include "LanguageFormat.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

// Every table packed to exactly 65,535 bytes, the most a field can hold.
LanguageDocument largest()
{
    LanguageDocument document;
    for (int t = 0; t < LanguageDocument::TableCount; ++t) {
        LanguageTable& table = document.table(t);
        const int text = int(lsf::MaxFieldBytes) - table.size();
        const int each = text / table.size();
        int extra = text % table.size();
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i)
            table.set(i, QString(each + (extra-- > 0 ? 1 : 0), QChar(u'a' + i % 26)));
    }
    return document;
}

struct Fixture {
    QTemporaryDir dir;
    QString example = dir.filePath("example.lsf");
    QString big = dir.filePath("largest.lsf");
    QString scratch = dir.filePath("scratch.lsf");
    QByteArray bigBytes;

    Fixture()
    {
        writeLanguageFile(startHelloDocument(), example);
        writeLanguageFile(largest(), big);
        QFile file(big);
        file.open(QIODevice::ReadOnly);
        bigBytes = file.readAll();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void loadFile(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        LanguageDocument document;
        const ReadResult read = readLanguageFile(path);
        lsf::applyFields(read.parsed, document);
        benchmark::DoNotOptimize(document);
    }
}

void BM_LoadWorkedExample(benchmark::State& state)
{
    loadFile(state, fixture().example);
}
void BM_LoadLargest(benchmark::State& state)
{
    loadFile(state, fixture().big);
    state.SetBytesProcessed(state.iterations() * fixture().bigBytes.size());
}

void BM_ReadFloorLargest(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(fixture().big);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * fixture().bigBytes.size());
}

void saveFile(benchmark::State& state, const LanguageDocument& document)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(writeLanguageFile(document, fixture().scratch));
}

void BM_SaveWorkedExample(benchmark::State& state)
{
    saveFile(state, startHelloDocument());
}
void BM_SaveLargest(benchmark::State& state)
{
    saveFile(state, largest());
    state.SetBytesProcessed(state.iterations() * fixture().bigBytes.size());
}

void BM_WriteFloorLargest(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(fixture().scratch);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        benchmark::DoNotOptimize(file.write(fixture().bigBytes));
    }
    state.SetBytesProcessed(state.iterations() * fixture().bigBytes.size());
}

BENCHMARK(BM_LoadWorkedExample);
BENCHMARK(BM_SaveWorkedExample);
BENCHMARK(BM_LoadLargest);
BENCHMARK(BM_ReadFloorLargest);
BENCHMARK(BM_SaveLargest);
BENCHMARK(BM_WriteFloorLargest);

} // namespace

LEXICANT_BENCHMARK_MAIN(QCoreApplication)
