// The checks of a translation against its reference, one table per check: the reference text,
// this file's text, and whether the check finds a problem (with its message where it matters).
#include "ReferenceChecks.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

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
    for (const Case& c : cases) {
        const QList<RowProblem> problems =
            rowProblems(QString::fromUtf8(c.reference), QString::fromUtf8(c.text), only);
        EXPECT_EQ(problems.size(), c.found ? 1 : 0) << checkName(check).toStdString() << ": \""
                                                    << c.reference << "\" / \"" << c.text << "\"";
    }
}

QString messageOf(const char* reference, const char* text)
{
    const QList<RowProblem> problems =
        rowProblems(QString::fromUtf8(reference), QString::fromUtf8(text));
    return problems.isEmpty() ? QString() : problems.first().message;
}

} // namespace

TEST(ReferenceChecks, MissingAndExtraRowsAndTheSameText)
{
    expectCheck(
        Check::Missing,
        {{"Open", "", true}, {"", "", false}, {"Open", "Openen", false}, {"", "Extra", false}});
    expectCheck(Check::Extra, {{"", "Extra", true}, {"Open", "", false}, {"", "", false}});
    expectCheck(Check::Same, {{"OK", "OK", true}, {"OK", "Ok", false}, {"OK", "OK ", false}});
    EXPECT_EQ(messageOf("Open", ""), "the reference has a text here, this file has none");
    EXPECT_EQ(messageOf("", "Extra"), "this file has a text here, the reference has none");
    EXPECT_EQ(rowProblems("Open", "").size(), 1) << "an empty row is checked for nothing else";
}

TEST(ReferenceChecks, AccessKeys)
{
    expectCheck(Check::AccessKeys, {{"&File", "&Bestand", false},
                                    {"&File", "Bestand", true},
                                    {"File", "&Bestand", true},
                                    {"&File", "B&estand", false},
                                    {"Salt && pepper", "Zout && peper", false},
                                    {"Salt && pepper", "Zout & peper", true},
                                    {"&&Copy", "K&&opi&eer", true},
                                    {"Trailing &", "Aan het eind", false}});
    EXPECT_EQ(messageOf("&File", "Bestand"), "0 \"&\" access keys, the reference 1");
}

TEST(ReferenceChecks, Placeholders)
{
    expectCheck(Check::Placeholders, {{"%1 of %2", "%2 van %1", false},
                                      {"%1 of %2", "%1 van", true},
                                      {"%s files", "%d bestanden", true},
                                      {"%5.2f MB", "%5.2f MB", false},
                                      {"%ld rows", "%d rijen", true},
                                      {"100%", "100%", false},
                                      {"50%% done", "50%% klaar", false},
                                      {"{0} saved", "{0} opgeslagen", false},
                                      {"{0} saved", "{1} opgeslagen", true},
                                      {"%1", "%10", false}});
    EXPECT_EQ(messageOf("%1 of %2", "%1 van"), "placeholders \"%1\", the reference \"%1 %2\"");
}

TEST(ReferenceChecks, SpacesPunctuationAndLineBreaks)
{
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
    EXPECT_EQ(messageOf("Save.", "Opslaan"), "ends with none, the reference with \".\"");
    EXPECT_EQ(messageOf("a\nb", "cd"), "0 line breaks, the reference 1");
}

TEST(ReferenceChecks, ADocumentIsCheckedByTheIndexesTheApplicationReadsAfterTheCommit)
{
    LanguageDocument reference, document;
    for (int row = 0; row < 3; ++row)
        reference.formText(2).set(row, QStringLiteral("Row %1.").arg(row));
    document.formText(2).set(0, "Rij 0.");
    document.formText(2).set(2, "Rij 2."); // after a gap: shown, and stored, as row 1
    document.formText(5).set(0, "Extra");

    const QList<Problem> problems = referenceProblems(reference, document, WorkingCopy{}, 0);
    QStringList found;
    for (const Problem& p : problems)
        found << QStringLiteral("%1/%2 %3").arg(p.form).arg(p.row).arg(checkName(p.check));
    EXPECT_EQ(found, QStringList({"2/1 moves-at-save", "2/2 missing", "5/0 extra"}));
    EXPECT_EQ(problems.first().message, "stored as row 2, the commit moves it to row 1");

    // The selected form is checked as its row list stands.
    WorkingCopy copy;
    copy.rows = {"Rij 0.", "Rij 1", "Rij 2."};
    ReferenceCounts counts;
    const QList<Problem> selected = referenceProblems(reference, document, copy, 2, {}, &counts);
    ASSERT_EQ(selected.size(), 3);
    EXPECT_EQ(selected[0].check, Check::Punctuation);
    EXPECT_EQ(selected[0].row, 1);
    EXPECT_EQ(counts.referenceRows, 3);
    EXPECT_EQ(counts.translated, 3);
    EXPECT_EQ(counts.problems, 3);

    CheckSet none;
    none.on.fill(false);
    EXPECT_TRUE(referenceProblems(reference, document, copy, 2, none).isEmpty());
}
