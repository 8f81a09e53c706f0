#include "TextRules.h"

#include <gtest/gtest.h>

TEST(TextRules, OnlyTheThreeFractionCharactersAreRefused)
{
    EXPECT_TRUE(Check_Characters(QString()));
    EXPECT_TRUE(Check_Characters(QString::fromUtf8("Éé üß ÆØÅ € ¹²³ ¾ŧ").remove(QChar(0xBE))));
    EXPECT_TRUE(Check_Characters(QString::fromUtf8("⅓ ⅔ ⅛ 1/2")));
    EXPECT_FALSE(Check_Characters(QString::fromUtf8("½")));
    EXPECT_FALSE(Check_Characters(QString::fromUtf8("start ¾")));
    EXPECT_FALSE(Check_Characters(QString::fromUtf8("¼ end")));
    EXPECT_FALSE(Check_Characters(QString::fromUtf8("mid½dle")));
}
