#include "AppChooser.h"
#include "FreedesktopShell.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

class Freedesktop : public ::testing::Test, public TempFiles {
protected:
    ScriptedToolkit toolkit;
    QList<QStringList> launched;
    FreedesktopShell shell{toolkit, [this](const QStringList& args) {
                               launched << args;
                               return true;
                           }};

    void SetUp() override
    {
        write("apps/editor.desktop", "[Desktop Entry]\nType=Application\nName=Editor\n"
                                     "Exec=editor %f -w\nMimeType=text/plain;\n");
        write("apps/draw.desktop", "[Desktop Entry]\nType=Application\nName=Draw\nExec=draw\n");
        shell.setApplications(DesktopEntries::scan({folder() + "/apps"}, {}));
    }

    std::intptr_t open(const QString& file, const std::string& parameters = {})
    {
        return shell.ShellExecuteA(shell.GetDesktopWindow(), "open", file.toStdString(), parameters,
                                   "", 1);
    }
};

TEST_F(Freedesktop, OpensWithTheTypesProgramOrSaysWhyNot)
{
    EXPECT_GT(open(write("output.txt", "x")), 32);
    ASSERT_EQ(launched.size(), 1);
    EXPECT_EQ(launched[0], QStringList({"editor", path("output.txt"), "-w"}));

    EXPECT_EQ(open(write("picture.png", "\x89PNG\r\n\x1a\n")), 31) << "no program for images";
    EXPECT_EQ(open(path("missing.txt")), 2);
    EXPECT_EQ(open("RUNDLL32.EXE", "shell32.dll,Control_RunDLL"), 2) << "only Open with is known";
    EXPECT_EQ(shell.ShellExecuteA(0, "print", path("output.txt").toStdString(), "", "", 1), 31);
    EXPECT_EQ(launched.size(), 1);

    char buffer[260];
    std::fill(std::begin(buffer), std::end(buffer), ' ');
    EXPECT_EQ(shell.GetSystemDirectoryA(buffer, 8), 9u) << "the length it needs";
    EXPECT_EQ(buffer[0], ' ');
    EXPECT_EQ(shell.GetSystemDirectoryA(buffer, 9), 8u);
    EXPECT_STREQ(buffer, "/usr/bin");
}

TEST_F(Freedesktop, OpenWithShowsTheChooserAndStartsThePickedProgram)
{
    const QString file = write("my notes.txt", "x");
    QStringList shown;
    toolkit.onModal = [&](QDialog& dialog) {
        auto& chooser = static_cast<AppChooser&>(dialog);
        EXPECT_EQ(chooser.windowTitle(), "Open with");
        EXPECT_EQ(chooser.lst_apps->accessibleName(), "Programs");
        EXPECT_TRUE(chooser.lbl_file->text().endsWith("\nmy notes.txt"));
        EXPECT_TRUE(chooser.lbl_file->wordWrap()) << "a long name wraps";
        for (int i = 0; i < chooser.lst_apps->count(); ++i)
            shown << chooser.lst_apps->item(i)->text() +
                         (chooser.lst_apps->item(i)->font().bold() ? "*" : "");
        chooser.lst_apps->setCurrentRow(1);
        chooser.buttons->button(QDialogButtonBox::Open)->click();
        return chooser.result();
    };
    EXPECT_GT(open("RUNDLL32.EXE", "shell32.dll,OpenAs_RunDLL " + file.toStdString()), 32);
    EXPECT_EQ(shown, QStringList({"Editor*", "Draw"}));
    ASSERT_EQ(launched.size(), 1);
    EXPECT_EQ(launched[0], QStringList({"draw", file}));

    toolkit.onModal = [](QDialog& dialog) {
        auto& chooser = static_cast<AppChooser&>(dialog);
        emit chooser.lst_apps->itemActivated(chooser.lst_apps->item(0)); // a double click
        return chooser.result();
    };
    open("RUNDLL32.EXE", "shell32.dll,OpenAs_RunDLL " + file.toStdString());
    ASSERT_EQ(launched.size(), 2);
    EXPECT_EQ(launched[1].first(), "editor");

    bool cancelled = false;
    toolkit.onModal = [&cancelled](QDialog& dialog) {
        QObject::connect(&dialog, &QDialog::rejected, [&cancelled] { cancelled = true; });
        static_cast<AppChooser&>(dialog).buttons->button(QDialogButtonBox::Cancel)->click();
        return dialog.result();
    };
    open("RUNDLL32.EXE", "shell32.dll,OpenAs_RunDLL " + file.toStdString());
    EXPECT_TRUE(cancelled) << "Cancel closes the chooser";
    EXPECT_EQ(launched.size(), 2) << "cancelling starts nothing";

    EXPECT_FALSE(AppChooser(file, {}, 0).buttons->button(QDialogButtonBox::Open)->isEnabled())
        << "with no program to choose, none can be opened";
}
