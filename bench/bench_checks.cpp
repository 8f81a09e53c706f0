// The checks over a largest document of real words: every check over all 24 forms without and
// with spelling (Hunspell, nl_NL), the floor of asking Hunspell about every word once, and
// what the editor does per keystroke: the marks of a 400-character row.
#include "Dictionaries.h"
#include "ReferenceChecks.h"
#include "WorkingCopy.h"

#include <QCoreApplication>

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

// 24 forms of 201 rows of about 300 characters: Dutch words, one misspelt in every row, beside
// an English reference.
struct Documents {
    LanguageDocument reference, document;
    std::unique_ptr<HunspellSpeller> speller;

    Documents()
    {
        const QStringList dutch =
            QStringLiteral(
                "bestand openen opslaan venster tekst formulier rij woordenboek vertaling controle "
                "instellingen gebruiker wijzigen verwijderen toevoegen zoeken vervangen afsluiten")
                .split(u' ');
        const QStringList english =
            QStringLiteral(
                "file open save window text form row dictionary translation check settings user "
                "change delete add search replace exit")
                .split(u' ');
        for (int form = 1; form <= LanguageDocument::FormCount; ++form) {
            for (int row = 0; row < LanguageDocument::RowCount; ++row) {
                QStringList nl{QStringLiteral("Bestnad")}, en{QStringLiteral("File")};
                for (int w = 0; w < 30; ++w) {
                    nl << dutch.at((form + row + w) % dutch.size());
                    en << english.at((form + row + w) % english.size());
                }
                document.formText(form).set(row, nl.join(u' ') + u'.');
                reference.formText(form).set(row, en.join(u' ') + u'.');
            }
        }
        QString problem;
        speller = HunspellSpeller::load(QStringLiteral("nl_NL"), problem);
        if (!speller)
            qFatal("%s", qPrintable(problem));
    }
};

Documents& documents()
{
    static Documents d;
    return d;
}

void checkAll(benchmark::State& state, const Speller* speller)
{
    Documents& d = documents();
    const WorkingCopy copy = openedWorkingCopy(d.document, 0);
    CheckSet checks;
    checks.speller = speller;
    for (auto _ : state) {
        const QList<Problem> problems = referenceProblems(d.reference, d.document, copy, 0, checks);
        benchmark::DoNotOptimize(problems.size());
        state.counters["problems"] = double(problems.size());
    }
}

void BM_EveryCheckOverAllForms(benchmark::State& state)
{
    checkAll(state, nullptr);
}

void BM_EveryCheckAndSpellingOverAllForms(benchmark::State& state)
{
    checkAll(state, documents().speller.get());
}

// The floor of spelling: Hunspell asked about each word of the document once.
void BM_HunspellFloorEveryWordOnce(benchmark::State& state)
{
    Documents& d = documents();
    QStringList words;
    for (int form = 1; form <= LanguageDocument::FormCount; ++form)
        for (int row = 0; row < LanguageDocument::RowCount; ++row)
            words << d.document.formText(form).at(row).split(u' ');
    for (auto _ : state) {
        int known = 0;
        for (const QString& word : std::as_const(words))
            known += d.speller->knows(word) ? 1 : 0;
        benchmark::DoNotOptimize(known);
    }
}

// Per keystroke in the table's editor or the row dialog: the marks of a row of 400 characters.
void BM_MarksOfA400CharacterRowAsTyped(benchmark::State& state)
{
    Documents& d = documents();
    const QString text = d.document.formText(1).at(0).left(399) + u'x';
    const QString reference = d.reference.formText(1).at(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(textMarks(text, reference, d.speller.get()).size());
}

BENCHMARK(BM_EveryCheckOverAllForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCheckAndSpellingOverAllForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HunspellFloorEveryWordOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksOfA400CharacterRowAsTyped)->Unit(benchmark::kMillisecond);

} // namespace

LEXICANT_BENCHMARK_MAIN(QCoreApplication)
