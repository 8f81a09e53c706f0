// The checks over a largest document of real words: every check over all 24 forms without and
// with spelling (Hunspell, nl_NL), the floor of asking Hunspell about every word once, and
// what the editor does per keystroke: the marks of a 400-character row; and a glossary of 5,000
// terms: its terms of a row found, and its check over all forms alone and with every other
// check, each pass with a glossary read anew.
#include "Dictionaries.h"
#include "Glossary.h"
#include "ReferenceChecks.h"
#include "WorkingCopy.h"

#include <QCoreApplication>

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <optional>

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

// Every check, or only the one given, with the speller and a glossary (as it is read, before it
// knows any word's stems) if given.
void checkAll(benchmark::State& state, const Speller* speller, const Glossary* glossary = nullptr,
              std::optional<Check> only = std::nullopt)
{
    Documents& d = documents();
    const WorkingCopy copy = openedWorkingCopy(d.document, 0);
    CheckSet checks;
    checks.speller = speller;
    if (only) {
        checks.on.fill(false);
        checks.on[std::size_t(*only)] = true;
    }
    for (auto _ : state) {
        std::optional<Glossary> read;
        if (glossary)
            checks.glossary = &read.emplace(*glossary);
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

// 5,000 terms: the document's 19 words with their translations, and two-word terms of made-up
// first words after them ("term17 file"), each stemmed by nl_NL and en_US.
Glossary glossaryOf5000()
{
    const QStringList english = QStringLiteral("file open save window text form row dictionary "
                                               "translation check settings user change delete "
                                               "add search replace exit")
                                    .split(u' ');
    const QStringList dutch = QStringLiteral("bestand openen opslaan venster tekst formulier rij "
                                             "woordenboek vertaling controle instellingen "
                                             "gebruiker wijzigen verwijderen toevoegen zoeken "
                                             "vervangen afsluiten")
                                  .split(u' ');
    QList<GlossaryTerm> terms;
    for (qsizetype i = 0; i < english.size(); ++i)
        terms.append({english.at(i), dutch.at(i)});
    for (int i = 0; terms.size() < 5000; ++i)
        terms.append({QStringLiteral("term%1 %2").arg(i).arg(english.at(i % english.size())),
                      QStringLiteral("term%1 %2").arg(i).arg(dutch.at(i % dutch.size()))});
    QString problem;
    std::shared_ptr<HunspellSpeller> en = HunspellSpeller::load(QStringLiteral("en_US"), problem);
    if (!en)
        qFatal("%s", qPrintable(problem));
    HunspellSpeller* nl = documents().speller.get();
    return Glossary(terms, HunspellSpeller::stemmer([en] { return en.get(); }),
                    HunspellSpeller::stemmer([nl] { return nl; }));
}

// The terms of a row of 300 characters, as the workbench marks them when the row is shown.
void BM_GlossaryTermsOfARow(benchmark::State& state)
{
    const Glossary glossary = glossaryOf5000();
    const QString reference = documents().reference.formText(1).at(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(glossary.find(reference).size());
}

// The glossary check alone over all forms, and with every other check.
void BM_GlossaryCheckOverAllForms(benchmark::State& state)
{
    const Glossary glossary = glossaryOf5000();
    checkAll(state, nullptr, &glossary, Check::Glossary);
}

void BM_EveryCheckAndGlossaryOverAllForms(benchmark::State& state)
{
    const Glossary glossary = glossaryOf5000();
    checkAll(state, nullptr, &glossary);
}

BENCHMARK(BM_GlossaryTermsOfARow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlossaryCheckOverAllForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCheckAndGlossaryOverAllForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCheckOverAllForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCheckAndSpellingOverAllForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HunspellFloorEveryWordOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksOfA400CharacterRowAsTyped)->Unit(benchmark::kMillisecond);

} // namespace

LEXICANT_BENCHMARK_MAIN(QCoreApplication)
