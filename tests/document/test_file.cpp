// Loading and saving with the program's messages: what a person is told, and what stays on disk.
#include "LanguageFile.h"
#include "LsfBytes.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

namespace {

class LanguageFileTest : public ::testing::Test, public TempFiles {
protected:
    ScriptedToolkit toolkit;

    static LanguageDocument marked()
    {
        LanguageDocument document;
        for (int t = 0; t < 26; ++t) {
            LanguageTable& table = document.table(t);
            for (int i = table.firstIndex(); i <= table.lastIndex(); ++i)
                table.set(i, QStringLiteral("before"));
        }
        return document;
    }

    void expectOnlyBox(const QString& start, const QString& title = "Lexicant")
    {
        ASSERT_EQ(toolkit.boxes.size(), 1u);
        EXPECT_TRUE(toolkit.boxes[0].text.startsWith(start)) << toolkit.boxes[0].text.toStdString();
        EXPECT_EQ(toolkit.boxes[0].style, 16);
        EXPECT_EQ(toolkit.boxes[0].title, title);
        toolkit.boxes.clear();
    }
};

} // namespace

TEST_F(LanguageFileTest, PartialFieldsOverwriteOnlyTheEntriesTheySupply)
{
    // Form 1 holds three rows, the settings a "¾" inside a text that shifts later rows up.
    QByteArray settings = packed({"App", "1.0", "Ann", "2", "01-01-26"});
    settings.insert(1, '\xBE');
    LanguageDocument document = marked();
    ASSERT_TRUE(LoadLanguageFile(
        document, write("partial.lsf", lsfFile(3, {packed({"One"}), packed({"a", "b", "c"})})),
        toolkit));
    EXPECT_EQ(QStringList({document.FormNames.at(1), document.FormNames.at(2)}),
              QStringList({"One", "before"}));
    EXPECT_EQ(QStringList({document.formText(1).at(2), document.formText(1).at(3)}),
              QStringList({"c", "before"}));
    EXPECT_EQ(document.formText(2).at(200), "");

    QList<QByteArray> fields = {emptyEntries(25)};
    for (int f = 1; f <= 24; ++f)
        fields << emptyEntries(201);
    ASSERT_TRUE(
        LoadLanguageFile(document, write("split.lsf", lsfFile(1, fields << settings)), toolkit));
    EXPECT_EQ(QStringList({document.SettingsTable.at(0), document.SettingsTable.at(1),
                           document.SettingsTable.at(5), document.SettingsTable.at(6)}),
              QStringList({"A", "pp", "01-01-26", ""}));
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(LanguageFileTest, BrokenFileShowsTheLoadErrorAndUnopenablePathsAreQuiet)
{
    LanguageDocument document = marked();
    EXPECT_FALSE(LoadLanguageFile(document, write("broken.lsf", lsfFile(0, {})), toolkit));
    expectOnlyBox("Error during loading!\r\nThe language file could not be opened",
                  "Error during loading #03");
    for (const QString& p : {QString(), path("missing.lsf"), folder(), QStringLiteral(".lsf")}) {
        EXPECT_FALSE(CanOpenFile(p)) << p.toStdString();
        EXPECT_FALSE(LoadLanguageFile(document, p, toolkit));
    }
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_TRUE(document.sameTables(marked()));
    EXPECT_TRUE(CanOpenFile(write("x.lsf", "x")));
}

TEST_F(LanguageFileTest, SavingWritesOneRecordAndARefusalOrFailureKeepsTheOldFile)
{
    const QString file = write("old.lsf", lsfFile(3, {}) + QByteArray(100000, 'x'));
    LanguageDocument document;
    document.formText(24).set(200, QString::fromUtf8("Last row – “quoted” €"));
    ASSERT_TRUE(SaveLanguageFile(document, file, toolkit));
    LanguageDocument loaded = marked();
    ASSERT_TRUE(LoadLanguageFile(loaded, file, toolkit));
    EXPECT_TRUE(loaded.sameTables(document));
    EXPECT_EQ(read(file).size(), 4 + 2 + 25 + 25 * (2 + 201) + 21);
    EXPECT_EQ(read(file).left(4), le32(1));
    EXPECT_TRUE(toolkit.boxes.empty());

    const QByteArray original = read(file);
    for (int r = 0; r <= 200; ++r)
        document.formText(12).set(r, QString(400, u'y'));
    EXPECT_FALSE(SaveLanguageFile(document, file, toolkit));
    expectOnlyBox("The texts of form 12 take 80,601 bytes");
    EXPECT_EQ(read(file), original);

    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_FALSE(SaveLanguageFile(LanguageDocument(), file, toolkit));
    expectOnlyBox("An error occured while saving the languagefile");
    EXPECT_EQ(read(file), original);
}
