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
    EXPECT_EQ(panel(1), "Vantrel Lexicant 1.4");
    EXPECT_EQ(panel(2), "Form:");
    EXPECT_EQ(panel(3), "Row:");
    EXPECT_EQ(panel(4), "");
    EXPECT_EQ(items(window->lst_forms), QStringList(24, "- EMPTY FORM - "));
    EXPECT_EQ(window->lst_lang->count(), 0);
    for (QLineEdit* box :
         {window->txt_filetitle.data(), window->txt_app.data(), window->txt_versie.data(),
          window->txt_naam.data(), window->txt_rev.data(), window->txt_date.data()})
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    EXPECT_FALSE(window->mnu_extra->menuAction()->isVisible());
    EXPECT_FALSE(window->mnu_text_replace->isVisible());
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(commandState(), StartState);
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
}

TEST_F(StartUp, MenusToolbarAndBoxesAreLaidOutAsDesigned)
{
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Extra", "&Information"}));
    const auto itemsOf = [](QMenu* menu) {
        QStringList texts;
        for (QAction* a : menu->actions()) {
            if (!a->objectName().contains("recent")) // the recent files come and go
                texts << (a->isSeparator() ? "-" : a->text() + "|" + a->shortcut().toString());
        }
        return texts;
    };
    EXPECT_EQ(itemsOf(window->mnu_file),
              QStringList({"New file|Ctrl+N", "Open file|Ctrl+O", "-", "Save file|Ctrl+S",
                           "Save file as ...|", "-", "Exit|Ctrl+X"}));
    EXPECT_EQ(itemsOf(window->mnu_edit),
              QStringList({"New text|F5", "Edit text|F6", "Insert text|F7", "Delete text|Del",
                           "Search and replace|Ctrl+F"}));
    EXPECT_EQ(itemsOf(window->mnu_informatie),
              QStringList({"About|Ctrl+A", "-", "Visit our website|F1"}));

    QStringList tips;
    for (int i = 1; i <= 9; ++i)
        tips << window->toolbarButton(i)->toolTip();
    EXPECT_EQ(tips,
              QStringList({"", "Start a new file", "Open an exisiting file", "Save this file", "",
                           "Add a new row to the form", "Delete the selected row",
                           "Edit the selected row", "Search and replace in the selected form"}));
    EXPECT_TRUE(window->toolbarButton(1)->isSeparator());
    EXPECT_TRUE(window->toolbarButton(5)->isSeparator());

    EXPECT_EQ(window->txt_app->maxLength(), 30);
    EXPECT_EQ(window->txt_versie->maxLength(), 5);
    EXPECT_EQ(window->txt_naam->maxLength(), 30);
    EXPECT_EQ(window->txt_rev->maxLength(), 3);
    EXPECT_EQ(window->txt_date->maxLength(), 8);
    EXPECT_TRUE(window->txt_app->isReadOnly() && window->txt_versie->isReadOnly() &&
                window->txt_filetitle->isReadOnly());
    EXPECT_FALSE(window->txt_naam->isReadOnly() || window->txt_rev->isReadOnly() ||
                 window->txt_date->isReadOnly());
    EXPECT_EQ(window->Frame_4->title(), "Form names: (double click to edit)");
    EXPECT_EQ(window->Frame_1->title(), "Text in this form: (double click to edit)");
    EXPECT_EQ(window->lbl_2->text(), "Application:");

    // Status panels 1 to 3 are 2000, 1500 and 1500 twips wide: in proportion 4 : 3 : 3.
    EXPECT_NEAR(window->statusPanel(1)->width() * 3.0 / window->statusPanel(2)->width(), 4.0, 0.1);
    // The row list sits right of the settings and below the toolbar, the form list below them.
    EXPECT_GT(window->Frame_1->x(), window->Frame1->geometry().right());
    EXPECT_GT(window->Frame_4->y(), window->Frame1->geometry().bottom());

    const QSize before = window->lst_lang->size();
    const QPoint settings = window->Frame1->pos();
    window->resize(window->size() + QSize(120, 80));
    QApplication::processEvents();
    EXPECT_EQ(window->lst_lang->size(), before + QSize(120, 80));
    EXPECT_EQ(window->Frame1->pos(), settings);
}

TEST_F(StartUp, ExtraMenuSwitchOneShowsSaveAsCode)
{
    ProgramValues values = testValues();
    values.ExtraMenuSwitch = "1";
    start(values);
    EXPECT_TRUE(window->mnu_extra->menuAction()->isVisible());
    EXPECT_EQ(window->mnu_savecode->text(), "Save as code");
}

using SettingsBoxes = WindowTest;

