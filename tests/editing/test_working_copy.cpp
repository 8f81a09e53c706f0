// The working copy: what the window shows of a document, and the commit that carries it back.
#include "WorkingCopy.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

namespace {

LanguageDocument formWith(const QStringList& rows)
{
    LanguageDocument document;
    for (int r = 0; r < rows.size(); ++r)
        document.formText(3).set(r, rows.at(r));
    return document;
}

QStringList rowsOf(const LanguageDocument& document, int form, int count)
{
    QStringList rows;
    for (int r = 0; r < count; ++r)
        rows << document.formText(form).at(r);
    return rows;
}

} // namespace

TEST(WorkingCopy, AFormShowsItsRowsOfTwoCharactersOrMoreWithoutGaps)
{
    const struct {
        const char* name;
        QStringList stored;
        QStringList shown;
    } cases[] = {
        {"empty form", {}, {}},
        {"gap closed", {"One", "", "Three", "Four"}, {"One", "Three", "Four"}},
        {"one character hidden, two shown", {"x", "ok", "y"}, {"ok"}},
        {"last row", QStringList(200, QString()) << "Last", {"Last"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shownRows(formWith(c.stored).formText(3)), c.shown) << c.name;
}

TEST(WorkingCopy, AnOpenedDocumentShowsPlaceholderNamesAndSettingsCutToTheirBoxes)
{
    LanguageDocument document;
    document.FormNames.set(1, "Main");
    document.FormNames.set(2, "x");
    document.FormNames.set(3, "ab");
    for (int row = 0; row < 5; ++row)
        document.SettingsTable.set(row, QString(40, u's'));
    const WorkingCopy copy = openedWorkingCopy(document, 0);
    ASSERT_EQ(copy.formNames.size(), 24);
    EXPECT_EQ(copy.formNames.mid(0, 4),
              QStringList({"Main", "- EMPTY FORM -", "ab", "- EMPTY FORM -"}));
    EXPECT_EQ(newFormNames(), QStringList(24, "- EMPTY FORM - "));
    const int lengths[] = {30, 5, 30, 3, 8};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(copy.settings[std::size_t(row)], QString(lengths[row], u's')) << row;
}

TEST(WorkingCopy, CommitStoresTheListsAndSettingsAndTouchesOnlyTheSelectedFormsFirst201Rows)
{
    LanguageDocument document = formWith({"old 0", "", "old 2", "old 3"});
    document.formText(4).set(0, "other form");
    document.FormNames.set(25, "stray");
    WorkingCopy copy = openedWorkingCopy(document, 3);
    EXPECT_EQ(copy.rows, QStringList({"old 0", "old 2", "old 3"}));
    copy.rows.removeAt(1);
    copy.formNames[2] = "Third";
    copy.settings = {"App", "1.0", "Ann", "2", "01-01-26"};

    EXPECT_EQ(commitWorkingCopy(copy, 3, document), 0);
    EXPECT_EQ(rowsOf(document, 3, 4), QStringList({"old 0", "old 3", "", ""}));
    EXPECT_EQ(document.formText(4).at(0), "other form");
    EXPECT_EQ(document.FormNames.at(3), "Third");
    EXPECT_EQ(document.FormNames.at(1), "- EMPTY FORM -") << "placeholders are stored";
    EXPECT_EQ(document.FormNames.at(25), "") << "no form has name 25";
    EXPECT_EQ(document.SettingsTable.at(4), "01-01-26");

    copy.rows = {"Last form"};
    commitWorkingCopy(copy, 24, document);
    EXPECT_EQ(document.formText(24).at(0), "Last form");

    copy.rows = {"ignored"};
    commitWorkingCopy(copy, 0, document);
    EXPECT_EQ(rowsOf(document, 3, 2), QStringList({"old 0", "old 3"})) << "no form selected";

    copy.rows.clear();
    for (int r = 0; r < 203; ++r)
        copy.rows << QString("row %1").arg(r);
    EXPECT_EQ(commitWorkingCopy(copy, 1, document), 2) << "the rows left over";
    EXPECT_EQ(document.formText(1).at(200), "row 200");
}

TEST(WorkingCopy, GapsAreTheEmptyOrOneCharacterRowsBeforeTheLastUsedRow)
{
    EXPECT_EQ(gapsIn({"Aa", "", "x", "Dd"}), QList<int>({1, 2}));
    EXPECT_EQ(gapsIn({"", "Bb", "", "x"}), QList<int>({0})) << "none after the last used row";
    EXPECT_EQ(gapsIn({}), QList<int>());
}
