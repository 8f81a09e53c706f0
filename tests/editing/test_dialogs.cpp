#include "QL_Edit.h"
#include "QL_Form.h"
#include "QL_Replace.h"
#include "WindowTest.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString InsertQuestion = "Inserting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to insert a new row?";
const QString DeleteQuestion = "Deleting a row will affect the layout of the language file.\r\n"
                               "Are you sure that you want to delete this row?";
const QString Forbidden = QString::fromUtf8("Please remove the ½, ¾ or ¼ characters.");

QByteArray twoForms()
{
    QByteArray big;
    for (int r = 0; r < 199; ++r)
        big += "Row " + QByteArray::number(r) + '\xBE';
    return lsfFile(1, {packed({"Main", "Big"}), packed({"A row", "B row", "C row"}), big});
}

} // namespace

class Dialogs : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        open(write("d.lsf", twoForms()));
        click(window->lst_forms, 0);
    }

    // The next modal dialog is shown and handed to the test's hands, then closed.
    template <typename Dialog>
    void onDialog(std::function<void(Dialog&)> hands)
    {
        toolkit.onModal = [hands](QDialog& dialog) {
            dialog.show();
            hands(static_cast<Dialog&>(dialog));
            const int result = dialog.result();
            dialog.hide();
            return result;
        };
    }

    QStringList rows() const { return items(window->lst_lang); }
};

TEST_F(Dialogs, RowDialogAddsAtTheEndAfterItsRulesAndCommits)
{
    onDialog<QL_Edit>([&](QL_Edit& d) {
        EXPECT_EQ(d.windowTitle(), "New text");
        EXPECT_EQ(d.txt_newtxt->text(), "");
        EXPECT_EQ(d.lbl_info->text(), "Enter a new text or change the existing text in the "
                                      "textfield below. Press save to save the changes.");
        QTest::keyClicks(d.txt_newtxt, "  ");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        QTest::keyClicks(d.txt_newtxt, QString::fromUtf8("¾"));
        EXPECT_EQ(d.lbl_text->text(), QString::fromUtf8("  ¾"));
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()) << "a refused text leaves the dialog open";
        d.txt_newtxt->setText("   ");
        QTest::keyClick(d.txt_newtxt, Qt::Key_Return);
    });
    click(window->lst_lang, 0);
    window->mnu_text_new->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[0].text, "Type at least 3 characters");
    EXPECT_EQ(toolkit.boxes[1].text, Forbidden);
    EXPECT_EQ(toolkit.boxes[1].style, 16);
    EXPECT_EQ(rows(), QStringList({"A row", "B row", "C row", "   "}));
    EXPECT_EQ(doc().formText(1).at(3), "   ") << "Save commits";
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
}

