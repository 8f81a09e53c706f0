// The window when files are hostile or saving fails: a message, the earlier file byte for byte
// as it was, the document still marked changed, and a window that goes on working.
#include "FullDisk.h"
#include "WindowTest.h"

using SaveFaults = WindowTest;

TEST_F(SaveFaults, FullDiskThenSpaceFreedSavesOnTheSecondTry)
{
    FullDisk disk(path("disk"));
    if (!disk.unavailable().isEmpty())
        GTEST_SKIP() << disk.unavailable().toStdString();
    const QByteArray original = lsfFile(1, {packed({"Main"}), packed({"Keep me"})});
    const QString onDisk = write("disk/lang.lsf", original);
    open(onDisk);
    window->txt_naam->setText("Changed");
    ASSERT_TRUE(disk.fill());
    window->mnu_save->trigger();
    expectOnlyBox("An error occured while saving the languagefile", 16);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    EXPECT_TRUE(window->mnu_save->isEnabled());
    EXPECT_EQ(read(onDisk), original);

    QFile::remove(disk.path("filler"));
    window->mnu_save->trigger();
    expectOnlyBox("The languagefile has been saved.", 64);
    EXPECT_EQ(read(onDisk).size(), 5446); // "Main", 23 placeholders, "Keep me", "Changed"
    EXPECT_TRUE(read(onDisk).contains("Changed"));
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
}

using HostileOpen = WindowTest;

// A broken file from the Open dialog or the command line shows the loading error once; an
// unopenable path is quiet from the dialog; the window goes on working either way.
TEST_F(HostileOpen, BrokenFilesAreReportedOnceAndTheWindowGoesOn)
{
    const QString broken = write("broken.lsf", le32(1) + le16(65535) + "x");
    for (const QString& hostile : {broken, folder()}) {
        for (bool fromDialog : {true, false}) {
            toolkit.boxes.clear();
            fromDialog ? open(hostile) : window->openPath(hostile);
            const size_t expected = hostile == broken || !fromDialog ? 1u : 0u;
            ASSERT_EQ(toolkit.boxes.size(), expected) << hostile.toStdString();
            if (expected) {
                EXPECT_EQ(toolkit.boxes[0].title, "Error during loading #03");
            }
            EXPECT_EQ(window->lst_forms->count(), 24);
            click(window->lst_forms, 0); // the window goes on working
            EXPECT_EQ(panel(2), "Form: 1");
        }
    }
    EXPECT_EQ(window->currentPath(), broken) << "the path of the failed load is kept";
}
