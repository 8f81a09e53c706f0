#include "WindowTest.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qwindowsysteminterface.h>

namespace {

const QString NewQuestion =
    "Changes are not saved yet.\r\nAre you sure that you want to start a new file?";
const QString OpenQuestion = "The changes in this file are not saved yet.\r\nAre you sure that you "
                             "want to open another file?";
const QString LoadError = "Error during loading!\r\nThe language file could not be opened";
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

TEST_F(FileCommands, TypicalEditFromOpenToSaveWritesWhatTheWindowShows)
{
    const QString file = write("app.lsf", sampleFile());
    open(file);
    ASSERT_EQ(toolkit.openRequests.size(), 1u);
    const FileDialogRequest& asked = toolkit.openRequests[0];
    EXPECT_EQ(QStringList({asked.fileName, asked.title, asked.filter}),
              QStringList({".lsf", "Open an existing language file:", "*.LSF format|*.lsf"}));
    EXPECT_EQ(seen(), "Main|Options|- EMPTY FORM -|ab\n\napp.lsf|Notes|2.0|Ann|7|01-01-26\n"
                      "highlight -1 -1, Form:, Row:, commands 0010000000");
    click(window->lst_forms, 0);
    EXPECT_EQ(rows(), QStringList({"Open file", "Save file", "Close"}));
    EXPECT_EQ(commandState(), "0011111111");
    window->txt_naam->selectAll();
    QTest::keyClicks(window->txt_naam, "Bo");
    EXPECT_EQ(commandState(), "1111111111");
    window->toolbarButton(4)->trigger(); // the toolbar's Save; the menu's is used below
    expectOnlyBox(Saved, 64);
    EXPECT_EQ(commandState(), "0011111111");
    EXPECT_EQ(read(file), written());
    EXPECT_EQ(doc().SettingsTable.at(2), "Bo");
}

TEST_F(FileCommands, NewFileAsksOnceAndKeepsRevisionAndDate)
{
    open(write("a.lsf", sampleFile()));
    click(window->lst_forms, 1);
    window->txt_naam->setText("Changed");
    toolkit.answers = {MsgResult::No, MsgResult::Yes};
    window->mnu_new->trigger();
    expectOnlyBox(NewQuestion, 36);
    EXPECT_EQ(window->txt_naam->text(), "Changed");
    EXPECT_EQ(window->lst_lang->count(), 1);

    window->toolbarButton(2)->trigger();
    expectOnlyBox(NewQuestion, 36);
    EXPECT_EQ(seen(), "- EMPTY FORM - |- EMPTY FORM - |- EMPTY FORM - |- EMPTY FORM - \n\n"
                      "||||7|01-01-26\nhighlight -1 -1, Form: 2, Row:, commands 0010000000")
        << "the status bar keeps the last selection";
    EXPECT_EQ(doc().SettingsTable.at(7), "");
}

// Open from the menu, the command line and a drop: the question, a cancelled dialog, a broken
// file reported once (an unopenable path is quiet from the dialog), and a window that goes on.
TEST_F(FileCommands, OpenAsksFirstAndReportsBrokenFilesOnce)
{
    touch();
    toolkit.answers = {MsgResult::No, MsgResult::Yes};
    open(path("never.lsf"));
    expectOnlyBox(OpenQuestion, 36);
    EXPECT_TRUE(toolkit.openRequests.empty());
    toolkit.openAnswers = {""};          // cancelled dialog
    window->toolbarButton(3)->trigger(); // the toolbar's Open
    expectOnlyBox(OpenQuestion, 36);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    toolkit.answers = {MsgResult::Yes};
    open(write("good.lsf", sampleFile()));
    expectOnlyBox(OpenQuestion, 36);

    const QString broken = write("broken.lsf", le32(1) + le16(65535) + "x");
    const struct {
        QString path;
        bool fromDialog;
        bool reported;
    } cases[] = {{broken, true, true}, {folder(), true, false}, {folder(), false, true}};
    QString shown; // the rows and file name while the error shows
    toolkit.onBox = [&] {
        shown = QString("%1 rows, \"%2\"")
                    .arg(window->lst_lang->count())
                    .arg(window->txt_filetitle->text());
    };
    click(window->lst_forms, 0); // its rows shown
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString() + (c.fromDialog ? " from the dialog" : ""));
        c.fromDialog ? open(c.path) : window->openPath(c.path);
        if (c.reported) {
            expectOnlyBox(LoadError, 16, "Error during loading #03");
            if (c.fromDialog) { // the file read: what it replaces cleared meanwhile
                EXPECT_EQ(shown, "0 rows, \"\"");
            }
        }
        EXPECT_TRUE(toolkit.boxes.empty());
        EXPECT_EQ(doc().UnsavedChanges, 0.0f);
        click(window->lst_forms, 0); // the window goes on working
        EXPECT_EQ(panel(2), "Form: 1");
    }
    EXPECT_EQ(window->currentPath(), broken) << "the path of the failed dialog load is kept";

    EXPECT_FALSE(window->dropUrls({QUrl("https://example.org/x.lsf")})) << "not a local file";
    touch();
    toolkit.answers = {MsgResult::Yes};
    EXPECT_TRUE(window->dropUrls({QUrl("https://example.org/x.lsf"),
                                  QUrl::fromLocalFile(write("dropped.LSF", sampleFile()))}));
    expectOnlyBox(OpenQuestion, 36);
    EXPECT_EQ(window->txt_filetitle->text(), "dropped.LSF");
}

