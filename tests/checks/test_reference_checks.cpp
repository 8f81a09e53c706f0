// The checks of a translation against its reference, one table per check: the reference text,
// this file's text, and whether the check finds a problem (with its message where it matters).
#include "FindAll.h"
#include "ReferenceChecks.h"

#include "QtPrint.h"

#include <QFile>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct Case {
    const char* reference;
    const char* text;
    bool found;
};

// Runs one check alone over the cases.
void expectCheck(Check check, std::initializer_list<Case> cases)
{
    CheckSet only;
    only.on.fill(false);
    only.on[std::size_t(check)] = true;
    for (const Case& c : cases)
        EXPECT_EQ(rowProblems(c.reference, c.text, only).size(), c.found ? 1 : 0)
            << checkName(check).toStdString() << ": \"" << c.reference << "\" / \"" << c.text
            << "\"";
}

QString messageOf(const char* reference, const char* text)
{
    return rowProblems(reference, text).value(0).message;
}

} // namespace

TEST(ReferenceChecks, EachCheckAloneFindsItsCases)
{
    expectCheck(
        Check::Missing,
        {{"Open", "", true}, {"", "", false}, {"Open", "Openen", false}, {"", "Extra", false}});
    expectCheck(Check::Extra, {{"", "Extra", true}, {"Open", "", false}, {"", "", false}});
    expectCheck(Check::Same, {{"OK", "OK", true}, {"OK", "Ok", false}, {"OK", "OK ", false}});
    expectCheck(Check::AccessKeys,
                {{"&File", "&Bestand", false},
                 {"&File", "Bestand", true},
                 {"File", "&Bestand", true},
                 {"&File", "B&estand", false},
                 {"Ope&n", "Openen", true},
                 {"Salt && pepper", "Zout && peper", false},
                 {"Salt && pepper", "Zout & peper", false}, // "& ": no key
                 {"Audio Creation & Editing", "Audiocreatie en -bewerking", false},
                 {"&&Copy", "K&&opi&eer", true},
                 {"Trailing &", "Aan het eind", false}});
    expectCheck(Check::Placeholders, {{"%1 of %2", "%2 van %1", false},
                                      {"%1 of %2", "%1 van", true},
                                      {"%s files", "%d bestanden", true},
                                      {"%5.2f MB", "%5.2f MB", false},
                                      {"%ld rows", "%d rijen", true},
                                      {"100%", "100%", false},
                                      {"50%% done", "50%% klaar", false},
                                      {"{0} saved", "{0} opgeslagen", false},
                                      {"{0} saved", "{1} opgeslagen", true},
                                      {"%1", "%10", true},
                                      {"%s%s argument '%s' too large",
                                       "argument '%3$s' van %1$s%2$s is te groot", false},
                                      {"%L1 files", "%1 bestanden", true},
                                      {"%s of %d files", "%d van %s bestanden", true}, // swapped
                                      {"50% off", "50% korting", false}});
    expectCheck(Check::Spaces, {{" Name", " Naam", false},
                                {" Name", "Naam", true},
                                {"Name: ", "Naam:", true},
                                {"Name\t", "Naam\t", false},
                                {"Line\n", "Regel\n", false}});
    expectCheck(Check::Punctuation, {{"Save.", "Opslaan.", false},
                                     {"Save.", "Opslaan", true},
                                     {"Name:", "Naam", true},
                                     {"Sure?", "Zeker!", true},
                                     {"Open...", "Openen\xE2\x80\xA6", false},
                                     {"Open...", "Openen.", true},
                                     {"Done! ", "Klaar!", false}});
    expectCheck(Check::LineBreaks, {{"a\nb", "c\nd", false},
                                    {"a\nb", "cd", true},
                                    {"a\r\nb", "c\nd", false},
                                    {"a\rb", "c\r\nd", false},
                                    {"a\n\nb", "c\nd", true}});
    // The checks translate-toolkit's pofilter has too, with its verdict for each pair (pf: fails).
    expectCheck(Check::Numbers, {{"Version 2.5", "Versie 2.6", true},        // pf
                                 {"Version 2.5", "Versie 2.5", false},       //
                                 {"1 file", "Een bestand", true},            // pf
                                 {"Page 3 of 10", "Pagina 3 van 100", true}, // pf counts "10"
                                 {"between 1 and 65535", "tussen 1 en 100 65535", true}, // pf
                                 {"Step 1", "Stap 1", false},
                                 {"2.5 MB", "2,5 MB", false},
                                 {"-5 dB", "5 dB", true},
                                 {"1 file", "%1 bestand", true},  // the digit is a placeholder's
                                 {"Save %1", "Opslaan", false}}); // pf; a placeholder's
    expectCheck(Check::Tabs, {{"&Open...\tCtrl+O", "&Openen...Ctrl+O", true}, // pf
                              {"Open\tCtrl+O", "Openen\tCtrl+O", false}});
    expectCheck(Check::Capitals, {{"Open file", "bestand openen", true}, // pf
                                  {"e-mail", "E-mail", true},            // pf
                                  {"&Open", "&Openen", false},
                                  {"1 file", "één bestand", false},
                                  {"...", "...", false},
                                  {"A", "bc", false}});                   // one letter says nothing
    expectCheck(Check::Brackets, {{"Save (all)", "Alles opslaan", true},  // pf
                                  {"Close (Esc)", "Sluiten [Esc]", true}, // pf
                                  {"Close (Esc)", "Sluiten (Esc)", false}});
    expectCheck(Check::DoubleWords, {{"Open the file", "Open het het bestand", true}, // pf
                                     {"Open the the file", "Open het bestand", false},
                                     {"Bye.", "Dag. Dag.", true},
                                     {"either %s or %s", "ofwel %s ofwel %s", false}, // pf names
                                     {"<file>|-e<file>", "<bestand>|-e<bestand>", false},
                                     {"--bytes  bytes", "--bytes  bytes", false},
                                     {"abc ABC", "abc ABC", false}});      // the reference's own
    expectCheck(Check::DoubleSpaces, {{"Name:  here", "Naam: hier", true}, // pf
                                      {"Name: here", "Naam:  hier", true},
                                      {"-a   all", "-a  alles", false},   // pf: one pair each
                                      {"-a    all", "-a  alles", true}}); // pf
    expectCheck(Check::Urls, {{"See https://www.vantrel.com/help",
                               "Zie https://www.vantrel.nl/help", true},               // pf
                              {"Mail info@vantrel.com", "Mail info@vantrel.nl", true}, // pf emails
                              {"See www.vantrel.com", "Zie www.vantrel.com", false}});
    expectCheck(Check::Tags, {{"<b>Bold</b> text", "<i>Vet</i> tekst", true}, // pf
                              {"<Error>", "<Fout>", false},
                              {"<control-file> is the control file",
                               "<control-bestand> is het control-bestand", false},
                              {"Plain", "<b>Gewoon</b>", true}});
    expectCheck(Check::Encoding, {{"Open", "Ｏpen", true},
                                  {"Euro", "€ ½", false},
                                  {"Open", "Op\x04", true},
                                  {"\aTimed out", "\aTe lang gewacht", false}, // meant
                                  {"Tab\tCtrl+T\r\n", "Tab\tCtrl+T\r\n", false}});
    expectCheck(Check::Length,
                {{"Open", "Nu openen, of niet!", true}, {"Open", "Nu openen, of niet", false}});
    EXPECT_EQ(messageOf("Open", "Ｏpen"),
              "holds \"Ｏ\" (U+FF2F), which a language file cannot store");
    EXPECT_EQ(messageOf("Open", "Op\x7f"), "holds the control character DEL");
    EXPECT_EQ(messageOf("Open", ""), "the reference has a text here, this file has none");
    EXPECT_EQ(messageOf("", "Extra"), "this file has a text here, the reference has none");
    EXPECT_EQ(rowProblems("Open", "").size(), 1) << "an empty row is checked for nothing else";
    EXPECT_EQ(messageOf("&File", "Bestand"), "0 \"&\" access keys, the reference 1");
    EXPECT_EQ(messageOf("%1 of %2", "%1 van"), "placeholders \"%1\", the reference \"%1 %2\"");
    EXPECT_EQ(messageOf("Save.", "Opslaan"), "ends with none, the reference with \".\"");
    EXPECT_EQ(messageOf("a\nb", "cd"), "0 line breaks, the reference 1");
}