TEST_F(SettingsBoxes, AnyKeyInDateAuthorOrRevisionMarksTheDocumentChanged)
{
    for (QLineEdit* box : {window->txt_date.data(), window->txt_rev.data()}) {
        window->mnu_new->trigger();
        ASSERT_EQ(commandState(), StartState);
        QTest::keyClick(box, Qt::Key_Left);
        EXPECT_EQ(doc().UnsavedChanges, 1.0f);
        EXPECT_TRUE(window->mnu_save->isEnabled());
        EXPECT_TRUE(window->toolbarButton(4)->isEnabled());
        toolkit.answers.push_back(MsgResult::Yes);
    }
    window->mnu_new->trigger();
    window->txt_naam->setText("Set by a program");
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);

    QTest::keyClicks(window->txt_app, "typed");
    EXPECT_EQ(window->txt_app->text(), "");
    QTest::keyClicks(window->txt_rev, "12345");
    EXPECT_EQ(window->txt_rev->text(), "123");
}

TEST_F(SettingsBoxes, DoubleClickOnTheFileNameShowsTheFullPath)
{
    QTest::mouseDClick(window->txt_filetitle, Qt::LeftButton);
    expectOnlyBox("Filename: ", 0);
    const QString file = write("shown.lsf", lsfFile(1, {}));
    open(file);
    QTest::mouseDClick(window->txt_filetitle, Qt::LeftButton);
    expectOnlyBox("Filename: " + file, 0);
    EXPECT_EQ(window->txt_filetitle->text(), "shown.lsf");
}

TEST_F(StartUp, AboutShowsVersionDateAndBothWebsites)
{
    window->mnu_about->trigger();
    const ProgramValues& v = window->values();
    expectOnlyBox("Vantrel Lexicant\r\nVersion: 1.4\r\nRelease date: 01-06-05\r\n\r\n" +
                      v.EnglishWebsite + "\r\n" + v.DutchWebsite + "\r\n",
                  64);
    EXPECT_TRUE(v.EnglishWebsite.startsWith("https://"));
    EXPECT_TRUE(v.ProgramFolder.endsWith('/'));
}

using ErrorTraps = WindowTest;

// A control that can no longer be reached, or a toolkit that fails, is a fault the handlers must
// survive: each reports its own code once and keeps what it had already done.
TEST_F(ErrorTraps, EachHandlerReportsItsCodeAndKeepsTheStepsDone)
{
    const QString file = write("t.lsf", lsfFile(1, {packed({"One"}), packed({"Row A", "Row B"})}));
    const auto fresh = [&] {
        start(testValues());
        open(file);
        toolkit.boxes.clear();
    };

    fresh();
    click(window->lst_forms, 0);
    delete window->statusPanel(3);
    click(window->lst_lang, 1);
    expectOnlyBox(trapText("#10.1"), 48);
    EXPECT_EQ(doc().SelectedRow, 1.0f);

    fresh();
    click(window->lst_forms, 0);
    toolkit.onPopup = [](QMenu&) { throw std::runtime_error("the menu cannot be shown"); };
    click(window->lst_lang, 0, Qt::RightButton);
    expectOnlyBox(trapText("#10.2"), 48);
    toolkit.onPopup = nullptr;

    fresh();
    delete window->toolbarButton(7);
    QTest::keyClick(window->txt_rev, Qt::Key_Shift);
    expectOnlyBox(trapText("#F1.0"), 48);
    EXPECT_TRUE(window->mnu_save->isEnabled());
    EXPECT_TRUE(window->toolbarButton(4)->isEnabled());

    fresh();
    delete window->lst_lang;
    click(window->lst_forms, 2);
    expectOnlyBox(trapText("#10.0"), 48);
    EXPECT_EQ(doc().SelectedForm, 3.0f);
    EXPECT_EQ(panel(2), "Form: 3");

    fresh();
    delete window->txt_app;
    window->mnu_new->trigger();
    expectOnlyBox(trapText("#F1.2"), 48);
    EXPECT_EQ(doc().FormNames.at(1), "") << "the tables are emptied before the fault";
    EXPECT_EQ(window->currentPath(), "");
    EXPECT_EQ(window->lst_forms->count(), 24) << "New file goes on after the reset";

    fresh();
    delete window->lst_forms;
    window->mnu_new->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[0].text, trapText("#F1.2"));
    EXPECT_EQ(toolkit.boxes[1].text, trapText("#10.3"));
    toolkit.boxes.clear();

    fresh();
    QTest::keyClick(window->txt_rev, Qt::Key_Shift);
    delete window->pathHolder();
    window->mnu_save->trigger();
    expectOnlyBox(trapText("#10.0"), 48);
}
