// The row commands, the form name and search and replace as the window runs them: what reaches
// the row list, what reaches the document, and when.
#include "QL_Edit.h"
#include "QL_Form.h"
#include "QL_Replace.h"
#include "WindowTest.h"

#include <QPushButton>

namespace {

const QString InsertQuestion = "Inserting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to insert a new row?";
const QString DeleteQuestion = "Deleting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to delete this row?";

// Form 1 holds three rows, form 2 199 rows, form 3 all 201.
QByteArray threeForms()
{
    QByteArray big, full;
    for (int r = 0; r < 201; ++r) {
        if (r < 199)
            big += "Row " + QByteArray::number(r) + '\xBE';
        full += "Full " + QByteArray::number(r) + '\xBE';
    }
    return lsfFile(
        1, {packed({"Main", "Big", "Full"}), packed({"A row", "B row", "C row"}), big, full});
}

} // namespace

class RowCommands : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        open(write("d.lsf", threeForms()));
        click(window->lst_forms, 0);
    }

    QStringList rows() const { return items(window->lst_lang); }
};

TEST_F(RowCommands, InsertAndDeleteChangeOnlyTheListAndAskFirst)
{
    click(window->lst_lang, 1);
    toolkit.answers = {MsgResult::No};
    window->mnu_text_insert->trigger();
    expectOnlyBox(InsertQuestion, 36);
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);

    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row", "<NEW>", "B row", "C row"}));
    EXPECT_EQ(doc().SelectedRow, 1.0f);
    EXPECT_EQ(doc().formText(1).at(1), "B row") << "no commit";
    EXPECT_EQ(commandState(), "1111111111");

    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->toolbarButton(7)->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[1].text, DeleteQuestion);
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row", "C row"}));
    EXPECT_EQ(doc().SelectedRow, 1.0f);

    // A selection left over from a longer list: edit and insert do nothing, delete fails.
    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->mnu_text_delete->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 3u);
    EXPECT_EQ(toolkit.boxes[2].text, trapText("#10.4"));
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row"}));
    EXPECT_EQ(window->lst_lang->currentRow(), -1) << "no highlight on a row not selected";
    window->mnu_text_edit->trigger();
    window->mnu_text_insert->trigger();
    EXPECT_TRUE(toolkit.boxes.empty());

    click(window->lst_forms, 1);
    click(window->lst_forms, 0);
    EXPECT_EQ(rows(), QStringList({"A row", "B row", "C row"}))
        << "uncommitted changes are dropped";
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
}

TEST_F(RowCommands, InsertIntoAFullFormIsRefused)
{
    click(window->lst_forms, 2);
    click(window->lst_lang, 5);
    window->mnu_text_insert->trigger();
    expectOnlyBox("Maximum rows reached for this form.", 16);
    EXPECT_EQ(window->lst_lang->count(), 201);
}

TEST_F(RowCommands, EditBeforeAnyRowIsClickedEditsTheFirst)
{
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        EXPECT_EQ(d.txt_newtxt->text(), "A row");
        d.txt_newtxt->setText("First row");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    window->toolbarButton(8)->trigger(); // the toolbar's Edit
    EXPECT_EQ(rows().first(), "First row");
    EXPECT_EQ(doc().formText(1).at(0), "First row") << "Save commits";
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
}

TEST_F(RowCommands, EditsInTwoFormsRenameAndReplaceAreSavedByteForByte)
{
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText("B row, edited");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_lang, 1);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText("D row");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    window->toolbarButton(6)->trigger();
    EXPECT_EQ(rows(), QStringList({"A row", "B row, edited", "C row", "D row"}));

    click(window->lst_forms, 1);
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("Row 1");
        d.txt_vervang->setText("Line 1");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    doc().UnsavedChanges = 0;
    window->toolbarButton(9)->trigger();
    EXPECT_EQ(toolkit.boxes.back().text, "110 rows are changed.");
    EXPECT_EQ(rows().at(10), "Line 10");
    EXPECT_EQ(doc().formText(2).at(10), "Row 10") << "no commit";
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);

    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        EXPECT_EQ(d.txt_form->text(), "Big");
        d.txt_form->setText("Large form");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_forms, 1);
    EXPECT_EQ(window->lst_forms->item(1)->text(), "Large form");
    EXPECT_EQ(doc().FormNames.at(2), "Large form") << "the rename commits";
    EXPECT_EQ(doc().formText(2).at(10), "Line 10") << "and with it the replacement";
    window->mnu_save->trigger();
    EXPECT_EQ(toolkit.boxes.back().text, "The languagefile has been saved.");

    QByteArray names = packed({"Main", "Large form", "Full"});
    for (int n = 4; n <= 24; ++n)
        names += QByteArray("- EMPTY FORM -") + '\xBE';
    QByteArray big, full;
    for (int r = 0; r < 201; ++r) {
        QByteArray row = "Row " + QByteArray::number(r);
        if (row.startsWith("Row 1"))
            row.replace("Row 1", "Line 1");
        big += (r < 199 ? row : QByteArray()) + '\xBE';
        full += "Full " + QByteArray::number(r) + '\xBE';
    }
    EXPECT_EQ(read(path("d.lsf")),
              lsfFile(1, {names + '\xBE',
                          packed({"A row", "B row, edited", "C row", "D row"}) + emptyEntries(197),
                          big, full}));
}
