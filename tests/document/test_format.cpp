#include "Examples.h"
#include "LanguageFormat.h"
#include "LsfBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

using namespace lsf;

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

TEST(FileFormat, WorkedExampleHasTheDocumentedBytesAtEveryOffset)
{
    const PackedFile file = packFile(startHelloDocument());
    ASSERT_FALSE(file.refusal);
    const QByteArray& b = file.bytes;
    ASSERT_EQ(b.size(), 5461);
    const QByteArray emptyForm = QByteArray("- EMPTY FORM - ");

    EXPECT_EQ(b.mid(0, 4), hex("01000000"));
    EXPECT_EQ(b.mid(4, 2), hex("7701"));
    EXPECT_EQ(b.mid(6, 5), hex("5374617274"));
    EXPECT_EQ(b.mid(11, 1), hex("BE"));
    EXPECT_EQ(b.mid(12, 15), hex("2D20454D50545920464F524D202D20"));
    EXPECT_EQ(b.mid(27, 1), hex("BE"));
    for (int entry = 0; entry < 22; ++entry)
        EXPECT_EQ(b.mid(28 + 16 * entry, 16), emptyForm + '\xBE') << "entry " << entry + 3;
    EXPECT_EQ(b.mid(380, 1), hex("BE"));
    EXPECT_EQ(b.mid(381, 2), hex("CE00"));
    EXPECT_EQ(b.mid(383, 5), hex("48656C6C6F"));
    EXPECT_EQ(b.mid(388, 1), hex("BE"));
    EXPECT_EQ(b.mid(389, 200), QByteArray(200, '\xBE'));
    EXPECT_EQ(b.mid(589, 2), hex("C900"));
    EXPECT_EQ(b.mid(591, 201), QByteArray(201, '\xBE'));
    for (int f = 3; f <= 25; ++f) {
        const int at = 792 + (f - 3) * 203;
        EXPECT_EQ(b.mid(at, 2), hex("C900")) << "field " << f;
        EXPECT_EQ(b.mid(at + 2, 201), QByteArray(201, '\xBE')) << "field " << f;
    }
}

TEST(FileFormat, NewDocumentPacksTo5466Bytes)
{
    LanguageDocument document;
    for (int form = 1; form <= 24; ++form)
        document.FormNames.set(form, QString::fromUtf16(NewFormPlaceholder));
    const PackedFile file = packFile(document);
    EXPECT_EQ(file.bytes.size(), 5466);
    EXPECT_EQ(file.bytes.mid(4, 2), le16(24 * 16 + 1));
}

TEST(FileFormat, UnpackingSplitsAtTerminatorsAndKeepsUnreachedEntries)
{
    LanguageTable rows;
    for (int r = 0; r <= 200; ++r)
        rows.set(r, QStringLiteral("old"));

    unpackField("a\xBE"
                "b",
                rows);
    EXPECT_EQ(rows.at(0), "a");
    EXPECT_EQ(rows.at(1), "old") << "text after the last terminator belongs to no entry";

    unpackField("x\xBE\xBEz\xBE", rows);
    EXPECT_EQ(rows.at(0), "x");
    EXPECT_EQ(rows.at(1), "");
    EXPECT_EQ(rows.at(2), "z");
    EXPECT_EQ(rows.at(3), "old");

    unpackField(QByteArrayView(), rows);
    EXPECT_EQ(rows.at(0), "x") << "an empty field supplies nothing";

    QByteArray overfull;
    for (int r = 0; r < 202; ++r)
        overfull += "r" + QByteArray::number(r) + '\xBE';
    unpackField(overfull, rows);
    EXPECT_EQ(rows.at(200), "r200");

    LanguageTable names(1, 25);
    QByteArray twentySix;
    for (int n = 1; n <= 26; ++n)
        twentySix += "n" + QByteArray::number(n) + '\xBE';
    unpackField(twentySix, names);
    EXPECT_EQ(names.at(1), "n1");
    EXPECT_EQ(names.at(25), "n25");
}

