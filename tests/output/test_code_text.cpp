#include "CodeText.h"

#include <gtest/gtest.h>

TEST(CodeText, WorkedExampleLineForLine)
{
    LanguageDocument document;
    document.FormNames.set(1, QStringLiteral("Form1"));
    document.FormNames.set(2, QStringLiteral("Edit form"));
    for (int form = 3; form <= 24; ++form)
        document.FormNames.set(form, QStringLiteral("- EMPTY FORM -"));
    document.formText(1).set(0, QStringLiteral("Open file"));
    document.formText(1).set(2, QStringLiteral("Save file"));
    document.formText(2).set(0, QStringLiteral("Cancel"));
    document.SettingsTable.set(1, QStringLiteral("1"));
    document.SettingsTable.set(3, QStringLiteral("2"));

    QString expected = "\tF00_lng_(1) = \"Form1\"\r\n"
                       "\tF00_lng_(2) = \"Edit form\"\r\n";
    for (int index = 3; index <= 24; ++index)
        expected += QStringLiteral("\tF00_lng_(%1) = \"- EMPTY FORM -\"\r\n").arg(index);
    expected += "\tF01_lng_(0) = \"Open file\"\r\n"
                "\tF01_lng_(2) = \"Save file\"\r\n"
                "\tF02_lng_(0) = \"Cancel\"\r\n"
                "\tF25_lng_(1) = \"1\"\r\n"
                "\tF25_lng_(3) = \"2\"\r\n";
    EXPECT_EQ(BuildCodeText(document), expected);
}

TEST(CodeText, TextsAreWrittenVerbatimWithTheirOwnIndexes)
{
    LanguageDocument document;
    document.formText(3).set(7, QStringLiteral("\"hi\""));
    document.formText(9).set(200, QStringLiteral("tab\there\r\nnext"));
    document.FormNames.set(25, QStringLiteral("x"));
    document.SettingsTable.set(3, QStringLiteral(" "));
    EXPECT_EQ(BuildCodeText(document), "\tF00_lng_(25) = \"x\"\r\n"
                                       "\tF03_lng_(7) = \"\"hi\"\"\r\n"
                                       "\tF09_lng_(200) = \"tab\there\r\nnext\"\r\n"
                                       "\tF25_lng_(3) = \" \"\r\n");
    EXPECT_EQ(BuildCodeText(LanguageDocument()), QString());
}
