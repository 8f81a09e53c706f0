#include "WindowTest.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qwindowsysteminterface.h>

namespace {

const QString NewQuestion =
    "Changes are not saved yet.\r\nAre you sure that you want to start a new file?";
const QString OpenQuestion = "The changes in this file are not saved yet.\r\nAre you sure that you "
                             "want to open another file?";
const QString Saved = "The languagefile has been saved.";
const QString CloseQuestion =
    QStringLiteral("The file that is currently opened is not saved yet.\r\nIf you close the "
                   "program without saving all changes will be lost!\r\n\r\nAre you sure that "
                   "you want to exit the program?");

// Keeps a quit event from ending the test's own event loops once the window has seen it.
class SwallowQuit : public QObject {
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Quit; }
};

// Form names "Main", "Options", "x" (shown as the placeholder), "ab"; form 1 with a gap and a
// one-character row; settings with a hidden row 7.
QByteArray sampleFile()
{
    QList<QByteArray> fields = {packed({"Main", "Options", "x", "ab"})};
    fields << packed({"Open file", "", "Save file", "z", "Close"}) << packed({"Cancel"});
    for (int f = 3; f <= 24; ++f)
        fields << emptyEntries(201);
    fields << packed({"Notes", "2.0", "Ann", "7", "01-01-26", "", "", "hidden"});
    return lsfFile(1, fields);
}

} // namespace

using FileCommands = WindowTest;

TEST_F(FileCommands, TypicalEditFromOpenToSaveWritesTheExpectedBytes)
{
    const QString file = write("app.lsf", sampleFile());
    open(file);
    ASSERT_EQ(toolkit.openRequests.size(), 1u);
    EXPECT_EQ(toolkit.openRequests[0].fileName, ".lsf");
    EXPECT_EQ(toolkit.openRequests[0].title, "Open an existing language file:");
    EXPECT_EQ(toolkit.openRequests[0].filter, "*.LSF format|*.lsf");
    EXPECT_EQ(items(window->lst_forms).mid(0, 5),
              QStringList({"Main", "Options", "- EMPTY FORM -", "ab", "- EMPTY FORM -"}));
    EXPECT_EQ(window->txt_filetitle->text(), "app.lsf");
    EXPECT_EQ(window->txt_app->text(), "Notes");
    EXPECT_EQ(window->txt_date->text(), "01-01-26");
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
    EXPECT_EQ(window->lst_lang->count(), 0);
    EXPECT_EQ(doc().SelectedForm, 0.0f);

    click(window->lst_forms, 0);
    EXPECT_EQ(panel(2), "Form: 1");
    EXPECT_EQ(items(window->lst_lang), QStringList({"Open file", "Save file", "Close"}));
    EXPECT_EQ(commandState(), "0011111111");

    window->txt_naam->selectAll();
    QTest::keyClicks(window->txt_naam, "Bo");
    EXPECT_EQ(commandState(), "1111111111");
    window->mnu_save->trigger();
    expectOnlyBox(Saved, 64);
    EXPECT_EQ(commandState(), "0011111111");
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);

    QList<QByteArray> fields;
    QByteArray names = packed({"Main", "Options", "- EMPTY FORM -", "ab"});
    for (int n = 5; n <= 24; ++n)
        names += QByteArray("- EMPTY FORM -") + '\xBE';
    fields << names + '\xBE' << packed({"Open file", "Save file", "Close"}) + emptyEntries(198)
           << packed({"Cancel"}) + emptyEntries(200);
    for (int f = 3; f <= 24; ++f)
        fields << emptyEntries(201);
    fields << packed({"Notes", "2.0", "Bo", "7", "01-01-26", "", "", "hidden"}) + emptyEntries(193);
    EXPECT_EQ(read(file), lsfFile(1, fields));
}

TEST_F(FileCommands, NewFileAsksOnceAndKeepsRevisionAndDate)
{
    open(write("a.lsf", sampleFile()));
    click(window->lst_forms, 1);
    window->txt_naam->setText("Changed");
    toolkit.answers.push_back(MsgResult::No);
    window->mnu_new->trigger();
    expectOnlyBox(NewQuestion, 36);
    EXPECT_EQ(window->txt_naam->text(), "Changed");
    EXPECT_EQ(window->currentPath(), path("a.lsf"));
    EXPECT_EQ(window->lst_lang->count(), 1);

    toolkit.answers.push_back(MsgResult::Yes);
    window->toolbarButton(2)->trigger();
    expectOnlyBox(NewQuestion, 36);
    EXPECT_EQ(items(window->lst_forms), QStringList(24, "- EMPTY FORM - "));
    EXPECT_EQ(window->lst_lang->count(), 0);
    EXPECT_EQ(window->txt_naam->text(), "");
    EXPECT_EQ(window->txt_filetitle->text(), "");
    EXPECT_EQ(window->txt_rev->text(), "7");
    EXPECT_EQ(window->txt_date->text(), "01-01-26");
    EXPECT_EQ(window->currentPath(), "");
    EXPECT_EQ(doc().SelectedForm, 0.0f);
    EXPECT_EQ(doc().SelectedRow, 0.0f);
    EXPECT_EQ(doc().SettingsTable.at(7), "");
    EXPECT_EQ(commandState(), StartState);
    EXPECT_EQ(panel(2), "Form: 2") << "the status bar keeps the last selection";
}