TEST(FileFormat, ParsingReadsOnlyWhatTheBytesHold)
{
    EXPECT_EQ(parseFile(QByteArray()).status, ParseStatus::NoCount);
    EXPECT_EQ(parseFile(hex("010000")).status, ParseStatus::NoCount);
    EXPECT_EQ(parseFile(lsfFile(0, {})).status, ParseStatus::NoRecord);
    EXPECT_EQ(parseFile(lsfFile(-1, {})).status, ParseStatus::NoRecord);

    const QByteArray whole = lsfFile(1, {});
    EXPECT_EQ(parseFile(whole).status, ParseStatus::Ok);
    EXPECT_EQ(parseFile(whole.left(whole.size() - 1)).status, ParseStatus::Truncated);
    EXPECT_EQ(parseFile(whole.left(5)).status, ParseStatus::Truncated);

    // A length that runs past the end of the file is not trusted.
    EXPECT_EQ(parseFile(le32(1) + le16(65535) + "abc").status, ParseStatus::Truncated);

    // A huge count with one record present reads that record.
    const ParsedFile huge = parseFile(lsfFile(2147483647, {packed({"Name"})}));
    EXPECT_EQ(huge.status, ParseStatus::Ok);
    EXPECT_EQ(huge.recordCount, 2147483647);
    EXPECT_EQ(huge.field(0), "Name\xBE");
    EXPECT_EQ(huge.field(25), QByteArray(201, '\xBE'));
}

TEST(FileFormat, WindowsCodePageBytesDecodeAndEncodeBothWays)
{
    EXPECT_EQ(decode1252(hex("80E9FC9FBE")), QString::fromUtf8("€éüŸ¾"));
    EXPECT_EQ(encode1252(QString::fromUtf8("€éüŸ¾")).bytes, hex("80E9FC9FBE"));
    const Encoded bad = encode1252(QString::fromUtf8("ok✓ok"));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.badPosition, 2);
}

TEST(FileFormat, WriteReadWriteGivesTheSameBytesForRandomDocuments)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        LanguageDocument document;
        for (int t = 0; t < 26; ++t) {
            LanguageTable& table = document.table(t);
            for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
                QByteArray text(std::uniform_int_distribution<int>(0, 60)(random), ' ');
                for (char& c : text) {
                    do
                        c = char(byte(random));
                    while (uchar(c) == 0xBE);
                }
                table.set(i, decode1252(text));
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
    LanguageDocument document;
    for (int r = 0; r < 200; ++r)
        document.formText(3).set(r, QString(400, u'x'));
    PackedFile file = packFile(document);
    ASSERT_TRUE(file.refusal);
    EXPECT_TRUE(file.bytes.isEmpty());
    EXPECT_EQ(file.refusal->message(),
              "The texts of form 3 take 80,201 bytes, more than the 65,535 bytes that one table "
              "of a language file can hold.\r\nShorten or delete rows of this form, then save "
              "again.");

    LanguageDocument names;
    names.FormNames.set(7, QString::fromUtf8("Main ✓"));
    file = packFile(names);
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(file.refusal->message(),
              QString::fromUtf8("The name of form 7 holds the character \"✓\" (U+2713), which a "
                                "language file cannot store.\r\nReplace it with another "
                                "character, then save again."));

    LanguageDocument settings;
    settings.formText(24).set(9, QStringLiteral("fine"));
    settings.SettingsTable.set(2, QString::fromUtf8("Jörg 😀"));
    file = packFile(settings);
    ASSERT_TRUE(file.refusal);
    EXPECT_TRUE(file.refusal->message().startsWith(
        QString::fromUtf8("The author setting holds the character \"😀\" (U+1F600)")));

    LanguageDocument row;
    row.formText(2).set(0, QStringLiteral("a"));
    row.formText(2).set(5, QString::fromUtf8("Ω"));
    file = packFile(row);
    ASSERT_TRUE(file.refusal);
    EXPECT_TRUE(file.refusal->message().startsWith(QStringLiteral("Row 5 of form 2 holds")));
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
    EXPECT_EQ(LanguageDocument::label(0), "F00");
    EXPECT_EQ(LanguageDocument::label(25), "F25");
}
