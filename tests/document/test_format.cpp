#include "DocumentJson.h"
#include "LanguageFormat.h"
#include "LsfBytes.h"
#include "RoundTrip.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lsf;

TEST(FileFormat, WorkedExampleHasTheDocumentedBytesAtEveryOffset)
{
    // Form 1 named "Start" with the row "Hello", forms 2 to 24 named as in a new document.
    LanguageDocument document;
    document.FormNames.set(1, QStringLiteral("Start"));
    for (int form = 2; form <= 24; ++form)
        document.FormNames.set(form, QStringLiteral("- EMPTY FORM - "));
    document.formText(1).set(0, QStringLiteral("Hello"));
    const PackedFile file = packFile(document);
    ASSERT_FALSE(file.refusal);

    // The record count, then each field's length before its entries.
    const QByteArray names = "Start\xBE" + QByteArray("- EMPTY FORM - \xBE").repeated(23) + '\xBE';
    const QByteArray expected =
        QByteArray::fromHex("010000007701") + names + QByteArray::fromHex("CE00") + "Hello" +
        QByteArray(201, '\xBE') +
        (QByteArray::fromHex("C900") + QByteArray(201, '\xBE')).repeated(24);
    ASSERT_EQ(expected.size(), 5461);
    EXPECT_EQ(file.bytes, expected);
}

TEST(FileFormat, UnpackingSplitsAtTerminatorsAndKeepsUnreachedEntries)
{
    QByteArray overfull;
    for (int r = 0; r < 202; ++r)
        overfull += "r" + QByteArray::number(r) + '\xBE';
    const struct {
        const char* name;
        QByteArray field;
        bool names;           // the form names, 1 to 25, else a table of rows 0 to 200
        QStringList expected; // the first four entries and the last
    } cases[] = {
        {"empty entries count, text after the last terminator does not",
         "x\xBE\xBEz\xBEtail",
         false,
         {"x", "", "z", "old", "old"}},
        {"an empty field supplies nothing", "", false, {"old", "old", "old", "old", "old"}},
        {"rows beyond 200 are dropped", overfull, false, {"r0", "r1", "r2", "r3", "r200"}},
        {"names beyond 25 are dropped", overfull, true, {"r0", "r1", "r2", "r3", "r24"}},
    };
    for (const auto& c : cases) {
        LanguageTable table = c.names ? LanguageTable(1, 25) : LanguageTable();
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i)
            table.set(i, QStringLiteral("old"));
        unpackField(c.field, table);
        const int first = table.firstIndex();
        EXPECT_EQ(QStringList({table.at(first), table.at(first + 1), table.at(first + 2),
                               table.at(first + 3), table.at(table.lastIndex())}),
                  c.expected)
            << c.name;
    }
}

TEST(FileFormat, WindowsCodePageBytesDecodeAndEncodeBothWays)
{
    // 80 and 9F are bytes that Latin-1 reads otherwise.
    const QByteArray bytes = QByteArray::fromHex("80E9FC9FBE");
    EXPECT_EQ(decode1252(bytes), "€éüŸ¾");
    EXPECT_EQ(encode1252("€éüŸ¾").bytes, bytes);
    EXPECT_EQ(encode1252("ok✓ok").badPosition, 2);
    EXPECT_EQ(encode1252("Ā").badPosition, 0);
}

TEST(FileFormat, DocumentRefusesToPackWhatTheFormatCannotHold)
{
    const struct {
        QList<std::tuple<int, int, const char*>> entries; // table, row, text
        QString message;                                  // whole, or its start
    } cases[] = {
        {{{0, 7, "Main ✓"}},
         "The name of form 7 holds the character \"✓\" (U+2713), which a language file cannot "
         "store.\r\nReplace it with another character, then save again."},
        {{{24, 9, "fine"}, {25, 2, "Jörg 😀"}},
         "The author setting holds the character \"😀\" (U+1F600)"},
        {{{2, 0, "a"}, {2, 5, "Ω"}}, "Row 5 of form 2 holds"},
        {{{25, 5, "✓"}}, "Row 5 of the file settings holds"}, // the first after them
        {{},                                                  // form 3 full of long rows
         "The texts of form 3 take 80,201 bytes, more than the 65,535 bytes that one table of a "
         "language file can hold.\r\nShorten or delete rows of this form, then save again."},
    };
    for (const auto& c : cases) {
        LanguageDocument document;
        for (const auto& [table, row, text] : c.entries)
            document.table(table).set(row, text);
        for (int r = 0; c.entries.isEmpty() && r < 200; ++r)
            document.formText(3).set(r, QString(400, u'x'));
        const PackedFile file = packFile(document);
        ASSERT_TRUE(file.refusal) << c.message.toStdString();
        EXPECT_TRUE(file.bytes.isEmpty());
        EXPECT_TRUE(file.refusal->message().startsWith(c.message))
            << file.refusal->message().toStdString();
    }
}

TEST(DocumentModel, IndexesOutsideATableThrow)
{
    LanguageDocument document;
    EXPECT_THROW(document.FormNames.at(0), std::out_of_range);
    EXPECT_NO_THROW(document.FormNames.at(25));
    EXPECT_THROW(document.FormNames.set(26, "x"), std::out_of_range);
    EXPECT_THROW(document.formText(1).at(201), std::out_of_range);
    EXPECT_THROW(document.SettingsTable.at(-1), std::out_of_range);
    EXPECT_THROW(document.formText(0), std::out_of_range);
    EXPECT_THROW(document.formText(25), std::out_of_range);
    EXPECT_THROW(document.table(26), std::out_of_range);
    EXPECT_EQ(&document.table(25), &document.SettingsTable);
}

TEST(DocumentJson, ReadingReplacesEveryEntryOfTheDocumentAndMalformedInputIsDescribed)
{
    LanguageDocument document;
    document.SettingsTable.set(200, QStringLiteral("hidden"));
    document.FormNames.set(25, "Name \"é\"\t\\");
    document.formText(24).set(200, QStringLiteral("Last\r\n"));
    LanguageDocument back;
    back.formText(1).set(0, QStringLiteral("stale"));
    ASSERT_EQ(documentFromJson(documentToJson(document), back), QString());
    EXPECT_TRUE(back.sameTables(document));

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
    EXPECT_TRUE(documentFromJson("{", back).startsWith("not valid JSON"));
    for (const auto& c : cases)
        EXPECT_EQ(documentFromJson(c.json, back), c.problem) << c.json.toStdString();
}

// Every input the fuzzer was seeded with or found a fault with still holds to the round trip.
TEST(FuzzCorpus, EveryInputLoadsOrIsRefusedAndSavesBackTheSameTables)
{
    const QDir corpus(QStringLiteral(LEXICANT_FUZZ_CORPUS));
    const QStringList inputs = corpus.entryList(QDir::Files);
    ASSERT_GE(inputs.size(), 10);
    for (const QString& name : inputs) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(roundTripHolds(file.readAll())) << name.toStdString();
    }
}
