#include "Twips.h"
#include "WindowTest.h"

#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

using StartUp = WindowTest;

TEST_F(StartUp, ShowsTheNewDocumentWithHiddenExtraMenuAndAsksNothing)
{
    EXPECT_EQ(window->windowTitle(), "Vantrel Lexicant 1.4");
    EXPECT_EQ(QStringList({panel(1), panel(4)}), QStringList({"Vantrel Lexicant 1.4", ""}));
    EXPECT_EQ(items(window->lst_forms), QStringList(24, "- EMPTY FORM - "));
    EXPECT_EQ(seen(), "- EMPTY FORM - |- EMPTY FORM - |- EMPTY FORM - |- EMPTY FORM - \n\n|||||\n"
                      "highlight -1 -1, Form:, Row:, commands 0010000000");
    EXPECT_FALSE(window->mnu_extra->menuAction()->isVisible());
    EXPECT_FALSE(window->mnu_text_replace->isVisible());
    EXPECT_TRUE(toolkit.boxes.empty());

    start(testValues("1"));
    EXPECT_TRUE(window->mnu_extra->menuAction()->isVisible());
    EXPECT_EQ(window->mnu_savecode->text(), "Save as code");
}

TEST_F(StartUp, MenusToolbarAndBoxesAreLaidOutAsDesigned)
{
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Extra", "&Reference", "&Information"}));
    EXPECT_EQ(menuItems(window->mnu_file), "New file|Ctrl+N Open file|Ctrl+O - Save file|Ctrl+S "
                                           "Save file as ...| - Exit|Ctrl+X");
    EXPECT_EQ(menuItems(window->mnu_edit),
              "Undo|Ctrl+Z Redo|Ctrl+Y - New text|F5 Edit text|F6 "
              "Insert text|F7 Delete text|Del Search and replace|Ctrl+F");
    EXPECT_EQ(window->mnu_redo->shortcuts().value(1), QKeySequence("Ctrl+Shift+Z"));
    EXPECT_EQ(menuItems(window->mnu_informatie), "About|Ctrl+A - Visit our website|F1");

    QStringList tips;
    for (int i = 1; i <= 9; ++i)
        tips << window->toolbarButton(i)->toolTip();
    EXPECT_EQ(tips,
              QStringList({"", "Start a new file", "Open an exisiting file", "Save this file", "",
                           "Add a new row to the form", "Delete the selected row",
                           "Edit the selected row", "Search and replace in the selected form"}));
    EXPECT_TRUE(window->toolbarButton(1)->isSeparator() && window->toolbarButton(5)->isSeparator());

    // Maximum length and whether a person may type, box by box.
    const std::tuple<QLineEdit*, int, bool> boxes[] = {
        {window->txt_app, 30, false}, {window->txt_versie, 5, false},
        {window->txt_naam, 30, true}, {window->txt_rev, 3, true},
        {window->txt_date, 8, true},  {window->txt_filetitle, 32767, false}};
    for (const auto& [box, length, typed] : boxes) {
        EXPECT_EQ(box->maxLength(), length) << box->objectName().toStdString();
        EXPECT_EQ(box->isReadOnly(), !typed) << box->objectName().toStdString();
    }
    EXPECT_EQ(window->Frame_4->title(), "Form names: (double click to edit)");
    EXPECT_EQ(window->Frame_1->title(), "Text in this form: (double click to edit)");
    EXPECT_EQ(window->lbl_2->text(), "Application:");

    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(window->statusPanel(i)->isVisible()) << "panel " << i;
    const Twips t(window.get());
    EXPECT_EQ(QList<int>({window->statusPanel(1)->width(), window->statusPanel(2)->width(),
                          window->statusPanel(3)->width()}),
              QList<int>({t.px(2000), t.px(1500), t.px(1500)}));

    const QSize before = window->lst_lang->size();
    const QPoint settings = window->Frame1->pos();
    window->resize(window->size() + QSize(120, 80));
    QApplication::processEvents();
    EXPECT_EQ(window->lst_lang->size(), before + QSize(120, 80));
    EXPECT_EQ(window->Frame1->pos(), settings);
}