// The words a dictionary is asked about, with capitals ("EGID", "PackageKit") asked only when
// wanted, and a compound joined by hyphens part by part.
TEST(ReferenceChecks, SpellingAsksAboutWordsOnlyNotAddressesKeysPlaceholdersOrProductNames)
{
    const auto words = [](bool capitals) {
        QStringList asked;
        for (const SpelledWord& w :
             spellingRanges("Be&werken %1 {0} %s 2x www.vantrel.nl a@b.nl Lexicant opslaam "
                            "Geïnstalleerd coördinatie café EGID PackageKit <b>vet</b> x_y Commit "
                            "Commits Repositories Branches Opens",
                            "Edit with Lexicant, commit the repository branch", capitals))
            asked << w.word;
        return asked.join(u' ');
    };
    EXPECT_EQ(words(false), "Bewerken opslaam Geïnstalleerd coördinatie café vet Opens");
    EXPECT_EQ(words(true),
              "Bewerken opslaam Geïnstalleerd coördinatie café EGID PackageKit vet Opens");
    QStringList parts; // each part of a compound, where it is
    for (const SpelledWord& w : spellingRanges("e-mailadres, tar-archief", "tar archive"))
        parts << QString("%1+%2 %3").arg(w.start).arg(w.length).arg(w.word);
    EXPECT_EQ(parts.join(", "), "2+9 mailadres, 17+7 archief");
}