TEST_F(FileCommands, SaveOfANewDocumentAsksForANameAndSavesOnce)
{
    QTest::keyClick(window->txt_date, Qt::Key_1);
    window->mnu_save->trigger(); // cancelled
    ASSERT_EQ(toolkit.saveRequests.size(), 1u);
    EXPECT_EQ(toolkit.saveRequests[0].title, "Save file as ...");
    EXPECT_EQ(toolkit.saveRequests[0].fileName, ".lsf");
    toolkit.saveAnswers = {path(".lsf"), path("plain")}; // the preset name counts as cancelling
    window->mnu_saveas->trigger();
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_FALSE(QFile::exists(path(".lsf")));

    window->mnu_save->trigger();
    expectOnlyBox(Saved, 64);
    EXPECT_EQ(read(path("plain")).size(), 5466 + 1) << "a new document and the typed date";
    EXPECT_EQ(window->txt_filetitle->text(), "plain");
}

TEST_F(FileCommands, AFailedSaveKeepsTheFlagAndTheCommandThenASaveThatWorksClearsThem)
{
    const QString file = write("lang.lsf", lsfFile(1, {}));
    open(file);
    touch();
    QFile::setPermissions(file, QFile::ReadOwner);
    window->mnu_save->trigger();
    expectOnlyBox("An error occured while saving the languagefile", 16);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    EXPECT_TRUE(window->mnu_save->isEnabled());
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    window->mnu_save->trigger();
    expectOnlyBox(Saved, 64);
    EXPECT_EQ(read(file), written());
}

TEST_F(FileCommands, ExitAndTheCloseBoxAskTheirOwnQuestions)
{
    window->mnu_exit->trigger();
    EXPECT_FALSE(window->isVisible()) << "nothing unsaved: closes at once";
    EXPECT_TRUE(toolkit.boxes.empty());

    start(testValues());
    touch();
    toolkit.answers = {MsgResult::No, MsgResult::No, MsgResult::Yes};
    window->mnu_exit->trigger();
    expectOnlyBox("Changes are not saved yet.\r\nAre you sure that you want to exit the program?",
                  36);
    EXPECT_TRUE(window->isVisible());
    window->close();
    expectOnlyBox(CloseQuestion, 36, "File is not saved yet!");
    EXPECT_TRUE(window->isVisible());
    window->mnu_exit->trigger();
    EXPECT_EQ(toolkit.boxes.size(), 1u) << "Exit's own question only";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->pathHolder(), nullptr) << "the hidden window is unloaded with it";
}

// The session manager asks every program to save; a logout called off sends nothing more, the
// session's end sends the platform's quit.
TEST_F(FileCommands, OnlyTheEndOfTheSessionClosesWithoutAsking)
{
    SwallowQuit swallow; // installed before the window's own watch, so it sees the event last
    qApp->installEventFilter(&swallow);
    start(testValues());
    touch();
    QGuiApplicationPrivate::instance()->commitData();
    EXPECT_TRUE(toolkit.boxes.empty());
    toolkit.answers = {MsgResult::No};
    window->close();
    expectOnlyBox(CloseQuestion, 36, "File is not saved yet!");
    EXPECT_TRUE(window->isVisible());

    QGuiApplicationPrivate::instance()->commitData();
    QWindowSystemInterface::handleApplicationTermination<
        QWindowSystemInterface::SynchronousDelivery>();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_TRUE(QFile::exists(window->recovery().copyPath())) << "the changes are kept for later";

    start(testValues()); // a copy that cannot be written at the end is not said: nobody reads it
    window->recovery().setFolder(write("in-the-way", "") + "/recovery");
    touch();
    window->endWithoutAsking();
    EXPECT_TRUE(toolkit.boxes.empty());
    qApp->removeEventFilter(&swallow);
}
