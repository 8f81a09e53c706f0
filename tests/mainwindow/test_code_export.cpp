#include "CodeText.h"
#include "WindowTest.h"

using CodeExport = WindowTest;

TEST_F(CodeExport, WritesTheCommittedDocumentOverAnOlderFileAndHandsItToTheShell)
{
    start(testValues("1"));
    open(write("example.lsf", lsfFile(1, {packed({"Form1"}), packed({"Open file", "", "Save"})})));
    click(window->lst_forms, 0);
    write("output.txt", QByteArray(20000, 'o')); // an older, longer file
    touch();
    window->mnu_savecode->trigger();
    const QByteArray written = read(path("output.txt"));
    EXPECT_EQ(written, BuildCodeText(doc()).toLatin1());
    EXPECT_TRUE(written.endsWith("\tF01_lng_(0) = \"Open file\"\r\n\tF01_lng_(1) = \"Save\"\r\n"))
        << "committed first, so the gap is closed";
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(toolkit.pointerChanges, std::vector<bool>({true, false}));
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1],
              "ShellExecuteA 65552|open|" + path("output.txt").toStdString() + "|||1");
    EXPECT_EQ(doc().UnsavedChanges, 1.0f) << "the export leaves the flag alone";
}

TEST_F(CodeExport, FailuresReportTheirCodeOrTheTextAndRestoreThePointer)
{
    ProgramValues values = testValues("1");
    values.ProgramFolder = write("not-a-folder", "x") + "/";
    start(values);
    window->mnu_savecode->trigger();
    expectOnlyBox(trapText("#15.0"), 48);
    EXPECT_FALSE(toolkit.pointerChanges.back());
    EXPECT_TRUE(shell.calls.empty());

    start(testValues());
    shell.results = {31, 31};
    shell.systemFolder = std::string(260, 'x'); // no end to the folder's name
    window->mnu_savecode_Click();
    expectOnlyBox(trapText("#15.0"), 48);
    EXPECT_FALSE(toolkit.pointerChanges.back());
    window->mnu_website->trigger();
    expectOnlyBox(trapText("#10.7"), 48);

    window->selectForm(2);
    window->session().appendRow(QString::fromUtf8("Done ✓"));
    QFile::remove(path("output.txt"));
    window->mnu_savecode_Click();
    expectOnlyBox(QString::fromUtf8("Row 0 of form 2 holds the character \"✓\" (U+2713), which the "
                                    "code file cannot store.\r\nReplace it with another character, "
                                    "then save as code again."),
                  16);
    EXPECT_FALSE(QFile::exists(path("output.txt")));
    EXPECT_FALSE(toolkit.pointerChanges.back());
}
