// The form and row lists and the row commands as the window runs them: the question each asks,
// what reaches the row list, and what reaches the document, and when.
#include "ChoiceList.h"
#include "CutTextDelegate.h"
#include "WindowTest.h"

#include <QMenu>
#include <QTableWidget>

#include <functional>

class Lists : public WindowTest {
protected:
    // Form 1 holds three rows shown (a gap and a one-character row hidden), form 2 all 201, form
    // 24 only its last.
    void SetUp() override
    {
        WindowTest::SetUp();
        QByteArray full;
        for (int r = 0; r < 201; ++r)
            full += "Full " + QByteArray::number(r) + '\xBE';
        QList<QByteArray> fields = {packed({"Main", "Full"}),
                                    packed({"A row", "", "B row", "x", "C row"}), full};
        while (fields.size() < 24)
            fields << emptyEntries(201);
        open(write("d.lsf", lsfFile(1, fields << emptyEntries(200) + packed({"Last"}))));
        click(window->lst_forms, 0);
    }
};

TEST_F(Lists, AFormShowsItsRowsAndARowClickSelectsIt)
{
    EXPECT_EQ(seen(), "Main|Full|- EMPTY FORM -|- EMPTY FORM -\nA row|B row|C row\nd.lsf|||||\n"
                      "highlight 0 -1, Form: 1, Row:, commands 0011111111");
    click(window->lst_lang, 2);
    click(window->lst_forms, 23);
    EXPECT_EQ(seen(), "Main|Full|- EMPTY FORM -|- EMPTY FORM -\nLast\nd.lsf|||||\n"
                      "highlight 23 -1, Form: 24, Row: 2, commands 0011111111")
        << "the row clicked in the previous form stays shown";
    EXPECT_EQ(doc().SelectedRow, 2.0f);
    click(window->lst_forms, 5);
    EXPECT_EQ(window->lst_lang->count(), 0);
    EXPECT_EQ(commandState(), StartState);
}

TEST_F(Lists, RightClickShowsTheEditMenuWithUndoWithoutSelectingTheRow)
{
    click(window->lst_lang, 1);
    QList<QMenu*> shown;
    toolkit.onPopup = [&](QMenu& menu) { shown << &menu; };
    click(window->lst_lang, 2, Qt::RightButton);
    ASSERT_EQ(shown, QList<QMenu*>{window->mnu_edit});
    EXPECT_EQ(doc().SelectedRow, 1.0f);
    EXPECT_EQ(window->lst_lang->currentRow(), 1);
    EXPECT_FALSE(window->mnu_text_replace->isVisible());
    QTest::mouseClick(window->txt_naam, Qt::RightButton);
    EXPECT_EQ(shown.size(), 1) << "the settings boxes keep their own menu";
}

TEST_F(Lists, InsertAndDeleteAskFirstAndChangeOnlyTheList)
{
    click(window->lst_lang, 1);
    toolkit.answers = {MsgResult::No};
    window->mnu_text_insert->trigger();
    expectOnlyBox("Inserting a row will affect the layout of the language file.\r\n"
                  "Are you sure that you want to insert a new row?",
                  36);
    EXPECT_EQ(commandState(), "0011111111");
    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    toolkit.boxes.clear();
    EXPECT_EQ(seen(), "Main|Full|- EMPTY FORM -|- EMPTY FORM -\nA row|<NEW>|B row|C row\n"
                      "d.lsf|||||\nhighlight 0 1, Form: 1, Row: 1, commands 1111111111");
    EXPECT_EQ(doc().formText(1).at(2), "B row") << "no commit";

    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->toolbarButton(7)->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[1].text,
              "Deleting a row will affect the layout of the language file.\r\n"
              "Are you sure that you want to delete this row?");
    EXPECT_EQ(rows(), QStringList({"A row", "C row"}));

    // A selection left over from a longer list: edit and insert do nothing, delete fails.
    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->mnu_text_delete->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 5u);
    EXPECT_EQ(toolkit.boxes[4].text, trapText("#10.4"));
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row"}));
    EXPECT_EQ(window->lst_lang->currentRow(), -1) << "no highlight on a row not selected";
    window->mnu_text_edit->trigger();
    window->mnu_text_insert->trigger();
    EXPECT_TRUE(toolkit.boxes.empty());

    click(window->lst_forms, 1);
    click(window->lst_forms, 0);
    EXPECT_EQ(rows(), QStringList({"A row", "B row", "C row"})) << "uncommitted changes dropped";
    click(window->lst_forms, 1);
    click(window->lst_lang, 5);
    window->mnu_text_insert->trigger();
    expectOnlyBox("Maximum rows reached for this form.", 16);
    EXPECT_EQ(window->lst_lang->count(), 201);
}

TEST_F(Lists, EditNewReplaceAndRenameReachTheListAndTheRenameCommits)
{
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        EXPECT_EQ(d.txt_newtxt->text(), "A row") << "before any row is clicked, the first";
        d.txt_newtxt->setText("A row, edited");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    window->toolbarButton(8)->trigger();
    EXPECT_EQ(doc().formText(1).at(0), "A row, edited") << "Save commits";
    answerRowDialog("B row, edited");
    doubleClick(window->lst_lang, 1);
    answerRowDialog("D row");
    window->toolbarButton(6)->trigger();
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("row");
        d.txt_vervang->setText("line");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    window->toolbarButton(9)->trigger();
    EXPECT_EQ(rows(), QStringList({"A line, edited", "B line, edited", "C line", "D line"}));
    EXPECT_EQ(doc().formText(1).at(2), "C row") << "no commit";

    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        EXPECT_EQ(d.txt_form->text(), "Main");
        d.txt_form->setText("Main form");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_forms, 0);
    EXPECT_EQ(window->lst_forms->item(0)->text(), "Main form");
    EXPECT_EQ(doc().formText(1).at(2), "C line") << "the rename commits the replacement";
}

