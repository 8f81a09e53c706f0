#include "Layout.h"
#include "WindowTest.h"

#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

using StartUp = WindowTest;

TEST_F(StartUp, ShowsTheNewDocumentWithHiddenExtraMenuAndAsksNothing)
{
    EXPECT_EQ(window->windowTitle(), "Vantrel Lexicant 1.4");
    EXPECT_EQ(seen(), "- EMPTY FORM - |- EMPTY FORM - |- EMPTY FORM - |- EMPTY FORM - \n\n|||||\n"
                      "highlight -1 -1, Form:, Row:, commands 0010000000");
    EXPECT_FALSE(window->mnu_extra->menuAction()->isVisible());
    EXPECT_TRUE(toolkit.boxes.empty());

    start(testValues("1"));
    EXPECT_TRUE(window->mnu_extra->menuAction()->isVisible());
}

TEST_F(StartUp, MenusToolbarAndBoxesAreLaidOutAsDesigned)
{
    // A menu's items as "text|shortcut", and "-" for a separator; no recent files yet.
    const auto menuItems = [](const QWidget* menu) {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->objectName().contains("recent"))
                texts << (a->isSeparator() ? "-" : a->text() + "|" + a->shortcut().toString());
        return texts.join(' ');
    };
    EXPECT_EQ(menuItems(window->menuBar()), "&File| &Edit| &Extra| &Reference| &Information|");
    EXPECT_EQ(menuItems(window->mnu_file), "New file|Ctrl+N Open file|Ctrl+O - Save file|Ctrl+S "
                                           "Save file as ...| - Exit|Ctrl+X");
    EXPECT_EQ(menuItems(window->mnu_edit),
              "Undo|Ctrl+Z Redo|Ctrl+Y - New text|F5 Edit text|F6 "
              "Insert text|F7 Delete text|Del Search and replace|Ctrl+F");
    EXPECT_EQ(window->mnu_redo->shortcuts().value(1), QKeySequence("Ctrl+Shift+Z"));
    EXPECT_EQ(menuItems(window->mnu_informatie), "About|Ctrl+A - Visit our website|F1");

    EXPECT_TRUE(window->toolbarButton(1)->isSeparator() && window->toolbarButton(5)->isSeparator());

    const QSize before = window->lst_lang->size();
    const QPoint settings = window->Frame1->pos();
    window->resize(window->size() + QSize(120, 80));
    QApplication::processEvents();
    EXPECT_EQ(window->lst_lang->size(), before + QSize(120, 80));
    EXPECT_EQ(window->Frame1->pos(), settings);
    window->resize(window->size() - QSize(120, 80));
    expectLayout(window.get(), "main-window");
}

TEST_F(StartUp, SettingsBoxesMarkTheDocumentChangedOnAnyKeyAndShowTheFullPath)
{
    window->mnu_new->trigger();
    QTest::keyClick(window->txt_filetitle, Qt::Key_Left); // read-only: no change
    ASSERT_EQ(commandState(), StartState);
    for (QLineEdit* box : {window->txt_date, window->txt_rev, window->txt_naam}) {
        window->mnu_new->trigger();
        QFocusEvent arrives(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(box, &arrives); // focus alone changes nothing
        ASSERT_EQ(commandState(), StartState);
        QTest::keyClick(box, Qt::Key_Left);
        EXPECT_EQ(commandState(), "1110000000");
        toolkit.answers.push_back(MsgResult::Yes);
    }
    window->mnu_new->trigger();
    window->txt_naam->setText("Set by a program");
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);

    toolkit.boxes.clear();
    QTest::mouseDClick(window->txt_filetitle, Qt::LeftButton);
    expectOnlyBox("Filename: ", 0);
    const QString file = write("shown.lsf", lsfFile(1, {}));
    window->openPath(file);
    QTest::mouseDClick(window->txt_filetitle, Qt::LeftButton);
    expectOnlyBox("Filename: " + file, 0);
}

TEST_F(StartUp, AnAuthorAFileCannotStoreIsMarkedAsTypedAndNoLongerOnceUndone)
{
    QTest::sendKeyEvent(QTest::Click, window->txt_naam, Qt::Key_unknown, QString::fromUtf8("Ł"),
                        {});
    QTest::keyClicks(window->txt_naam, "ukasz");
    EXPECT_EQ(window->txt_naam->toolTip(),
              QString::fromUtf8("A language file cannot store the character \"Ł\" (U+0141)."));
    window->mnu_undo->trigger();
    EXPECT_EQ(window->txt_naam->accessibleDescription(), "");
}

TEST_F(StartUp, AboutShowsVersionDateAndBothWebsitesAndWebsiteOpensTheEnglishOne)
{
    window->mnu_about->trigger();
    const ProgramValues& v = window->values();
    expectOnlyBox("Vantrel Lexicant\r\nVersion: 1.4\r\nRelease date: 01-06-05\r\n\r\n" +
                      v.EnglishWebsite + "\r\n" + v.DutchWebsite + "\r\n",
                  64);
    window->mnu_website->trigger();
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1],
              "ShellExecuteA 65552|open|" + v.EnglishWebsite.toStdString() + "|||1");
}

using ErrorTraps = WindowTest;

// A desktop that fails in the middle of a command: the command reports its own code once and
// keeps what it had already done.
TEST_F(ErrorTraps, EachCommandReportsItsCodeWhenTheDesktopFails)
{
    const QByteArray original = lsfFile(1, {packed({"One"}), packed({"Row A", "Row B"})});
    const QString file = write("t.lsf", original);
    const struct {
        const char* code;
        std::function<void()> command;
    } cases[] = {
        {"#10.2", [&] { click(window->lst_lang, 0, Qt::RightButton); }},
        {"#10.3", [&] { window->mnu_new->trigger(); }},
        {"#10.5", [&] { window->mnu_text_edit->trigger(); }},
        {"#10.6", [&] { window->mnu_text_insert->trigger(); }},
        {"#10.0", [&] { window->mnu_save->trigger(); }}, // the confirmation fails
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        start(testValues());
        open(file);
        click(window->lst_forms, 0);
        touch(); // unsaved, so that New file asks
        toolkit.failNext = true;
        c.command();
        expectOnlyBox(trapText(c.code), 48);
        EXPECT_EQ(rows(), QStringList({"Row A", "Row B"}));
    }
    EXPECT_EQ(doc().UnsavedChanges, 0.0f) << "Save had saved before its confirmation failed";
    EXPECT_NE(read(file), original);
}