// What an editor underlines as it is typed: words the speller does not know, and characters a
// language file cannot store (a pair of surrogates as one), in text order.
TEST(ReferenceChecks, TheMarksOfATextAreUnknownWordsAndCharactersAFileCannotStore)
{
    struct Knows : Speller {
        bool knows(const QString& word) const override
        {
            return word != "opslaam" && word != "bijv" && word != "veiligheids";
        }
    } speller;
    const struct {
        const char* text;
        const Speller* speller;
        const char* marks;
    } cases[] = {
        {"Bestand opslaam", nullptr, ""},
        {"Bestand opslaam", &speller, "8+7 opslaam"},
        {"Ｏpen opslaam 😀", &speller, "0+1 Ｏ, 5+7 opslaam, 13+2 😀"},
        {"a😀b €, ½", nullptr, "1+2 😀"},
        {"Łukasz", nullptr, "0+1 Ł"},
        {"✓ and ✓", nullptr, "0+1 ✓, 6+1 ✓"},
        {"opslaam ✓ opslaam", &speller, "0+7 opslaam, 8+1 ✓, 10+7 opslaam"},
        {"bijv. opslaan, bijv", &speller, "15+4 bijv"}, // an abbreviation with its full stop
        {"veiligheids-instelling veiligheids", &speller, "23+11 veiligheids"}, // a linking s
    };
    for (const auto& c : cases) {
        QStringList marks;
        for (const SpelledWord& w : textMarks(c.text, "Save the file", c.speller))
            marks << QStringLiteral("%1+%2 %3").arg(w.start).arg(w.length).arg(w.word);
        EXPECT_EQ(marks.join(", "), c.marks) << c.text;
    }
    // Half a pair at the end, as a cut text may leave it, is one character.
    EXPECT_EQ(textMarks(QStringLiteral("ab") + QChar(0xD83D), {}, nullptr).value(0).length, 1);
}

