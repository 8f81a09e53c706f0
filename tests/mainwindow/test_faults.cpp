// The window when files are hostile or saving fails: a message, the earlier file byte for byte
// as it was, the document still marked changed, and a window that goes on working.
#include "Faults.h"
#include "FullDisk.h"
#include "WindowTest.h"

#include <sys/stat.h>

namespace {
const QString SaveError = QStringLiteral("An error occured while saving the languagefile");
}

class SaveFaults : public WindowTest {
protected:
    QByteArray original = lsfFile(1, {packed({"Main"}), packed({"Keep me"})});
    QString file;

    void SetUp() override
    {
        WindowTest::SetUp();
        chmod(QFile::encodeName(folder()).constData(), 0755);
        file = write("work.lsf", original);
        open(file);
        window->txt_naam->setText("Changed"); // marks the document changed
    }

    // Saves through the menu and checks that the save failed as the user must see it.
    void expectFailedSave()
    {
        toolkit.boxes.clear();
        window->mnu_save->trigger();
        expectOnlyBox(SaveError, 16);
        EXPECT_EQ(doc().UnsavedChanges, 1.0f);
        EXPECT_TRUE(window->mnu_save->isEnabled());
    }
};

TEST_F(SaveFaults, FolderThatMayNotBeWritten)
{
    chmod(QFile::encodeName(folder()).constData(), 0555);
    {
        AsNobody nobody;
        ASSERT_TRUE(nobody.dropped() || geteuid() != 0);
        expectFailedSave();
    }
    EXPECT_EQ(read(file), original);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 1);
}

TEST_F(SaveFaults, ReadOnlyTargetAlsoForAUser)
{
    chmod(QFile::encodeName(file).constData(), 0444);
    expectFailedSave();
    {
        AsNobody nobody;
        expectFailedSave();
    }
    EXPECT_EQ(read(file), original);
}

TEST_F(SaveFaults, FileSizeLimitReachedMidWrite)
{
    {
        FileSizeLimit limit(1000); // the document's 5,466 bytes do not fit
        expectFailedSave();
    }
    EXPECT_EQ(read(file), original);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no partial file is left";
}

TEST_F(SaveFaults, FullDiskThenSpaceFreedSavesOnTheSecondTry)
{
    FullDisk disk(path("disk"));
    if (!disk.unavailable().isEmpty())
        GTEST_SKIP() << disk.unavailable().toStdString();
    const QString onDisk = write("disk/lang.lsf", original);
    toolkit.answers.push_back(MsgResult::Yes); // discard the fixture's change
    open(onDisk);
    window->txt_naam->setText("Changed");
    ASSERT_TRUE(disk.fill());
    expectFailedSave();
    EXPECT_EQ(read(onDisk), original);

    QFile::remove(disk.path("filler"));
    window->mnu_save->trigger();
    expectOnlyBox("The languagefile has been saved.", 64);
    EXPECT_EQ(read(onDisk).size(), 5446); // "Main", 23 placeholders, "Keep me", "Changed"
    EXPECT_TRUE(read(onDisk).contains("Changed"));
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
}

TEST_F(SaveFaults, TargetThatIsAFolder)
{
    QDir(folder()).mkdir("folder.lsf");
    toolkit.saveAnswers.push_back(path("folder.lsf"));
    window->mnu_saveas->trigger();
    expectOnlyBox(SaveError, 16);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    EXPECT_TRUE(QFileInfo(path("folder.lsf")).isDir());
}

TEST_F(SaveFaults, SymbolicLinkStaysALinkAndItsTargetGetsTheNewBytes)
{
    ASSERT_TRUE(QFile::link(file, path("link.lsf")));
    toolkit.saveAnswers.push_back(path("link.lsf"));
    window->mnu_saveas->trigger();
    expectOnlyBox("The languagefile has been saved.", 64);
    EXPECT_TRUE(QFileInfo(path("link.lsf")).isSymLink());
    EXPECT_NE(read(file), original);
    EXPECT_EQ(read(path("link.lsf")), read(file));
}

TEST_F(SaveFaults, ExportToAProgramFolderThatMayNotBeWrittenLeavesNoFile)
{
    chmod(QFile::encodeName(folder()).constData(), 0555);
    {
        AsNobody nobody;
        window->mnu_savecode_Click();
    }
    expectOnlyBox(trapText("#15.0"), 48);
    EXPECT_FALSE(QFile::exists(path("output.txt")));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(toolkit.busy);
}

class HostileOpen : public WindowTest {
protected:
    // Each hostile path, opened from the dialog and from the command line: at most the loading
    // error, once; then the window still works.
    void openEach(const QStringList& paths, bool expectMessage)
    {
        for (const QString& hostile : paths) {
            for (bool fromDialog : {true, false}) {
                toolkit.boxes.clear();
                if (fromDialog) {
                    open(hostile);
                } else {
                    window->openPath(hostile);
                }
                const size_t expected = expectMessage || !fromDialog ? 1u : 0u;
                ASSERT_EQ(toolkit.boxes.size(), expected) << hostile.toStdString();
                if (expected) {
                    EXPECT_EQ(toolkit.boxes[0].title, "Error during loading #03");
                }
                EXPECT_EQ(window->lst_forms->count(), 24);
                EXPECT_EQ(window->lst_lang->count(), 0);
                EXPECT_EQ(doc().UnsavedChanges, 0.0f);
                click(window->lst_forms, 0); // the window goes on working
                EXPECT_EQ(panel(2), "Form: 1");
            }
        }
    }
};

TEST_F(HostileOpen, BrokenFilesShowTheLoadingErrorOnceAndKeepTheWindowWorking)
{
    openEach({write("zero", ""), write("three", "\x01\x00\x00"),
              write("long", le32(1) + le16(65535) + "x"), "/dev/zero"},
             true);
    EXPECT_EQ(window->currentPath(), "/dev/zero") << "the path of the failed load is kept";
    EXPECT_EQ(window->lst_forms->item(0)->text(), "- EMPTY FORM -");
}

TEST_F(HostileOpen, PathsThatCannotBeOpenedAreQuietFromTheDialog)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    openEach({folder(), path("pipe"), path("missing.lsf")}, false);

    const QString big = write("huge.lsf", lsfFile(2147483647, {packed({"Only"})}));
    toolkit.boxes.clear();
    open(big);
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(window->lst_forms->item(0)->text(), "Only");
}
