#include "WindowTest.h"

namespace {

// The document of the export example, as a file: forms 1 and 2 named, form 1 with a gap,
// version 1 and revision 2.
QByteArray exampleFile()
{
    QList<QByteArray> fields = {packed({"Form1", "Edit form"})};
    fields << packed({"Open file", "", "Save file"}) << packed({"Cancel"});
    for (int f = 3; f <= 24; ++f)
        fields << emptyEntries(201);
    fields << packed({"", "1", "", "2"});
    return lsfFile(1, fields);
}

} // namespace

class CodeExport : public WindowTest {
protected:
    void SetUp() override
    {
        ProgramValues values = testValues();
        values.ExtraMenuSwitch = "1";
        start(values);
    }

    QString output() const { return path("output.txt"); }
};

TEST_F(CodeExport, WritesTheExampleByteForByteAndHandsItToTheShell)
{
    open(write("example.lsf", exampleFile()));
    click(window->lst_forms, 1);
    write("output.txt", QByteArray(20000, 'o'));    // an older, longer file
    QTest::keyClick(window->txt_date, Qt::Key_End); // marks the document changed
    window->mnu_savecode->trigger();

    QByteArray expected = "\tF00_lng_(1) = \"Form1\"\r\n\tF00_lng_(2) = \"Edit form\"\r\n";
    for (int index = 3; index <= 24; ++index)
        expected += "\tF00_lng_(" + QByteArray::number(index) + ") = \"- EMPTY FORM -\"\r\n";
    expected += "\tF01_lng_(0) = \"Open file\"\r\n\tF01_lng_(2) = \"Save file\"\r\n"
                "\tF02_lng_(0) = \"Cancel\"\r\n\tF25_lng_(1) = \"1\"\r\n\tF25_lng_(3) = \"2\"\r\n";
    EXPECT_EQ(read(output()), expected);
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(toolkit.pointerChanges, std::vector<bool>({true, false}));
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1], "ShellExecuteA 65552|open|" + output().toStdString() + "|||1");
    EXPECT_EQ(doc().UnsavedChanges, 1.0f) << "the export leaves the flag alone";
    EXPECT_EQ(commandState(), "1111111111");
}

TEST_F(CodeExport, FailuresReportTheirCodeWithTheNormalPointer)
{
    ProgramValues values = testValues();
    values.ExtraMenuSwitch = "1";
    values.ProgramFolder = write("not-a-folder", "x") + "/";
    start(values);
    window->mnu_savecode->trigger();
    expectOnlyBox(trapText("#15.0"), 48);
    EXPECT_FALSE(toolkit.busy);
    EXPECT_TRUE(shell.calls.empty());

    start(testValues());
    shell.results = {31};
    shell.systemFolder = std::string(260, 'x'); // no end to the folder's name
    window->mnu_savecode_Click();
    expectOnlyBox(trapText("#15.0"), 48);
    EXPECT_FALSE(toolkit.busy);

    shell.results = {31};
    window->mnu_website->trigger();
    expectOnlyBox(trapText("#10.7"), 48);
}

TEST_F(CodeExport, TextsWindowsCodePageCannotHoldAreNamedAndNothingIsWritten)
{
    doc().formText(2).set(4, QString::fromUtf8("Done ✓"));
    window->mnu_savecode_Click();
    expectOnlyBox(QString::fromUtf8("Row 4 of form 2 holds the character \"✓\" (U+2713), which the "
                                    "code file cannot store.\r\nReplace it with another character, "
                                    "then save as code again."),
                  16);
    EXPECT_FALSE(QFile::exists(output()));
    EXPECT_FALSE(toolkit.busy);
}

TEST_F(CodeExport, WebsiteOpensTheEnglishAddress)
{
    window->mnu_website->trigger();
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1],
              "ShellExecuteA 65552|open|" + window->values().EnglishWebsite.toStdString() + "|||1");
    EXPECT_EQ(window->mnu_website->shortcut().toString(), "F1");
}