TEST_F(FileCommands, OpenAsksCancelsQuietlyAndReportsBrokenFiles)
{
    window->txt_date->setText("x");
    QTest::keyClick(window->txt_date, Qt::Key_End);
    toolkit.answers.push_back(MsgResult::No);
    open(path("never.lsf"));
    expectOnlyBox(OpenQuestion, 36);
    EXPECT_TRUE(toolkit.openRequests.empty());
    toolkit.openAnswers.clear();

    toolkit.answers.push_back(MsgResult::Yes);
    open(""); // cancelled dialog
    expectOnlyBox(OpenQuestion, 36);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    EXPECT_EQ(items(window->lst_forms), QStringList(24, "- EMPTY FORM - "));

    toolkit.answers.push_back(MsgResult::Yes);
    open(write("broken.lsf", le32(0)));
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[1].text,
              "Error during loading!\r\nThe language file could not be opened");
    EXPECT_EQ(toolkit.boxes[1].title, "Error during loading #03");
    EXPECT_EQ(items(window->lst_forms), QStringList(24, "- EMPTY FORM -"));
    EXPECT_EQ(window->currentPath(), path("broken.lsf"));
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
}

TEST_F(FileCommands, SaveOfANewDocumentAsksForANameAndSavesOnce)
{
    QTest::keyClick(window->txt_date, Qt::Key_1);
    window->mnu_save->trigger(); // cancelled
    ASSERT_EQ(toolkit.saveRequests.size(), 1u);
    EXPECT_EQ(toolkit.saveRequests[0].title, "Save file as ...");
    EXPECT_EQ(toolkit.saveRequests[0].fileName, ".lsf");
    EXPECT_TRUE(toolkit.boxes.empty());

    toolkit.saveAnswers.push_back(path(".lsf")); // the preset name counts as cancelling
    window->mnu_saveas->trigger();
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_FALSE(QFile::exists(path(".lsf")));

    toolkit.saveAnswers.push_back(path("plain"));
    window->mnu_save->trigger();
    expectOnlyBox(Saved, 64);
    EXPECT_EQ(read(path("plain")).size(), 5466 + 1) << "a new document and the typed date";
    EXPECT_EQ(window->txt_filetitle->text(), "plain");
}

TEST_F(FileCommands, ExitAndTheCloseBoxAskTheirOwnQuestions)
{
    window->mnu_exit->trigger();
    EXPECT_FALSE(window->isVisible()) << "nothing unsaved: closes at once";
    EXPECT_TRUE(toolkit.boxes.empty());

    start(testValues());
    QTest::keyClick(window->txt_rev, Qt::Key_1);
    toolkit.answers = {MsgResult::No};
    window->mnu_exit->trigger();
    expectOnlyBox("Changes are not saved yet.\r\nAre you sure that you want to exit the program?",
                  36);
    EXPECT_TRUE(window->isVisible());

    toolkit.answers = {MsgResult::No};
    window->close();
    expectOnlyBox(CloseQuestion, 36, "File is not saved yet!");
    EXPECT_TRUE(window->isVisible());

    toolkit.answers = {MsgResult::Yes};
    window->mnu_exit->trigger();
    EXPECT_EQ(toolkit.boxes.size(), 1u) << "Exit's own question only";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->pathHolder(), nullptr) << "the hidden window is unloaded with it";
}

TEST_F(FileCommands, ALogoutThatIsCancelledLeavesTheCloseBoxAsking)
{
    QTest::keyClick(window->txt_rev, Qt::Key_1);
    // The session manager asks every program to save, then another program refuses and the
    // logout is called off: nothing more arrives.
    QGuiApplicationPrivate::instance()->commitData();
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);

    toolkit.answers = {MsgResult::No};
    window->close();
    expectOnlyBox(CloseQuestion, 36, "File is not saved yet!");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FileCommands, TheEndOfTheSessionClosesWithoutAsking)
{
    SwallowQuit swallow; // installed before the window's own watch, so it sees the event last
    qApp->installEventFilter(&swallow);
    start(testValues());
    QTest::keyClick(window->txt_rev, Qt::Key_1);
    QGuiApplicationPrivate::instance()->commitData();
    // The session manager's "die": the platform tells the application to terminate.
    QWindowSystemInterface::handleApplicationTermination<
        QWindowSystemInterface::SynchronousDelivery>();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(toolkit.boxes.empty());
    qApp->removeEventFilter(&swallow);
}

TEST_F(FileCommands, CommandLineAndDropOpenFilesLikeTheOpenCommand)
{
    window->openPath(path("missing.lsf"));
    expectOnlyBox("Error during loading!\r\nThe language file could not be opened", 16,
                  "Error during loading #03");
    EXPECT_EQ(window->currentPath(), "");

    window->openPath(write("cli.lsf", sampleFile()));
    EXPECT_EQ(window->txt_filetitle->text(), "cli.lsf");
    EXPECT_EQ(items(window->lst_forms).first(), "Main");

    EXPECT_TRUE(window->acceptDrops());
    EXPECT_FALSE(window->dropUrls({QUrl("https://example.org/x.lsf")})) << "not a local file";
    QTest::keyClick(window->txt_rev, Qt::Key_9);
    toolkit.answers.push_back(MsgResult::Yes);
    EXPECT_TRUE(window->dropUrls({QUrl("https://example.org/x.lsf"),
                                  QUrl::fromLocalFile(write("dropped.LSF", sampleFile()))}));
    expectOnlyBox(OpenQuestion, 36);
    EXPECT_EQ(window->txt_filetitle->text(), "dropped.LSF");
    EXPECT_EQ(window->txt_rev->text(), "7");
}
