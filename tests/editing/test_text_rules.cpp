#include "RowAlgorithms.h"
#include "TextRules.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

TEST(TextRules, AStoredTextHoldsNoFractionCharacterAndOnlyWhatWindows1252Has)
{
    EXPECT_EQ(storageProblem("Café €"), "");
    EXPECT_EQ(storageProblem("Half ½ ✓"),
              "holds \"½\", \"¾\" or \"¼\", which a language file cannot hold in a text");
    EXPECT_EQ(storageProblem("Drei 😀"),
              "holds the character \"😀\" (U+1F600), which Windows-1252 cannot store");
}

TEST(TextRules, RowTextsAreCheckedForLimitThenLengthThenCharacters)
{
    EXPECT_EQ(checkRowText("   ", 0), TextRule::Passed);
    EXPECT_EQ(checkRowText("  ", 0), TextRule::MinimumLength);
    EXPECT_EQ(checkRowText("¾", 0), TextRule::MinimumLength);
    EXPECT_EQ(checkRowText("a¾b", 0), TextRule::ForbiddenCharacters);
    EXPECT_EQ(checkRowText("fine", 199), TextRule::Passed);
    EXPECT_EQ(checkRowText("", 200), TextRule::RowLimit) << "the limit comes before the text";
    // Only the three fraction characters are refused.
    EXPECT_EQ(checkName("Éé üß ÆØÅ € ¹²³ ⅓ ⅔ 1/2"), TextRule::Passed);
    EXPECT_EQ(checkName("start ½"), TextRule::ForbiddenCharacters);
    EXPECT_EQ(checkName("mid¼dle"), TextRule::ForbiddenCharacters);

    EXPECT_EQ(ruleMessage(TextRule::RowLimit), "Maximum rows reached for this form.");
    EXPECT_EQ(ruleMessage(TextRule::MinimumLength), "Type at least 3 characters");
    EXPECT_EQ(ruleMessage(TextRule::ForbiddenCharacters),
              "Please remove the ½, ¾ or ¼ characters.");
}

TEST(RowAlgorithms, InsertPutsTheNewRowBeforeTheSelectedOne)
{
    QStringList rows{"A", "B", "C"};
    insertNewRow(rows, 1);
    EXPECT_EQ(rows, QStringList({"A", "<NEW>", "B", "C"}));
    insertNewRow(rows, 0);
    EXPECT_EQ(rows.first(), "<NEW>");
    insertNewRow(rows, 4);
    EXPECT_EQ(rows.mid(3), QStringList({"B", "<NEW>", "C"}));
    EXPECT_THROW(insertNewRow(rows, 6), std::out_of_range);
}

TEST(RowAlgorithms, DeleteRemovesTheRowAndThoseAfterMoveUp)
{
    QStringList rows{"A", "B", "C"};
    deleteRow(rows, 1);
    EXPECT_EQ(rows, QStringList({"A", "C"}));
    deleteRow(rows, 1);
    EXPECT_EQ(rows, QStringList({"A"}));
    EXPECT_THROW(deleteRow(rows, 1), std::out_of_range);
    EXPECT_THROW(deleteRow(rows, -1), std::out_of_range);
    deleteRow(rows, 0);
    EXPECT_EQ(rows, QStringList());
}

TEST(RowAlgorithms, ReplaceIsOnePassLeftToRightAndCountsRows)
{
    QStringList rows{"Save file", "save file", "Save and Save"};
    EXPECT_EQ(replaceInRows(rows, "Save", "Store"), 2);
    EXPECT_EQ(rows, QStringList({"Store file", "save file", "Store and Store"}));

    QStringList banana{"banana", "aaa"};
    EXPECT_EQ(replaceInRows(banana, "a", "aa"), 2);
    EXPECT_EQ(banana.first(), "baanaanaa");
    QStringList overlap{"aaa"};
    replaceInRows(overlap, "aa", "b");
    EXPECT_EQ(overlap.first(), "ba");
    EXPECT_EQ(replaceInRows(overlap, "ba", "ba"), 1) << "an unchanged row still counts";
    EXPECT_EQ(replaceInRows(overlap, "zz", "y"), 0);
}