// What chooses an item of the form and row lists, at the list itself.
TEST(ChoiceList, OnlyALeftClickOrANavigationKeyChoosesAnItem)
{
    const auto at = [](ChoiceList& l, int row) { return l.visualItemRect(l.item(row)).center(); };
    const auto clicks = [at](Qt::MouseButton button, int times = 1) {
        return [at, button, times](ChoiceList& l) {
            for (int i = 0; i < times; ++i)
                QTest::mouseClick(l.viewport(), button, {}, at(l, 2));
        };
    };
    const auto focusIn = [](ChoiceList& l) {
        QFocusEvent arrives(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&l, &arrives);
    };
    const struct {
        const char* name;
        bool repeatClicks;
        std::function<void(ChoiceList&)> act;
        QList<int> chosen;
    } steps[] = {
        {"focus arriving", false, focusIn, {}},
        {"left click", false, clicks(Qt::LeftButton), {2}},
        {"right click", false, clicks(Qt::RightButton), {}},
        {"middle click", true, clicks(Qt::MiddleButton), {}},
        {"middle double click",
         true,
         [at](ChoiceList& l) { QTest::mouseDClick(l.viewport(), Qt::MiddleButton, {}, at(l, 1)); },
         {}},
        {"the chosen item clicked again", false, clicks(Qt::LeftButton, 2), {2}},
        {"the chosen row clicked again", true, clicks(Qt::LeftButton, 2), {2, 2}},
        {"focus, then Down (the first item, nothing being chosen yet), Space and End",
         false,
         [focusIn](ChoiceList& l) {
             focusIn(l);
             for (Qt::Key key : {Qt::Key_Down, Qt::Key_Space, Qt::Key_End})
                 QTest::keyClick(&l, key);
         },
         {0, 4}},
        {"the program's changes",
         false,
         [](ChoiceList& l) {
             l.setCurrentRow(3);
             l.item(3)->setText("changed");
             delete l.takeItem(3);
             l.clear();
             l.addItems({"a", "b"});
         },
         {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ChoiceList list(nullptr, step.repeatClicks);
        list.addItems({"zero", "one", "two", "three", "four"});
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        QList<int> chosen;
        QObject::connect(&list, &ChoiceList::chosen, [&](int row) { chosen << row; });
        step.act(list);
        EXPECT_EQ(chosen, step.chosen);
    }
}

// Texts changed in place, the last one (it sizes every item) too, show as in a list made so, down
// to how far it scrolls.
TEST(ChoiceList, TextsChangedInPlaceShowAsInAListMadeWithThem)
{
    const QStringList texts{"zero", "one, a little longer", QString(60, u'w')};
    ChoiceList changed(nullptr, false), made(nullptr, false);
    for (ChoiceList* list : {&changed, &made}) {
        list->addItems(list == &made ? texts : QStringList{"zero", "one", "two"});
        list->setUniformItemSizes(true);
        list->show();
    }
    for (int row : {1, 2}) {
        changed.item(row)->setText(texts[row]);
        QApplication::processEvents();
    }
    EXPECT_EQ(changed.viewport()->grab().toImage(), made.viewport()->grab().toImage());
}

// A row list and a table paint a long text cut to what shows exactly as they paint it whole, on
// one line and wrapped in rows of one line and of three, and a text that fits untouched; rows
// fitted to their texts (which the delegate lays out once for both) take the same height and
// show the same, the selected one and one written right to left too.
TEST(CutTextDelegate, PaintsWhatShowsAsTheWholeTextWould)
{
    const QString words = QString("Open the file named in the list ").repeated(12);
    const QString texts[] = {"A short row",
                             QString(400, 'i'),
                             words + QString("AVATAR To, Ty. ").repeated(30),
                             QString(200, 'W'),
                             words + "\n" + words,
                             QString::fromUtf8("\xF0\x9F\x98\x80").repeated(150)};
    const QString hebrew =
        QString::fromUtf8("\xD7\xA4\xD7\xAA\xD7\x97 \xD7\xA7\xD7\x95\xD7\x91\xD7\xA5 ");
    for (const int shape : {0, 1, 2}) { // one line; wrapped; fitted
        QTableWidget table(12, 1);
        table.setWordWrap(shape > 0);
        table.setColumnWidth(0, shape > 0 ? 260 : 2000); // wider than the view, or not
        table.resize(300, shape == 2 ? 2400 : 400);
        for (int row = 0; row < 12; ++row)
            table.setItem(row, 0,
                          new QTableWidgetItem(row == 11 ? hebrew.repeated(20) : texts[row % 6]));
        for (int row = 6; row < 12; ++row)
            table.setRowHeight(row, 3 * table.fontMetrics().lineSpacing() + 6);
        table.show();
        table.selectRow(2);
        const auto painted = [&table, shape] {
            QList<int> heights;
            if (shape == 2)
                table.resizeRowsToContents();
            for (int row = 0; row < 12; ++row)
                heights << table.rowHeight(row);
            return std::pair(heights, table.viewport()->grab().toImage());
        };
        const auto whole = painted();
        table.setItemDelegate(new CutTextDelegate(&table));
        EXPECT_EQ(painted(), whole) << shape;
    }
    EXPECT_LT(cutToShow(words, QFontMetrics(QFont()), {260, 20}, true).size(), words.size());
}
