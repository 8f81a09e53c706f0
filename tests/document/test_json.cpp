#include "DocumentJson.h"

#include <gtest/gtest.h>

TEST(DocumentJson, ReadingReplacesEveryEntryOfTheDocument)
{
    LanguageDocument document;
    document.SettingsTable.set(200, QStringLiteral("hidden"));
    document.FormNames.set(25, QString::fromUtf8("Name \"é\"\t\\"));
    document.formText(24).set(200, QStringLiteral("Last\r\n"));
    LanguageDocument back;
    back.formText(1).set(0, QStringLiteral("stale"));
    ASSERT_EQ(documentFromJson(documentToJson(document), back), QString());
    EXPECT_TRUE(back.sameTables(document));
}

TEST(DocumentJson, MalformedInputIsDescribed)
{
    const QByteArray head = R"({"format":"lexicant-language-file","formatVersion":1,)";
    const struct {
        QByteArray json;
        const char* problem;
    } cases[] = {
        {"[]", "not a JSON object"},
        {head + R"("settings":[1]})", "entry 0 of \"settings\" is not a string"},
        {head + R"("forms":[[],["ok",2]]})", "entry 1 of \"forms[1]\" is not a string"},
        {head + R"("formNames":[)" + QByteArray(R"("n",)").repeated(25) + R"("n"]})",
         "\"formNames\" holds 26 entries, more than its 25"},
    };
    LanguageDocument document;
    EXPECT_TRUE(documentFromJson("{", document).startsWith("not valid JSON"));
    for (const auto& c : cases)
        EXPECT_EQ(documentFromJson(c.json, document), c.problem) << c.json.toStdString();
}