// Each text beside the reference row it translates, in the forms as stored and in the row list of
// the selected form: "row:text" for each pair, with "->n" where saving the form stores it
// elsewhere.
TEST(ReferenceChecks, EachTextIsPairedWithTheRowItTranslates)
{
    LanguageDocument document;
    document.formText(2).set(0, "Nu");   // two characters: a row
    document.formText(2).set(2, "Twee"); // after a gap
    document.formText(2).set(3, "X");    // one character: no row of the list
    document.formText(2).set(4, "Vier");
    const struct {
        const char* name;
        std::function<void(WorkingCopy&)> edit; // the row list of form 2, selected
        const char* pairs;
    } cases[] = {
        {"not selected: as stored", nullptr, "0:Nu 2:Twee->1 3:X 4:Vier->2"},
        {"selected, as shown", [](WorkingCopy&) {}, "0:Nu 2:Twee->1 4:Vier->2"},
        {"a row inserted",
         [](WorkingCopy& c) { c.rows.insert(1, "<NEW>"), c.origins.insert(1, -1); },
         "0:Nu 1:<NEW> 2:Twee 4:Vier->3"},
        {"a row inserted first",
         [](WorkingCopy& c) { c.rows.insert(0, "<NEW>"), c.origins.insert(0, -1); },
         "0:<NEW> 0:Nu->1 2:Twee 4:Vier->3"},
        {"a row deleted", [](WorkingCopy& c) { c.rows.removeAt(0), c.origins.removeAt(0); },
         "2:Twee->0 4:Vier->1"},
        {"a row added at the end", [](WorkingCopy& c) { c.rows << "Vijf"; },
         "0:Nu 2:Twee->1 3:Vijf 4:Vier->2"},
    };
    for (const auto& c : cases) {
        WorkingCopy copy = openedWorkingCopy(document, c.edit ? 2 : 0);
        if (c.edit)
            c.edit(copy);
        QStringList pairs;
        for (const PairedText& p : pairedTexts(document, copy, c.edit ? 2 : 0, 2))
            pairs << QStringLiteral("%1:%2%3").arg(p.row).arg(p.text).arg(
                p.savedAt == p.row ? QString() : QStringLiteral("->%1").arg(p.savedAt));
        EXPECT_EQ(pairs.join(' '), c.pairs) << c.name;
    }
}

// A file's problems from every form, the last too, each where it is: a gap is missing there and
// the rows after it move, without other problems; a text translated two ways is named where it
// differs from most, and a reference text changed since a row was translated.
TEST(ReferenceChecks, AFilesProblemsComeFromEveryFormEachWhereItIs)
{
    LanguageDocument reference, document;
    for (int row = 0; row < 3; ++row)
        reference.formText(2).set(row, QStringLiteral("Row %1.").arg(row));
    document.formText(2).set(0, "Rij 0.");
    document.formText(2).set(2, "Rij 2.");
    document.formText(5).set(0, "Extra");
    for (int form : {1, 3, 4, 24})
        reference.formText(form).set(0, "Open");
    document.formText(1).set(0, "Open maken");
    document.formText(3).set(0, "Openen");
    document.formText(4).set(0, "Openen");
    document.formText(24).set(0, "Opnen");
    document.formText(24).set(1, "More");
    const auto found = [](const QList<Problem>& problems) {
        QStringList places;
        for (const Problem& p : problems)
            places << QStringLiteral("%1/%2 %3").arg(p.form).arg(p.row).arg(checkName(p.check));
        return places.join(", ");
    };
    ReferenceCounts counts;
    const QList<Problem> problems =
        referenceProblems(reference, document, WorkingCopy{}, 0, {}, &counts);
    EXPECT_EQ(found(problems), "1/0 consistency, 2/1 missing, 2/2 moves-at-save, 5/0 extra, "
                               "24/0 consistency, 24/1 extra");
    EXPECT_EQ(problems[0].message, "translated as \"Openen\" in form 3, row 0");
    EXPECT_EQ(problems[2].message, "stored as row 2, the commit moves it to row 1");
    EXPECT_EQ(std::tuple(counts.translated, counts.referenceRows, counts.problems),
              std::tuple(6, 7, 6));
    CheckSet none;
    none.on.fill(false);
    EXPECT_TRUE(referenceProblems(reference, document, WorkingCopy{}, 2, none).isEmpty());

    const QHash<std::pair<int, int>, QString> translatedFrom = {
        {{1, 0}, "Close"}, {{2, 0}, "Row 0."}, {{24, 200}, "Quit"}, // only these can be named
        {{0, 0}, "x"},     {{25, 0}, "x"},     {{1, -1}, "x"},      {{1, 201}, "x"}};
    const QList<Problem> changed = changedProblems(reference, translatedFrom);
    EXPECT_EQ(found(changed), "1/0 changed, 24/200 changed");
    EXPECT_EQ(changed.at(0).message, "the reference was \"Close\" when translated, now \"Open\"");

    // The review beside the file knows what a row was translated from better than the memory;
    // a problem accepted for the row as it is now is none and not counted, one accepted for
    // another text still is.
    Review review;
    review.rows[{1, 0}] = stored(nullptr, "Open maken", "Close", RowState::Translated);
    review.rows[{24, 1}] = stored(nullptr, "More", "", RowState::Translated);
    review.rows[{24, 1}].accepted = QStringList{"extra"};
    review.rows[{5, 0}] = stored(nullptr, "Extra!", "", RowState::Translated);
    review.rows[{5, 0}].accepted = QStringList{"extra"};
    const QHash<std::pair<int, int>, QString> memory = {{{1, 0}, "Shut"}};
    const QList<Problem> reviewed = referenceProblems(reference, document, WorkingCopy{}, 0, {},
                                                      &counts, &memory, nullptr, &review);
    EXPECT_EQ(found(reviewed), "1/0 consistency, 1/0 changed, 2/1 missing, 2/2 moves-at-save, "
                               "5/0 extra, 24/0 consistency");
    EXPECT_EQ(reviewed.at(1).was, "Close");
    EXPECT_EQ(counts.problems, 6);

    // A row inserted in the last form, selected, translates the row after it a second way.
    reference.formText(24).set(2, "Save");
    document.formText(24).set(2, "Opslaan");
    WorkingCopy copy = openedWorkingCopy(document, 24);
    copy.rows.insert(2, "Bewaren");
    copy.origins.insert(2, WorkingCopy::Added);
    EXPECT_EQ(found(referenceProblems(reference, document, copy, 24)),
              "1/0 consistency, 2/1 missing, 2/2 moves-at-save, 5/0 extra, 24/0 consistency, "
              "24/1 extra, 24/2 moves-at-save, 24/2 consistency");
}

