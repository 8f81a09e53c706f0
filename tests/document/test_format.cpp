#include "LanguageFormat.h"
#include "LsfBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
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

    QByteArray expected = QByteArray::fromHex("01000000"
                                              "7701"
                                              "5374617274"
                                              "BE");
    expected += QByteArray("- EMPTY FORM - \xBE").repeated(23) + '\xBE';
    expected += QByteArray::fromHex("CE00"
                                    "48656C6C6F") +
                QByteArray(201, '\xBE');
    for (int f = 2; f <= 25; ++f)
        expected += QByteArray::fromHex("C900") + QByteArray(201, '\xBE');
    ASSERT_EQ(expected.size(), 5461);
    EXPECT_EQ(file.bytes, expected);
}

TEST(FileFormat, UnpackingSplitsAtTerminatorsAndKeepsUnreachedEntries)
{
    LanguageTable rows;
    for (int r = 0; r <= 200; ++r)
        rows.set(r, QStringLiteral("old"));
    const auto first = [&](int count) {
        QStringList texts;
        for (int r = 0; r < count; ++r)
            texts << rows.at(r);
        return texts;
    };
    unpackField("a\xBE"
                "b",
                rows);
    EXPECT_EQ(first(2), QStringList({"a", "old"})) << "text after the last terminator is no entry";
    unpackField("x\xBE\xBEz\xBE", rows);
    EXPECT_EQ(first(4), QStringList({"x", "", "z", "old"}));
    unpackField(QByteArrayView(), rows);
    EXPECT_EQ(rows.at(0), "x") << "an empty field supplies nothing";

    QByteArray overfull;
    for (int r = 0; r < 202; ++r)
        overfull += "r" + QByteArray::number(r) + '\xBE';
    unpackField(overfull, rows);
    EXPECT_EQ(rows.at(200), "r200");
    LanguageTable names(1, 25);
    unpackField(overfull, names);
    EXPECT_EQ(QStringList({names.at(1), names.at(25)}), QStringList({"r0", "r24"}));
}

TEST(FileFormat, WindowsCodePageBytesDecodeAndEncodeBothWays)
{
    EXPECT_EQ(decode1252(QByteArray::fromHex("80E9FC9FBE")), QString::fromUtf8("€éüŸ¾"));
    EXPECT_EQ(encode1252(QString::fromUtf8("€éüŸ¾")).bytes, QByteArray::fromHex("80E9FC9FBE"));
    const Encoded bad = encode1252(QString::fromUtf8("ok✓ok"));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.badPosition, 2);
}

TEST(FileFormat, WriteReadWriteGivesTheSameBytesForRandomDocuments)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 20; ++round) {
        LanguageDocument document;
        for (int t = 0; t < 26; ++t) {
            LanguageTable& table = document.table(t);
            for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
                QByteArray text(std::uniform_int_distribution<int>(0, 60)(random), ' ');
                for (char& c : text)
                    c = char(std::uniform_int_distribution<int>(0, 255)(random));
                table.set(i, decode1252(text.replace('\xBE', 'x')));
            }
        }
        const PackedFile first = packFile(document);
        ASSERT_FALSE(first.refusal);
        const ParsedFile parsed = parseFile(first.bytes);
        ASSERT_EQ(parsed.status, ParseStatus::Ok);
        LanguageDocument reread;
        applyFields(parsed, reread);
        EXPECT_TRUE(reread.sameTables(document));
        EXPECT_EQ(packFile(reread).bytes, first.bytes);
    }
}

TEST(FileFormat, DocumentRefusesToPackWhatTheFormatCannotHold)
{
    const struct {
        std::function<void(LanguageDocument&)> fill;
        QString message; // whole, or its start
    } cases[] = {
        {[](LanguageDocument& d) {
             for (int r = 0; r < 200; ++r)
                 d.formText(3).set(r, QString(400, u'x'));
         },
         "The texts of form 3 take 80,201 bytes, more than the 65,535 bytes that one table of a "
         "language file can hold.\r\nShorten or delete rows of this form, then save again."},
        {[](LanguageDocument& d) { d.FormNames.set(7, QString::fromUtf8("Main ✓")); },
         QString::fromUtf8("The name of form 7 holds the character \"✓\" (U+2713), which a "
                           "language file cannot store.\r\nReplace it with another character, "
                           "then save again.")},
        {[](LanguageDocument& d) {
             d.formText(24).set(9, QStringLiteral("fine"));
             d.SettingsTable.set(2, QString::fromUtf8("Jörg 😀"));
         },
         QString::fromUtf8("The author setting holds the character \"😀\" (U+1F600)")},
        {[](LanguageDocument& d) {
             d.formText(2).set(0, QStringLiteral("a"));
             d.formText(2).set(5, QString::fromUtf8("Ω"));
         },
         "Row 5 of form 2 holds"},
    };
    for (const auto& c : cases) {
        LanguageDocument document;
        c.fill(document);
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
    EXPECT_EQ(QStringList({LanguageDocument::label(0), LanguageDocument::label(25)}),
              QStringList({"F00", "F25"}));
}