TEST_F(StartUp, ControlsSitWhereTheirTwipsPlaceThemAndCarryTheirNames)
{
    // Left, top, width, height in twips; the frames' tops count from the client area with the
    // toolbar's strip (600 twips), which here sits above the central area. The lists and their
    // frames grow with the window, so only their places are fixed.
    const struct {
        QWidget* control;
        int left, top, width, height;
        bool grows;
    } places[] = {{window->Frame1, 60, 660 - 600, 3495, 1815, false},
                  {window->lbl_1, 240, 380, 975, 255, false},
                  {window->txt_filetitle, 1200, 360, 2175, 285, false},
                  {window->lbl_2, 240, 740, 975, 255, false},
                  {window->txt_app, 1200, 720, 1575, 285, false},
                  {window->txt_versie, 2880, 720, 495, 285, false},
                  {window->lbl_3, 240, 1100, 975, 255, false},
                  {window->txt_naam, 1200, 1080, 2175, 285, false},
                  {window->lbl_4, 240, 1460, 975, 255, false},
                  {window->txt_rev, 1200, 1440, 615, 285, false},
                  {window->Label1, 2160, 1460, 495, 255, false},
                  {window->txt_date, 2640, 1440, 735, 285, false},
                  {window->Frame_4, 60, 2580 - 600, 3495, 5055, true},
                  {window->lst_forms, 120, 240, 3255, 4740, true},
                  {window->Frame_1, 3600, 660 - 600, 7395, 6980, true},
                  {window->lst_lang, 60, 240, 7215, 6690, true}};
    const Twips t(window.get());
    for (const auto& p : places) {
        const QRect designed = t.rect(p.left, p.top, p.width, p.height);
        SCOPED_TRACE(p.control->objectName().toStdString());
        EXPECT_EQ(p.control->pos(), designed.topLeft());
        if (p.grows)
            EXPECT_GE(p.control->width(), designed.width());
        else
            EXPECT_EQ(p.control->size(), designed.size());
    }

    const QString names =
        "Toolbar1 Frame1 lbl_1 lbl_2 lbl_3 lbl_4 Label1 txt_filetitle txt_app txt_versie txt_naam "
        "txt_rev txt_date Frame_4 lst_forms Frame_1 lst_lang StatusBar mnu_file mnu_edit "
        "mnu_extra mnu_informatie mnu_new mnu_open mnu_bar_1 mnu_save mnu_saveas mnu_bar_2 "
        "mnu_exit mnu_text_new mnu_text_edit mnu_text_insert mnu_text_delete mnu_text_replace "
        "mnu_savecode mnu_about mnu_bar_4 mnu_website StatusBar_1 StatusBar_4 mnu_undo mnu_redo "
        "mnu_reference mnu_checks";
    for (const QString& name : names.split(' '))
        EXPECT_NE(window->findChild<QObject*>(name), nullptr) << name.toStdString();
}

TEST_F(StartUp, SettingsBoxesMarkTheDocumentChangedOnAnyKeyAndShowTheFullPath)
{
    for (QLineEdit* box : {window->txt_date, window->txt_rev}) {
        window->mnu_new->trigger();
        QFocusEvent arrives(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(box, &arrives); // focus alone changes nothing
        ASSERT_EQ(commandState(), StartState);
        QTest::keyClick(box, Qt::Key_Left);
        EXPECT_EQ(doc().UnsavedChanges, 1.0f);
        EXPECT_EQ(commandState(), "1110000000");
        toolkit.answers.push_back(MsgResult::Yes);
    }
    window->mnu_new->trigger();
    window->txt_naam->setText("Set by a program");
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    QTest::keyClicks(window->txt_app, "typed");
    EXPECT_EQ(window->txt_app->text(), "");
    QTest::keyClicks(window->txt_rev, "12345");
    EXPECT_EQ(window->txt_rev->text(), "123");

    toolkit.boxes.clear();
    QTest::mouseDClick(window->txt_filetitle, Qt::LeftButton);
    expectOnlyBox("Filename: ", 0);
    const QString file = write("shown.lsf", lsfFile(1, {}));
    window->openPath(file);
    QTest::mouseDClick(window->txt_filetitle, Qt::LeftButton);
    expectOnlyBox("Filename: " + file, 0);
}

TEST_F(StartUp, AboutShowsVersionDateAndBothWebsitesAndWebsiteOpensTheEnglishOne)
{
    window->mnu_about->trigger();
    const ProgramValues& v = window->values();
    expectOnlyBox("Vantrel Lexicant\r\nVersion: 1.4\r\nRelease date: 01-06-05\r\n\r\n" +
                      v.EnglishWebsite + "\r\n" + v.DutchWebsite + "\r\n",
                  64);
    EXPECT_TRUE(v.EnglishWebsite.startsWith("https://"));
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
        {"#10.4", [&] { window->mnu_text_delete->trigger(); }},
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