// Problems kept between passes are the ones a full check finds, whichever text of a row changed:
// in the selected form's row list (rows inserted and deleted too) or its reference, or in another
// form's stored rows, and so the rows translated two ways.
TEST(ReferenceChecks, ProblemsKeptBetweenPassesAreThoseOfAFullCheck)
{
    LanguageDocument reference, document;
    for (int place = 0; place < 8; ++place) { // forms 1 and 2, rows 0 to 3
        reference.formText(1 + place / 4).set(place % 4, QString("Open %1 files.").arg(place % 4));
        document.formText(1 + place / 4)
            .set(place % 4, QString("Open %1 bestanden.").arg(place % 4));
    }
    WorkingCopy copy = openedWorkingCopy(document, 1);
    const struct {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"a row of the selected form", [&] { copy.rows[1] = "Open bestanden"; }},
        {"a stored row of another form", [&] { document.formText(2).set(2, "Open 2 files."); }},
        {"a row inserted in the selected form, translating a row checked before",
         [&] {
             copy.rows.insert(1, "Open 1 files.");
             copy.origins.insert(1, WorkingCopy::Added);
         }},
        {"a row deleted from the selected form",
         [&] {
             copy.rows.removeAt(0);
             copy.origins.removeAt(0);
         }},
        {"the same reference text translated otherwise in another form",
         [&] { document.formText(2).set(3, "Open 3 mappen."); }},
        {"a reference row of the selected form",
         [&] { reference.formText(1).set(3, "Close 3 files!"); }},
    };
    CheckedForms checked;
    referenceProblems(reference, document, copy, 1, {}, nullptr, nullptr, &checked);
    for (const auto& c : cases) {
        c.change();
        EXPECT_EQ(referenceProblems(reference, document, copy, 1, {}, nullptr, nullptr, &checked),
                  referenceProblems(reference, document, copy, 1))
            << c.name;
    }
}

