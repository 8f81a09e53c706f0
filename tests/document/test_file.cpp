#include "LanguageFile.h"
#include "LsfBytes.h"
#include "ScriptedToolkit.h"

#include "TempFiles.h"
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString LoadError =
    QStringLiteral("Error during loading!\r\nThe language file could not be opened");
const QString SaveError = QStringLiteral("An error occured while saving the languagefile");

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
};

} // namespace

TEST_F(LanguageFileTest, SavedFileLoadsBackToTheSameTables)
{
    LanguageDocument document;
    document.FormNames.set(1, QString::fromUtf8("Menü"));
    document.formText(24).set(200, QString::fromUtf8("Last row – “quoted” €"));
    document.SettingsTable.set(150, QStringLiteral("kept though never shown"));
    ASSERT_TRUE(SaveLanguageFile(document, path("a.lsf"), toolkit));

    LanguageDocument loaded = marked();
    ASSERT_TRUE(LoadLanguageFile(loaded, path("a.lsf"), toolkit));
    EXPECT_TRUE(loaded.sameTables(document));
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(read(path("a.lsf")).mid(0, 4), le32(1));
}

TEST_F(LanguageFileTest, PartialFieldsOverwriteOnlyTheEntriesTheySupply)
{
    // Form 1 holds three rows, the settings a "¾" inside a text that shifts later rows up.
    QByteArray settings = packed({"App", "1.0", "Ann", "2", "01-01-26"});
    settings.insert(1, '\xBE');
    settings += emptyEntries(196);
    const QString file =
        write("partial.lsf", lsfFile(3, {packed({"One"}), packed({"a", "b", "c"})}));
    LanguageDocument document = marked();
    ASSERT_TRUE(LoadLanguageFile(document, file, toolkit));
    EXPECT_EQ(document.FormNames.at(1), "One");
    EXPECT_EQ(document.FormNames.at(2), "before");
    EXPECT_EQ(document.formText(1).at(2), "c");
    EXPECT_EQ(document.formText(1).at(3), "before");
    EXPECT_EQ(document.formText(2).at(200), "");

    QList<QByteArray> fields = {emptyEntries(25)};
    for (int f = 1; f <= 24; ++f)
        fields << emptyEntries(201);
    fields << settings;
    ASSERT_TRUE(LoadLanguageFile(document, write("split.lsf", lsfFile(1, fields)), toolkit));
    EXPECT_EQ(document.SettingsTable.at(0), "A");
    EXPECT_EQ(document.SettingsTable.at(1), "pp");
    EXPECT_EQ(document.SettingsTable.at(5), "01-01-26");
    EXPECT_EQ(document.SettingsTable.at(200), "");
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(LanguageFileTest, BrokenFileShowsTheLoadErrorAndUnopenablePathsAreQuiet)
{
    LanguageDocument document = marked();
    EXPECT_FALSE(LoadLanguageFile(document, write("broken.lsf", lsfFile(0, {})), toolkit));
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, LoadError);
    EXPECT_EQ(toolkit.boxes[0].style, 16);
    EXPECT_EQ(toolkit.boxes[0].title, "Error during loading #03");
    toolkit.boxes.clear();
    for (const QString& p : {QString(), path("missing.lsf"), folder(), QStringLiteral(".lsf")}) {
        EXPECT_FALSE(CanOpenFile(p)) << p.toStdString();
        EXPECT_FALSE(LoadLanguageFile(document, p, toolkit));
    }
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_TRUE(document.sameTables(marked()));
    EXPECT_TRUE(CanOpenFile(write("x.lsf", "x")));
}

TEST_F(LanguageFileTest, SavingReplacesALongerFileAndAlwaysWritesOneRecord)
{
    const QString file = write("old.lsf", lsfFile(3, {}) + QByteArray(100000, 'x'));
    LanguageDocument document;
    ASSERT_TRUE(SaveLanguageFile(document, file, toolkit));
    const QByteArray bytes = read(file);
    EXPECT_EQ(bytes.size(), 4 + 2 + 25 + 25 * (2 + 201));
    EXPECT_EQ(bytes.left(4), le32(1));
}

TEST_F(LanguageFileTest, RefusedSaveNamesTheProblemAndLeavesTheFileAlone)
{
    const QByteArray original = lsfFile(1, {});
    const QString file = write("keep.lsf", original);
    LanguageDocument tooLarge;
    for (int r = 0; r <= 200; ++r)
        tooLarge.formText(12).set(r, QString(400, u'y'));
    EXPECT_FALSE(SaveLanguageFile(tooLarge, file, toolkit));
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_TRUE(toolkit.boxes[0].text.startsWith("The texts of form 12 take 80,601 bytes"));
    EXPECT_EQ(toolkit.boxes[0].style, 16);
    EXPECT_EQ(toolkit.boxes[0].title, "Lexicant");
    EXPECT_EQ(read(file), original);

    LanguageDocument foreign;
    foreign.formText(1).set(3, QString::fromUtf8("日本"));
    EXPECT_FALSE(SaveLanguageFile(foreign, file, toolkit));
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_TRUE(toolkit.boxes[1].text.startsWith(
        QString::fromUtf8("Row 3 of form 1 holds the character \"日\"")));
    EXPECT_EQ(read(file), original);
}

TEST_F(LanguageFileTest, FailedSaveShowsTheSavingErrorAndKeepsTheOldFile)
{
    const QByteArray original = lsfFile(1, {packed({"Old"})});
    const QString readOnly = write("ro.lsf", original);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
    LanguageDocument document;
    document.FormNames.set(1, QStringLiteral("New"));

    EXPECT_FALSE(SaveLanguageFile(document, readOnly, toolkit));
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, SaveError);
    EXPECT_EQ(toolkit.boxes[0].style, 16);
    EXPECT_EQ(toolkit.boxes[0].title, "Lexicant");
    EXPECT_EQ(read(readOnly), original);
}
