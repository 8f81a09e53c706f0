// A glossary's terms found in texts as a translator finds them, with the stems of Debian's
// English and Dutch dictionaries.
#include "Dictionaries.h"
#include "Glossary.h"
#include "ReferenceChecks.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

namespace {

const QList<GlossaryTerm> Terms = {
    {"language file", "taalbestand"}, {"file", "bestand"}, {"form", "formulier"},
    {"Lexicant", {}, true},           {"row", "rij"},
};

Stemmer stemmer(const char* language)
{
    QString problem;
    std::shared_ptr<HunspellSpeller> speller = HunspellSpeller::load(language, problem);
    EXPECT_TRUE(speller) << problem.toStdString();
    return
        [speller](const QString& word) { return speller ? speller->stems(word) : QStringList(); };
}

} // namespace

TEST(Glossary, TermsAreWholeWordsInAnyCaseAndFormTheLongestFirst)
{
    const Glossary glossary(Terms, stemmer("en_US"), {});
    const struct {
        const char* text;
        QStringList found; // each place's text
    } cases[] = {
        {"Open the &Language File", {"&Language File"}}, // the longer, its access key in it
        {"Save all files", {"files"}},                   // a plural
        {"Profile", {}},                                 // inside a word, or made with it
        {"Rows of this form", {"Rows", "form"}},         // in the order they stand
        {"lexicant's file", {"file"}},                   // another word than the name
        {"Open file.txt or --file in $FILE", {}},        // code and words in capitals
    };
    for (const auto& c : cases) {
        QStringList found;
        for (const TermPlace& place : glossary.find(c.text))
            found << QString(c.text).mid(place.start, place.length);
        EXPECT_EQ(found, c.found) << c.text;
    }
}

TEST(Glossary, ATranslationMustHoldEachTermsTranslationInAnyFormAndANameAsWritten)
{
    const Glossary glossary(Terms, stemmer("en_US"), stemmer("nl_NL"));
    const struct {
        const char* reference;
        const char* text;
        QStringList problems;
    } cases[] = {
        {"Save the forms", "Sla de formulieren op", {}},
        {"Save the forms", "Sla de schermen op", {"\"forms\" is \"formulier\" in the glossary"}},
        {"Open a language file", "Open een taalbestand", {}},
        {"About Lexicant", "Over Lexicant", {}},
        {"About Lexicant", "Over lexicant", {"\"Lexicant\" is kept as written, by the glossary"}},
        {"Delete 3 rows", "Verwijder 3 rijen", {}},
        {"File name", "Bestandsnaam", {}},               // in a compound, first
        {"Row of files", "Rij van tekstbestanden", {}},  // or last
        {"The file list", "De tekstbestandenlijst", {}}, // or inside
        {"About Lexicant", "Lexicant-info", {}},         // a name in a compound
    };
    CheckSet checks;
    checks.on.fill(false);
    checks.on[std::size_t(Check::Glossary)] = true;
    checks.glossary = &glossary;
    for (const auto& c : cases) {
        QStringList problems;
        for (const RowProblem& problem : rowProblems(c.reference, c.text, checks))
            problems << problem.message;
        EXPECT_EQ(problems, c.problems) << c.reference << " / " << c.text;
    }
}
