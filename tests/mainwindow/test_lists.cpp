// The form and row lists and the row commands as the window runs them: what reaches the row
// list, what reaches the document, and when.
#include "ChoiceList.h"
#include "CutTextDelegate.h"
#include "WindowTest.h"

#include <QMenu>
#include <QTableWidget>

#include <functional>

namespace {

const QString InsertQuestion = "Inserting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to insert a new row?";
const QString DeleteQuestion = "Deleting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to delete this row?";

// Form 1 holds three rows shown (a gap and a one-character row hidden), form 2 199 rows, form 3
// all 201, form 24 only its last.
QList<QByteArray> listFields()
{
    QByteArray big, full;
    for (int r = 0; r < 201; ++r) {
        big += (r < 199 ? "Row " + QByteArray::number(r) : QByteArray()) + '\xBE';
        full += "Full " + QByteArray::number(r) + '\xBE';
    }
    QList<QByteArray> fields = {packed({"Main", "Big", "Full"}),
                                packed({"A row", "", "B row", "x", "C row"}), big, full};
    for (int f = 4; f <= 23; ++f)
        fields << emptyEntries(201);
    return fields << emptyEntries(200) + packed({"Last"});
}

} // namespace

class Lists : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        open(write("d.lsf", lsfFile(1, listFields())));
        click(window->lst_forms, 0);
    }
};

TEST_F(Lists, AFormShowsItsRowsAndARowClickSelectsIt)
{
    EXPECT_EQ(seen(), "Main|Big|Full|- EMPTY FORM -\nA row|B row|C row\nd.lsf|||||\n"
                      "highlight 0 -1, Form: 1, Row:, commands 0011111111");
    click(window->lst_lang, 2);
    click(window->lst_forms, 23);
    EXPECT_EQ(seen(), "Main|Big|Full|- EMPTY FORM -\nLast\nd.lsf|||||\n"
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
    QMenu* shown = nullptr;
    toolkit.onPopup = [&](QMenu& menu) { shown = &menu; };
    click(window->lst_lang, 2, Qt::RightButton);
    ASSERT_EQ(shown, window->mnu_edit);
    EXPECT_EQ(shown->actions().first(), window->mnu_undo);
    EXPECT_EQ(doc().SelectedRow, 1.0f);
    EXPECT_EQ(window->lst_lang->currentRow(), 1);
    EXPECT_TRUE(window->mnu_text_delete->isEnabled());
    EXPECT_FALSE(window->mnu_text_replace->isVisible());
    QTest::mouseClick(window->txt_naam, Qt::RightButton);
    EXPECT_EQ(toolkit.popups, 1) << "the settings boxes keep their own menu";
}

TEST_F(Lists, InsertAndDeleteChangeOnlyTheListAndAskFirst)
{
    click(window->lst_lang, 1);
    toolkit.answers = {MsgResult::No};
    window->mnu_text_insert->trigger();
    expectOnlyBox(InsertQuestion, 36);
    EXPECT_EQ(commandState(), "0011111111");

    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    toolkit.boxes.clear();
    EXPECT_EQ(seen(), "Main|Big|Full|- EMPTY FORM -\nA row|<NEW>|B row|C row\nd.lsf|||||\n"
                      "highlight 0 1, Form: 1, Row: 1, commands 1111111111");
    EXPECT_EQ(doc().formText(1).at(2), "B row") << "no commit";

    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->toolbarButton(7)->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[1].text, DeleteQuestion);
    EXPECT_EQ(rows(), QStringList({"A row", "C row"}));

    // A selection left over from a longer list: edit and insert do nothing, delete fails.
    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    toolkit.boxes.clear();
    window->mnu_text_delete->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[1].text, trapText("#10.4"));
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row"}));
    EXPECT_EQ(window->lst_lang->currentRow(), -1) << "no highlight on a row not selected";
    window->mnu_text_edit->trigger();
    window->mnu_text_insert->trigger();
    EXPECT_TRUE(toolkit.boxes.empty());

    click(window->lst_forms, 1);
    click(window->lst_forms, 0);
    EXPECT_EQ(rows(), QStringList({"A row", "B row", "C row"})) << "uncommitted changes dropped";

    click(window->lst_forms, 2);
    click(window->lst_lang, 5);
    window->mnu_text_insert->trigger();
    expectOnlyBox("Maximum rows reached for this form.", 16);
    EXPECT_EQ(window->lst_lang->count(), 201);
}

TEST_F(Lists, EditsInTwoFormsRenameAndReplaceAreSavedByteForByte)
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
    EXPECT_EQ(rows(), QStringList({"A row, edited", "B row, edited", "C row", "D row"}));

    click(window->lst_forms, 1);
    answerReplace("Row 1", "Line 1");
    window->toolbarButton(9)->trigger();
    EXPECT_EQ(toolkit.boxes.back().text, "110 rows are changed.");
    EXPECT_EQ(rows().at(10), "Line 10");
    EXPECT_EQ(doc().formText(2).at(10), "Row 10") << "no commit";

    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        EXPECT_EQ(d.txt_form->text(), "Big");
        d.txt_form->setText("Large form");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_forms, 1);
    EXPECT_EQ(window->lst_forms->item(1)->text(), "Large form");
    EXPECT_EQ(doc().formText(2).at(10), "Line 10") << "the rename commits the replacement";
    window->mnu_save->trigger();
    EXPECT_EQ(toolkit.boxes.back().text, "The languagefile has been saved.");

    QList<QByteArray> fields = listFields();
    fields[0] = packed({"Main", "Large form", "Full"});
    for (int n = 4; n <= 24; ++n)
        fields[0] += QByteArray("- EMPTY FORM -") + '\xBE';
    fields[0] += '\xBE';
    fields[1] = packed({"A row, edited", "B row, edited", "C row", "D row"}) + emptyEntries(197);
    fields[2].replace("Row 1", "Line 1");
    EXPECT_EQ(read(path("d.lsf")), lsfFile(1, fields));
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
             QTest::keyClick(&l, Qt::Key_Down);
             QTest::keyClick(&l, Qt::Key_Space);
             QTest::keyClick(&l, Qt::Key_End);
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

// A row list and a table paint a long text cut to what shows exactly as they paint it whole, on
// one line and wrapped in rows of one line and of three, and a text that fits untouched.
TEST(CutTextDelegate, PaintsWhatShowsAsTheWholeTextWould)
{
    const QString words = QString("Open the file named in the list ").repeated(12);
    const QString texts[] = {"A short row",
                             QString(400, 'i'),
                             words + QString("AVATAR To, Ty. ").repeated(30),
                             QString(200, 'W'),
                             words + "\n" + words,
                             QString::fromUtf8("\xF0\x9F\x98\x80").repeated(150)};
    for (const bool wrapped : {false, true}) {
        QTableWidget table(12, 1);
        table.setWordWrap(wrapped);
        table.setColumnWidth(0, wrapped ? 260 : 2000); // wider than the view, or not
        table.resize(300, 400);
        for (int row = 0; row < 12; ++row)
            table.setItem(row, 0, new QTableWidgetItem(texts[row % 6]));
        for (int row = 6; row < 12; ++row)
            table.setRowHeight(row, 3 * table.fontMetrics().lineSpacing() + 6);
        table.show();
        const auto painted = [&table] { return table.viewport()->grab().toImage(); };
        const QImage whole = painted();
        table.setItemDelegate(new CutTextDelegate(&table));
        EXPECT_EQ(painted(), whole) << (wrapped ? "wrapped" : "one line");
    }
    EXPECT_LT(cutToShow(words, QFontMetrics(QFont()), {260, 20}, true).size(), words.size());
}
