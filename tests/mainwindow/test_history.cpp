// Undo and redo: every kind of step taken back and done again, to the same screen and the same
// bytes a save would write, with the saved point and the flag.
#include "QL_Edit.h"
#include "QL_Form.h"
#include "QL_Replace.h"
#include "WindowTest.h"

#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

#include <functional>

class History : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        QList<QByteArray> fields = {packed({"Main", "Second"}),
                                    packed({"One row", "Two row", "Three row"}),
                                    packed({"Other form"})};
        for (int f = 3; f <= 24; ++f)
            fields << emptyEntries(201);
        open(write("h.lsf", lsfFile(1, fields << packed({"App", "1.0", "Ann", "2", "01-01-26"}))));
        click(window->lst_forms, 0);
        click(window->lst_lang, 1);
    }

    // What a person sees: the form list, the rows, the settings, the highlights, the status bar
    // and the command state.
    QString seen() const
    {
        QStringList settings;
        for (QLineEdit* box : {window->txt_app, window->txt_versie, window->txt_naam,
                               window->txt_rev, window->txt_date})
            settings << box->text();
        return QStringList({items(window->lst_forms).join('|'), rows().join('|'),
                            settings.join('|'), QString::number(window->lst_forms->currentRow()),
                            QString::number(window->lst_lang->currentRow()), panel(2), panel(3),
                            commandState()})
            .join('\n');
    }

    void answerRowDialog(const QString& text)
    {
        toolkit.onDialog<QL_Edit>([text](QL_Edit& d) {
            d.txt_newtxt->setText(text);
            QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        });
    }
};

TEST_F(History, EveryKindOfStepIsUndoneAndRedoneToTheSameScreenAndBytes)
{
    const struct {
        const char* step; // the name Undo and Redo give it
        int steps;        // how many the action takes
        std::function<void()> action;
    } cases[] = {
        {"New text", 1,
         [&] {
             answerRowDialog("Four row");
             window->mnu_text_new->trigger();
         }},
        {"Edit text", 1,
         [&] {
             answerRowDialog("Two, edited");
             window->mnu_text_edit->trigger();
         }},
        {"Insert text", 1,
         [&] {
             toolkit.answers = {MsgResult::Yes};
             window->mnu_text_insert->trigger();
         }},
        {"Delete text", 1,
         [&] {
             toolkit.answers = {MsgResult::Yes};
             window->mnu_text_delete->trigger();
         }},
        {"Replace", 2,
         [&] {
             toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
                 d.txt_zoek->setText("row");
                 d.txt_vervang->setText("line");
                 QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
                 d.txt_zoek->setText("line");
                 d.txt_vervang->setText("lines");
                 QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
             });
             window->mnu_text_replace_Click();
         }},
        {"Edit form", 1,
         [&] {
             toolkit.onDialog<QL_Form>([](QL_Form& d) {
                 d.txt_form->setText("Renamed");
                 QTest::mouseClick(d.cmd_save, Qt::LeftButton);
             });
             doubleClick(window->lst_forms, 0);
         }},
        {"Typing in Author", 1, [&] { QTest::keyClicks(window->txt_naam, "son"); }},
        {"Typing in Date", 3,
         [&] {
             QTest::keyClick(window->txt_date, Qt::Key_Backspace);
             QTest::keyClick(window->txt_rev, Qt::Key_9);
             QTest::keyClick(window->txt_date, Qt::Key_7);
         }},
        {"Select form", 2,
         [&] {
             toolkit.answers = {MsgResult::Yes};
             window->mnu_text_delete->trigger();
             click(window->lst_forms, 1); // drops the uncommitted delete
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        SetUp();
        toolkit.boxes.clear();
        const QString startSeen = seen();
        const QByteArray startBytes = written();
        c.action();
        toolkit.boxes.clear();
        const QString afterSeen = seen();
        const QByteArray afterBytes = written();
        ASSERT_NE(afterSeen, startSeen);
        EXPECT_EQ(window->mnu_undo->text(), QString("Undo ") + c.step);
        EXPECT_EQ(window->history()->count(), c.steps);

        for (int i = 0; i < c.steps; ++i)
            window->mnu_undo->trigger();
        EXPECT_EQ(seen(), startSeen);
        EXPECT_EQ(written(), startBytes);
        EXPECT_EQ(doc().UnsavedChanges, 0.0f) << "back where the file was opened";
        EXPECT_FALSE(window->mnu_undo->isEnabled());
        for (int i = 0; i < c.steps; ++i)
            window->mnu_redo->trigger();
        EXPECT_EQ(seen(), afterSeen);
        EXPECT_EQ(written(), afterBytes);
        EXPECT_EQ(doc().UnsavedChanges, 1.0f);
        EXPECT_EQ(window->mnu_redo->text(), "Redo");
        EXPECT_FALSE(window->mnu_redo->isEnabled());
        EXPECT_TRUE(toolkit.boxes.empty());
    }
}

TEST_F(History, SaveMarksTheSavedPointAndNewAndOpenStartAnEmptyHistory)
{
    answerRowDialog("Two row"); // saved as it was: no step
    window->mnu_text_edit->trigger();
    EXPECT_EQ(window->history()->count(), 0);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f) << "yet a completed row operation marks the file";
    window->session().setUnsavedChanges(false);
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("row");
        d.txt_vervang->setText("row"); // every row counts as changed, none is
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    window->mnu_text_replace_Click();
    toolkit.boxes.clear();
    EXPECT_EQ(window->history()->count(), 0);
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);

    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    window->mnu_save->trigger();
    const QByteArray saved = read(path("h.lsf"));
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
    EXPECT_TRUE(window->mnu_undo->isEnabled()) << "Save keeps the history";
    window->mnu_undo->trigger();
    EXPECT_EQ(doc().UnsavedChanges, 1.0f) << "a step away from the saved state";
    EXPECT_TRUE(window->mnu_save->isEnabled());
    window->mnu_redo->trigger();
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
    EXPECT_EQ(written(), saved);

    window->mnu_undo->trigger();
    toolkit.answers = {MsgResult::No, MsgResult::Yes};
    window->mnu_new->trigger();
    EXPECT_TRUE(window->mnu_redo->isEnabled()) << "New file answered No changes nothing";
    window->mnu_new->trigger();
    EXPECT_EQ(window->history()->count(), 0);
    EXPECT_EQ(window->mnu_undo->text(), "Undo");
    QTest::keyClicks(window->txt_naam, "x");
    toolkit.answers = {MsgResult::Yes};
    open(path("h.lsf"));
    EXPECT_FALSE(window->mnu_undo->isEnabled());

    // The edit menu with Undo is the one the row list's pop-up shows.
    QMenu* shown = nullptr;
    toolkit.onPopup = [&](QMenu& menu) { shown = &menu; };
    click(window->lst_forms, 0);
    click(window->lst_lang, 0, Qt::RightButton);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->actions().first(), window->mnu_undo);
}
