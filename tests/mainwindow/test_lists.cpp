#include "ChoiceList.h"
#include "WindowTest.h"

#include <QApplication>
#include <QMenu>

#include <functional>

namespace {

QByteArray listFile()
{
    QList<QByteArray> fields = {packed({"First", "Second"})};
    fields << packed({"A row", "", "Third", "Fourth", "1", "ok"});
    for (int f = 2; f <= 23; ++f)
        fields << emptyEntries(201);
    QByteArray last;
    for (int r = 0; r <= 200; ++r)
        last += (r == 200 ? QByteArray("Last") : QByteArray()) + '\xBE';
    fields << last;
    return lsfFile(1, fields);
}

} // namespace

class Lists : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        open(write("lists.lsf", listFile()));
    }
};

TEST_F(Lists, ShowingAFormListsItsRowsOfTwoCharactersOrMore)
{
    click(window->lst_forms, 0);
    EXPECT_EQ(doc().SelectedForm, 1.0f);
    EXPECT_EQ(panel(2), "Form: 1");
    EXPECT_EQ(items(window->lst_lang), QStringList({"A row", "Third", "Fourth", "ok"}));
    EXPECT_EQ(window->lst_lang->currentRow(), -1);

    click(window->lst_lang, 2);
    EXPECT_EQ(doc().SelectedRow, 2.0f);
    EXPECT_EQ(panel(3), "Row: 2");

    click(window->lst_forms, 23);
    EXPECT_EQ(panel(2), "Form: 24");
    EXPECT_EQ(items(window->lst_lang), QStringList({"Last"}));
    EXPECT_EQ(panel(3), "Row: 2") << "the row clicked in the previous form stays shown";
    EXPECT_EQ(doc().SelectedRow, 2.0f);

    click(window->lst_forms, 5);
    EXPECT_EQ(window->lst_lang->count(), 0);
    EXPECT_EQ(commandState(), "0010000000");
}

TEST_F(Lists, RightClickShowsTheEditMenuWithoutSelectingTheRow)
{
    click(window->lst_forms, 0);
    click(window->lst_lang, 1);
    QMenu* shown = nullptr;
    toolkit.onPopup = [&](QMenu& menu) { shown = &menu; };
    click(window->lst_lang, 3, Qt::RightButton);
    ASSERT_EQ(shown, window->mnu_edit);
    EXPECT_EQ(doc().SelectedRow, 1.0f);
    EXPECT_EQ(window->lst_lang->currentRow(), 1);
    EXPECT_TRUE(window->mnu_text_delete->isEnabled());
    EXPECT_FALSE(window->mnu_text_replace->isVisible());

    click(window->lst_lang, 3);
    EXPECT_EQ(doc().SelectedRow, 3.0f);
    EXPECT_EQ(toolkit.popups, 1);
}

// What chooses an item of the form and row lists, at the list itself.
TEST(ChoiceList, OnlyALeftClickOrANavigationKeyChoosesAnItem)
{
    struct Step {
        const char* name;
        bool repeatClicks;
        std::function<void(ChoiceList&)> act;
        QList<int> chosen;
    };
    const auto clickAt = [](ChoiceList& list, int row, Qt::MouseButton button) {
        QTest::mouseClick(list.viewport(), button, {},
                          list.visualItemRect(list.item(row)).center());
    };
    const auto focusIn = [](ChoiceList& list) {
        QFocusEvent arrives(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&list, &arrives);
    };
    const Step steps[] = {
        {"focus arriving", false, focusIn, {}},
        {"left click", false, [&](ChoiceList& l) { clickAt(l, 2, Qt::LeftButton); }, {2}},
        {"right click", false, [&](ChoiceList& l) { clickAt(l, 2, Qt::RightButton); }, {}},
        {"middle click", true, [&](ChoiceList& l) { clickAt(l, 2, Qt::MiddleButton); }, {}},
        {"middle double click",
         true,
         [&](ChoiceList& l) {
             QTest::mouseDClick(l.viewport(), Qt::MiddleButton, {},
                                l.visualItemRect(l.item(1)).center());
         },
         {}},
        {"the chosen item clicked again",
         false,
         [&](ChoiceList& l) {
             clickAt(l, 2, Qt::LeftButton);
             clickAt(l, 2, Qt::LeftButton);
         },
         {2}},
        {"the chosen row clicked again",
         true,
         [&](ChoiceList& l) {
             clickAt(l, 2, Qt::LeftButton);
             clickAt(l, 2, Qt::LeftButton);
         },
         {2, 2}},
        {"focus, then Down and End",
         false,
         [&](ChoiceList& l) {
             focusIn(l);
             QTest::keyClick(&l, Qt::Key_Down);
             QTest::keyClick(&l, Qt::Key_End);
         },
         {1, 4}},
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
    for (const Step& step : steps) {
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
