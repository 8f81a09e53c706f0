#include "Class_Openwith.h"
#include "DesktopEntries.h"
#include "FakeShell.h"
#include "QtPrint.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(OpenWith, ResultThirtyOneStartsOpenWithFromTheSystemFolderWithTheUnquotedPath)
{
    FakeShell shell;
    shell.results = {31};
    Class_Openwith(shell).OpenDialog("C:\\My Files\\output.txt");
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{
                  "GetDesktopWindow", "ShellExecuteA 65552|open|C:\\My Files\\output.txt|||1",
                  "GetSystemDirectoryA 260", "GetDesktopWindow",
                  "ShellExecuteA 65552|open|RUNDLL32.EXE|shell32.dll,OpenAs_RunDLL C:\\My "
                  "Files\\output.txt|C:\\WINDOWS\\system32|1"}));
}

TEST(OpenWith, SuccessAndOtherFailuresEndQuietlyAndAMissingSystemFolderEndThrows)
{
    for (std::intptr_t result : {42, 2, 5, 32, 0}) {
        FakeShell shell;
        shell.results = {result};
        Class_Openwith(shell).OpenDialog("missing.txt");
        EXPECT_EQ(shell.calls.size(), 2u) << "result " << result;
    }
    FakeShell shell;
    shell.results = {31};
    shell.systemFolder = std::string(300, 'x');
    EXPECT_THROW(Class_Openwith(shell).OpenDialog("a.txt"), std::runtime_error);
    EXPECT_EQ(shell.calls.size(), 3u);
}

// Entries that exercise each rule of the desktop-entry and mimeapps.list formats.
class Applications : public ::testing::Test, public TempFiles {
protected:
    DesktopEntries entries;

    void SetUp() override
    {
        const auto entry = [&](const QString& name, const QByteArray& body) {
            write(name, "# a comment\n[Desktop Entry]\nType=Application\n" + body);
        };
        entry("apps/editor.desktop", "Name = Text Editor\nExec=edit %F -n %U\nIcon=ed\n"
                                     "MimeType=text/plain;;text/x-c;\n"
                                     "[Desktop Action New]\nExec=wrong\nName=Wrong\n");
        entry("apps/viewer.desktop", "Name=Another Viewer\nExec=\"view er\" \"a \\\"q\\\"\"  %u "
                                     "%i %c %k 100%% %d\nMimeType=text/plain;\n");
        entry("apps/paint.desktop", "Exec=paint\nIcon=paint\n"); // named by its id
        entry("apps/hidden.desktop", "Name=Helper\nExec=helper %f\nNoDisplay=true\n"
                                     "MimeType=text/plain;\n");
        entry("apps/gone.desktop", "Name=Gone\nExec=gone\nHidden=true\n");
        entry("apps/noexec.desktop", "Name=No program\nMimeType=text/plain;\n");
        write("apps/link.desktop", "[Desktop Entry]\nType=Link\nName=Link\nExec=link\n");
        entry("apps/zed.desktop", "Exec=zed\n");
        entry("override/paint.desktop", "Name=Paint first\nExec=paint2\n");
        write("apps/readme.txt", "not an entry");
        write("mimeapps.list", "[Added Associations]\ntext/html=paint.desktop;\n"
                               "[Default Applications]\n"
                               "text/plain=missing.desktop;viewer.desktop;\n");
        write("later.list", "[Default Applications]\ntext/plain=editor.desktop;\n"
                            "text/x-c=paint.desktop;\n");
        entries = DesktopEntries::scan({folder() + "/override", folder() + "/apps"},
                                       {path("mimeapps.list"), path("later.list")});
    }

    QStringList launched(const char* id, const QString& file = "/tmp/my file.txt")
    {
        for (const DesktopApp& app : entries.applications())
            if (app.id == id)
                return launchArguments(app, file);
        return {"<no " + QString(id) + ">"};
    }
};

TEST_F(Applications, OnlyShownApplicationsAreOfferedRegisteredOnesFirstEarlierFoldersWinning)
{
    QStringList ids, names;
    for (const DesktopApp& app : entries.applications())
        ids << app.id;
    EXPECT_EQ(ids, QStringList({"editor.desktop", "hidden.desktop", "paint.desktop",
                                "viewer.desktop", "zed.desktop"}));
    for (const DesktopApp& app : entries.chooserList({"text/x-c", "text/plain"}))
        names << app.name;
    EXPECT_EQ(names, QStringList({"Another Viewer", "Text Editor", "Paint first", "zed"}));
    names.clear();
    for (const DesktopApp& app : entries.chooserList({"image/png"}))
        names << app.name;
    EXPECT_EQ(names, QStringList({"Another Viewer", "Paint first", "Text Editor", "zed"}));
}

TEST_F(Applications, DefaultProgramComesFromTheFirstMimeappsThatNamesOneThenFromRegistrations)
{
    const auto idFor = [&](const QStringList& types) {
        const auto app = entries.defaultFor(types);
        return app ? app->id : QString("none");
    };
    EXPECT_EQ(idFor({"text/plain"}), "viewer.desktop");
    EXPECT_EQ(idFor({"text/x-c", "text/plain"}), "paint.desktop");
    EXPECT_EQ(idFor({"text/x-csrc", "text/plain"}), "viewer.desktop");
    EXPECT_EQ(idFor({"image/png"}), "none");
    const DesktopEntries noDefaults = DesktopEntries::scan({folder() + "/apps"}, {});
    EXPECT_EQ(noDefaults.defaultFor({"text/plain"})->id, "editor.desktop") << "first by id";
}

TEST_F(Applications, LaunchPutsTheFileInPlaceOfItsFieldCodeOnce)
{
    EXPECT_EQ(launched("editor.desktop"), QStringList({"edit", "/tmp/my file.txt", "-n"}));
    EXPECT_EQ(launched("viewer.desktop"),
              QStringList({"view er", "a \"q\"", "/tmp/my file.txt", "Another Viewer",
                           path("apps/viewer.desktop"), "100%"}));
    EXPECT_EQ(launched("paint.desktop"), QStringList({"paint2", "/tmp/my file.txt"}));
    DesktopApp withIcon{"x.desktop", "/x.desktop", "X", "pic", "x %i", {}, false};
    EXPECT_EQ(launchArguments(withIcon, "f"), QStringList({"x", "--icon", "pic", "f"}));
    EXPECT_EQ(launchArguments(DesktopApp{}, "f"), QStringList());
    EXPECT_EQ(typesOf("https://example.org/"), QStringList({"x-scheme-handler/https"}));
    EXPECT_EQ(typesOf(write("output.txt", "x")).first(), "text/plain");
    EXPECT_EQ(typesOf("C:/output.txt").first(), "text/plain") << "a drive letter is no scheme";
}