TEST(FindAll, RowsNamesAndSettingsOfBothFilesEachAtItsPlace)
{
    LanguageDocument document, reference;
    document.formText(2).set(0, "Open file");
    document.formText(2).set(2, "Open again"); // after a gap: found at the row it was read from
    document.FormNames.set(3, "Opening");
    document.setSetting(FileSetting::Author, "Opener");
    reference.formText(2).set(1, "OPEN");
    reference.FormNames.set(1, "Openers");
    reference.setSetting(FileSetting::Application, "open app");
    const auto found = [&](Qt::CaseSensitivity sensitivity) {
        QStringList places;
        for (const FoundText& f : findInAllForms(document, openedWorkingCopy(document, 0), 0,
                                                 &reference, "Open", sensitivity))
            places << f.where() + ": " + f.text;
        return places.join(" / ");
    };
    EXPECT_EQ(found(Qt::CaseInsensitive),
              "Form 2, row 0: Open file / Form 2, row 2: Open again / Name of form 3: Opening / "
              "Author: Opener / Reference: Name of form 1: Openers / Reference: Form 2, row 1: "
              "OPEN / Reference: Application: open app");
    EXPECT_EQ(found(Qt::CaseSensitive), "Form 2, row 0: Open file / Form 2, row 2: Open again / "
                                        "Name of form 3: Opening / Author: Opener / Reference: "
                                        "Name of form 1: Openers");
}

// Lexicant's own Dutch: every text translated, and each translation keeps its source's access
// keys, placeholders, spaces, final punctuation and line breaks.
TEST(ReferenceChecks, TheInterfacesDutchTranslationIsCompleteAndPassesTheChecks)
{
    QFile file(LEXICANT_DUTCH_TS);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    CheckSet checks;
    for (Check off : {Check::Missing, Check::Extra, Check::Same, Check::MovesAtSave})
        checks.on[std::size_t(off)] = false;
    QString source, text, *reading = nullptr;
    QStringList forms, problems;
    int messages = 0;
    while (!ts.atEnd()) {
        ts.readNext();
        const auto name = ts.name();
        if (ts.isStartElement() && (name == u"source" || name == u"translation")) {
            (reading = name == u"source" ? &source : &text)->clear();
            if (ts.attributes().hasAttribute("type")) // unfinished, obsolete
                problems << source + ": " + ts.attributes().value("type").toString();
        } else if (ts.isStartElement() && name == u"byte") { // a carriage return
            *reading += QChar(ts.attributes().value("value").mid(1).toUInt(nullptr, 16)); // "xd"
        } else if (ts.isCharacters() && reading) {
            *reading += ts.text();
        } else if (ts.isEndElement() && name == u"numerusform") {
            forms << std::exchange(text, QString());
        } else if (ts.isEndElement() && name == u"message" && ++messages) {
            for (const QString& translation : forms.isEmpty() ? QStringList{text} : forms) {
                for (const RowProblem& p : rowProblems(source, translation, checks))
                    problems << source + " / " + translation + ": " + p.message;
                if (translation.isEmpty())
                    problems << source + ": untranslated";
            }
            forms.clear();
        } else if (ts.isEndElement() && name != u"byte") {
            reading = nullptr;
        }
    }
    EXPECT_FALSE(ts.hasError()) << ts.errorString().toStdString();
    EXPECT_GT(messages, 200);
    EXPECT_EQ(problems, QStringList());
}

TEST(ReferenceChecks, NextAndPreviousProblemGoOnFromAPlaceAndWrapAround)
{
    const QList<Problem> problems = {
        {1, 0, Check::Same, {}}, {1, 2, Check::Same, {}}, {3, 1, Check::Same, {}}};
    const struct {
        ProblemPlace from;
        int step;
        ProblemPlace to;
    } cases[] = {{{1, 0}, 1, {1, 2}},  {{2, 5}, 1, {3, 1}},  {{3, 1}, 1, {1, 0}},
                 {{2, 0}, -1, {1, 2}}, {{1, 0}, -1, {3, 1}}, {{0, -1}, -1, {3, 1}}};
    for (const auto& c : cases) {
        const std::optional<Problem> found = problemFrom(problems, c.from, c.step);
        ASSERT_TRUE(found);
        EXPECT_EQ(ProblemPlace({found->form, found->row}), c.to)
            << c.from.form << "," << c.from.row << " step " << c.step;
    }
    EXPECT_FALSE(problemFrom({}, {1, 0}, 1));
}