TEST_F(Dialogs, EditingCutsLongRowsAndRefusesAFullForm)
{
    window->lst_lang->item(1)->setText(QString(450, u'x'));
    onDialog<QL_Edit>([&](QL_Edit& d) {
        EXPECT_EQ(d.windowTitle(), "Edit text");
        EXPECT_EQ(d.txt_newtxt->text().size(), 400);
        EXPECT_EQ(d.lbl_text->text(), d.txt_newtxt->text());
        QTest::keyClick(d.txt_newtxt, Qt::Key_End);
        QTest::keyClicks(d.txt_newtxt, "more");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_lang, 1);
    EXPECT_EQ(rows().at(1), QString(400, u'x'));
    EXPECT_EQ(doc().SelectedRow, 1.0f);

    // Form 2 holds 199 rows: one more is taken, then neither a new row nor an edit.
    click(window->lst_forms, 1);
    onDialog<QL_Edit>([](QL_Edit& d) {
        QTest::keyClicks(d.txt_newtxt, "Row 199");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    window->toolbarButton(6)->trigger();
    EXPECT_EQ(window->lst_lang->count(), 200);
    EXPECT_TRUE(toolkit.boxes.empty());
    for (QAction* command : {window->mnu_text_new.data(), window->mnu_text_edit.data()}) {
        onDialog<QL_Edit>([](QL_Edit& d) {
            d.txt_newtxt->setText("changed");
            QTest::mouseClick(d.cmd_save, Qt::LeftButton);
            EXPECT_TRUE(d.isVisible());
        });
        command->trigger();
        expectOnlyBox("Maximum rows reached for this form.", 16);
    }
    EXPECT_EQ(doc().formText(2).at(1), "Row 1");
}

TEST_F(Dialogs, InsertAndDeleteChangeOnlyTheListAndAskFirst)
{
    click(window->lst_lang, 1);
    toolkit.answers = {MsgResult::No};
    window->mnu_text_insert->trigger();
    expectOnlyBox(InsertQuestion, 36);
    EXPECT_EQ(rows().size(), 3);

    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row", "<NEW>", "B row", "C row"}));
    EXPECT_EQ(doc().SelectedRow, 1.0f);
    EXPECT_EQ(doc().formText(1).at(1), "B row") << "no commit";

    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->toolbarButton(7)->trigger();
    EXPECT_EQ(rows(), QStringList({"A row", "C row"}));
    EXPECT_EQ(doc().SelectedRow, 1.0f);
    toolkit.boxes.clear();

    // A selection left over from a longer list: edit and insert do nothing, delete fails.
    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    window->mnu_text_delete->trigger();
    window->mnu_text_delete->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 3u);
    EXPECT_EQ(toolkit.boxes[2].text, trapText("#10.4"));
    toolkit.boxes.clear();
    EXPECT_EQ(rows(), QStringList({"A row"}));
    window->mnu_text_edit->trigger();
    window->mnu_text_insert->trigger();
    EXPECT_TRUE(toolkit.boxes.empty());

    click(window->lst_forms, 1);
    click(window->lst_forms, 0);
    EXPECT_EQ(rows(), QStringList({"A row", "B row", "C row"}))
        << "uncommitted changes are dropped";
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
}

TEST_F(Dialogs, InsertIntoAFullListIsRefused)
{
    for (int r = 3; r < 201; ++r)
        window->lst_lang->addItem(QString("r%1").arg(r));
    click(window->lst_lang, 5);
    window->mnu_text_insert->trigger();
    expectOnlyBox("Maximum rows reached for this form.", 16);
    EXPECT_EQ(window->lst_lang->count(), 201);
}

TEST_F(Dialogs, FormNameDialogRenamesAndCommitsEveryName)
{
    onDialog<QL_Form>([](QL_Form& d) {
        EXPECT_EQ(d.windowTitle(), "Edit form");
        EXPECT_EQ(d.txt_form->text(), "- EMPTY FORM -");
        EXPECT_EQ(d.txt_form->maxLength(), 50);
        d.txt_form->setText(QString::fromUtf8("Half ½"));
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        d.txt_form->clear();
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_forms, 4);
    expectOnlyBox(Forbidden, 16);
    EXPECT_EQ(window->lst_forms->item(4)->text(), "");
    EXPECT_EQ(doc().FormNames.at(5), "");
    EXPECT_EQ(doc().FormNames.at(6), "- EMPTY FORM -");

    onDialog<QL_Form>([](QL_Form& d) {
        d.txt_form->setText("Ignored");
        QTest::mouseClick(d.cmd_annuleer, Qt::LeftButton);
    });
    doc().UnsavedChanges = 0;
    doubleClick(window->lst_forms, 1);
    EXPECT_EQ(window->lst_forms->item(1)->text(), "Big");
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
}

TEST_F(Dialogs, ReplaceChangesTheRowListAndCountsRows)
{
    setListTexts(*window->lst_lang, {"Save file", "save file", "Save and Save"});
    onDialog<QL_Replace>([&](QL_Replace& d) {
        EXPECT_EQ(d.windowTitle(), "Search and replace");
        QTest::keyClicks(d.txt_zoek, "Save");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton); // no replacement: nothing
        d.txt_vervang->setText(QString::fromUtf8("St¾re"));
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        d.txt_vervang->setText("Store");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        QTest::mouseClick(d.cmd_annuleer, Qt::LeftButton);
    });
    doc().UnsavedChanges = 0;
    window->toolbarButton(9)->trigger();
    ASSERT_EQ(toolkit.boxes.size(), 3u);
    EXPECT_EQ(toolkit.boxes[0].text, Forbidden);
    EXPECT_EQ(toolkit.boxes[1].text, "2 rows are changed.");
    EXPECT_EQ(toolkit.boxes[1].style, 64);
    EXPECT_EQ(toolkit.boxes[2].text, "0 rows are changed.");
    EXPECT_EQ(rows(), QStringList({"Store file", "save file", "Store and Store"}));
    EXPECT_EQ(doc().UnsavedChanges, 1.0f);
    EXPECT_EQ(doc().formText(1).at(0), "A row") << "no commit";
}

TEST_F(Dialogs, HandlersReportTheirCodesWhenTheListsAreGone)
{
    const auto removeRows = [this] { delete window->lst_lang; };
    onDialog<QL_Edit>([&](QL_Edit& d) {
        d.txt_newtxt->setText("abc");
        removeRows();
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    window->mnu_text_new_Click();
    expectOnlyBox(trapText("#11.0"), 48);
    window->mnu_text_edit_Click();
    expectOnlyBox(trapText("#10.5"), 48);
    window->mnu_text_insert_Click();
    expectOnlyBox(trapText("#10.6"), 48);

    onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("a");
        d.txt_vervang->setText("b");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    window->mnu_text_replace_Click();
    expectOnlyBox(trapText("#16.0"), 48);

    onDialog<QL_Form>([this](QL_Form& d) {
        delete window->lst_forms;
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    window->lst_forms_DblClick();
    expectOnlyBox(trapText("#13.0"), 48);
}

TEST_F(Dialogs, FormNameDialogWithoutASelectedFormReportsItsCode)
{
    window->mnu_new->trigger();
    window->lst_forms_DblClick(); // no form selected after New file
    expectOnlyBox(trapText("#13.1"), 48);
}

TEST_F(Dialogs, EditsInTwoFormsRenameAndReplaceAreSavedByteForByte)
{
    onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText("B row, edited");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    click(window->lst_lang, 1);
    window->mnu_text_edit->trigger();

    click(window->lst_forms, 1);
    onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("Row 1");
        d.txt_vervang->setText("Line 1");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    window->mnu_text_replace_Click();
    onDialog<QL_Form>([](QL_Form& d) {
        d.txt_form->setText("Large form");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    doubleClick(window->lst_forms, 1);
    window->mnu_save->trigger();
    EXPECT_EQ(toolkit.boxes.back().text, "The languagefile has been saved.");

    QByteArray names = packed({"Main", "Large form"});
    for (int n = 3; n <= 24; ++n)
        names += QByteArray("- EMPTY FORM -") + '\xBE';
    QByteArray big;
    for (int r = 0; r < 199; ++r) {
        QByteArray row = "Row " + QByteArray::number(r);
        if (row.startsWith("Row 1"))
            row.replace("Row 1", "Line 1");
        big += row + '\xBE';
    }
    EXPECT_EQ(
        read(path("d.lsf")),
        lsfFile(1, {names + '\xBE', packed({"A row", "B row, edited", "C row"}) + emptyEntries(198),
                    big + emptyEntries(2)}));
}

TEST_F(Dialogs, EditBeforeAnyRowIsClickedEditsTheFirstAndCancelChangesNothing)
{
    onDialog<QL_Edit>([](QL_Edit& d) {
        EXPECT_EQ(d.txt_newtxt->text(), "A row");
        d.txt_newtxt->setText("Changed");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    window->mnu_text_edit->trigger();
    EXPECT_EQ(rows().first(), "A row");
    EXPECT_EQ(doc().UnsavedChanges, 0.0f);
}
