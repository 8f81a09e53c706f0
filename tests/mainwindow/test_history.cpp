// Undo and Redo from the menu: a row step and a form choice taken back bring back what a person
// sees, with the commands' names and states (a settings box's step: the keyboard journey).
#include "WindowTest.h"

using History = WindowTest;

TEST_F(History, UndoAndRedoFromTheMenuBringBackTheListsAndCommands)
{
    QList<QByteArray> fields = {packed({"Main", "Second"}),
                                packed({"One row", "Two row", "Three row"})};
    for (int f = 2; f <= 24; ++f)
        fields << emptyEntries(201);
    open(write("h.lsf", lsfFile(1, fields << packed({"App", "1.0", "Ann", "2", "01-01-26"}))));
    click(window->lst_forms, 0);
    click(window->lst_lang, 1);
    const auto undoRedo = [&] {
        return window->mnu_undo->text() + (window->mnu_undo->isEnabled() ? " on, " : " off, ") +
               window->mnu_redo->text() + (window->mnu_redo->isEnabled() ? " on" : " off");
    };
    const QString opened = seen();
    EXPECT_EQ(undoRedo(), "Undo off, Redo off");
    answerRowDialog("Two, edited");
    window->mnu_text_edit->trigger();
    const QString typed = seen();
    EXPECT_EQ(typed, "Main|Second|- EMPTY FORM -|- EMPTY FORM -\n"
                     "One row|Two, edited|Three row\n"
                     "h.lsf|App|1.0|Ann|2|01-01-26\n"
                     "highlight 0 1, Form: 1, Row: 1, commands 1111111111");
    EXPECT_EQ(undoRedo(), "Undo Edit text on, Redo off");

    window->mnu_undo->trigger();
    EXPECT_EQ(seen(), opened);
    EXPECT_EQ(undoRedo(), "Undo off, Redo Edit text on");
    window->mnu_redo->trigger();
    EXPECT_EQ(seen(), typed);
    EXPECT_TRUE(toolkit.boxes.empty());
    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger(); // not stored: choosing another form drops it
    click(window->lst_forms, 1);
    window->mnu_undo->trigger();
    EXPECT_EQ(QStringList({panel(2), undoRedo()}),
              QStringList({"Form: 1", "Undo Insert text on, Redo Select form on"}));
}
