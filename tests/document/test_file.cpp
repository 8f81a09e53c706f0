// Loading and saving with the program's messages: what a person is told, and what stays on disk.
#include "LanguageFile.h"
#include "LanguageFormat.h"
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

TEST_F(LanguageFileTest, BrokenFileShowsTheLoadErrorAndUnopenablePathsAreQuiet)
{
    LanguageDocument document = marked();
    EXPECT_FALSE(LoadLanguageFile(document, write("broken.lsf", lsfFile(0, {})), toolkit));
    expectOnlyBox("Error during loading!\r\nThe language file could not be opened",
                  "Error during loading #03");
    for (const QString& p : {QString(), QStringLiteral(".lsf"), folder()})
        EXPECT_FALSE(LoadLanguageFile(document, p, toolkit)) << p.toStdString();
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_TRUE(document.sameTables(marked()));
}

TEST_F(LanguageFileTest, SavingWritesThePackedDocumentAndARefusalOrFailureKeepsTheOldFile)
{
    const QString file = write("old.lsf", lsfFile(3, {}) + QByteArray(100000, 'x'));
    LanguageDocument document;
    document.formText(24).set(200, QString::fromUtf8("Last row – “quoted” €"));
    ASSERT_TRUE(SaveLanguageFile(document, file, toolkit));
    EXPECT_EQ(read(file), lsf::packFile(document).bytes);
    LanguageDocument loaded = marked();
    ASSERT_TRUE(LoadLanguageFile(loaded, file, toolkit));
    EXPECT_TRUE(loaded.sameTables(document));
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
