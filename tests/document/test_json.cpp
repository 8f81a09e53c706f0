#include "DocumentJson.h"
#include "LanguageFormat.h"

#include <gtest/gtest.h>

TEST(DocumentJson, RoundTripKeepsEveryEntryIncludingHiddenSettingRows)
{
    LanguageDocument document;
    document.FormNames.set(25, QStringLiteral("no form"));
    document.formText(5).set(1, QString::fromUtf8("\"quoted\"\\ tab\t line\r\n €"));
    document.formText(24).set(200, QStringLiteral("last"));
    document.SettingsTable.set(4, QStringLiteral("06-12-26"));
    document.SettingsTable.set(200, QStringLiteral("hidden"));

    LanguageDocument back;
    back.formText(1).set(0, QStringLiteral("stale"));
    ASSERT_EQ(documentFromJson(documentToJson(document), back), QString());
    EXPECT_TRUE(back.sameTables(document));
    EXPECT_EQ(lsf::packFile(back).bytes, lsf::packFile(document).bytes);
}

TEST(DocumentJson, MalformedInputIsDescribed)
{
    LanguageDocument document;
    EXPECT_TRUE(documentFromJson("{", document).startsWith("not valid JSON"));
    EXPECT_EQ(documentFromJson("[]", document), "not a JSON object");
    EXPECT_EQ(documentFromJson(R"({"format":"other","formatVersion":1})", document),
              "\"format\" is not \"lexicant-language-file\"");
    const QByteArray head = R"({"format":"lexicant-language-file","formatVersion":1,)";
    EXPECT_EQ(documentFromJson(head + R"("settings":[1]})", document),
              "entry 0 of \"settings\" is not a string");
    EXPECT_EQ(documentFromJson(head + R"("forms":[[],["ok",2]]})", document),
              "entry 1 of \"forms[1]\" is not a string");
    QByteArray names = head + R"("formNames":[)";
    for (int i = 0; i < 26; ++i)
        names += QByteArray(i ? "," : "") + "\"n\"";
    EXPECT_EQ(documentFromJson(names + "]}", document),
              "\"formNames\" holds 26 entries, more than its 25");
}
