#include "Class_Openwith.h"
#include "DesktopEntries.h"
#include "FakeShell.h"
#include "QtPrint.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(OpenWith, AnAssociatedProgramOpensTheFileWithNoFallback)
{
    FakeShell shell;
    Class_Openwith(shell).OpenDialog("C:\\Program Files\\Lexicant\\output.txt");
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{
                  "GetDesktopWindow",
                  "ShellExecuteA 65552|open|C:\\Program Files\\Lexicant\\output.txt|||1"}));
}

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

TEST(OpenWith, OtherFailuresEndQuietlyAndAMissingSystemFolderEndThrows)
{
    for (std::intptr_t result : {2, 5, 32, 0}) {
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

class Applications : public ::testing::Test, public TempFiles {
protected:
    void entry(const QString& name, const QByteArray& body)
    {
        write("apps/" + name, "[Desktop Entry]\nType=Application\n" + body);
    }

    DesktopEntries scan()
    {
        entry("editor.desktop", "Name=Text Editor\nExec=edit --new %F\nMimeType=text/plain;\n");
        entry("viewer.desktop", "Name=Another Viewer\nExec=\"view er\" %u\nMimeType=text/plain;\n");
        entry("paint.desktop", "Name=Paint\nExec=paint\nIcon=paint\n");
        entry("hidden.desktop",
              "Name=Helper\nExec=helper %f\nNoDisplay=true\nMimeType=text/plain;\n");
        entry("gone.desktop", "Name=Gone\nExec=gone\nHidden=true\n");
        write("apps/readme.txt", "not an entry");
        write("mimeapps.list",
              "[Added Associations]\ntext/html=paint.desktop;\n"
              "[Default Applications]\ntext/plain=missing.desktop;editor.desktop;\n");
        return DesktopEntries::scan({folder() + "/apps"}, {path("mimeapps.list")});
    }
};

TEST_F(Applications, ChooserListsRegisteredProgramsFirstFromDesktopEntries)
{
    const DesktopEntries entries = scan();
    QStringList names;
    for (const DesktopApp& app : entries.chooserList({"text/plain"}))
        names << app.name;
    EXPECT_EQ(names, QStringList({"Another Viewer", "Text Editor", "Paint"}));
}

TEST_F(Applications, DefaultProgramComesFromMimeappsThenFromRegistrations)
{
    const DesktopEntries entries = scan();
    EXPECT_EQ(entries.defaultFor({"text/plain"})->id, "editor.desktop");
    EXPECT_EQ(entries.defaultFor({"text/x-csrc", "text/plain"})->id, "editor.desktop");
    EXPECT_FALSE(entries.defaultFor({"image/png"}));

    const DesktopEntries noDefaults = DesktopEntries::scan({folder() + "/apps"}, {});
    EXPECT_EQ(noDefaults.defaultFor({"text/plain"})->id, "editor.desktop") << "first by id";
}

TEST_F(Applications, LaunchPutsTheFileInPlaceOfItsFieldCode)
{
    const DesktopEntries entries = scan();
    const auto args = [&](const char* id) {
        for (const DesktopApp& app : entries.applications())
            if (app.id == id)
                return launchArguments(app, "/tmp/my file.txt");
        return QStringList();
    };
    EXPECT_EQ(args("editor.desktop"), QStringList({"edit", "--new", "/tmp/my file.txt"}));
    EXPECT_EQ(args("viewer.desktop"), QStringList({"view er", "/tmp/my file.txt"}));
    EXPECT_EQ(args("paint.desktop"), QStringList({"paint", "/tmp/my file.txt"}));
    EXPECT_EQ(typesOf("https://example.org/"), QStringList({"x-scheme-handler/https"}));
    EXPECT_EQ(typesOf(write("output.txt", "x")).first(), "text/plain");
}
