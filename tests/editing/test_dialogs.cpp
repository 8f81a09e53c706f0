// The three editing dialogs on their own, typed into as a person does: what they refuse with
// which message, what they hand on, and the error codes of their buttons.
#include "QL_Edit.h"
#include "QL_Form.h"
#include "QL_Replace.h"
#include "ScriptedToolkit.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <stdexcept>

namespace {

const QString Forbidden = QString::fromUtf8("Please remove the ½, ¾ or ¼ characters.");

QString trapText(const char* code)
{
    return QStringLiteral("An error occured while executing a function.\r\n"
                          "Please report the error code on our website.\r\n\r\nERROR CODE ") +
           QLatin1String(code);
}

} // namespace

class EditingDialogs : public ::testing::Test {
protected:
    ScriptedToolkit toolkit;
    std::optional<QString> saved; // what the confirming button handed on

    AcceptText save()
    {
        return [this](const QString& text) { saved = text; };
    }

    void expectBoxes(const QStringList& texts, int style)
    {
        ASSERT_EQ(toolkit.boxes.size(), size_t(texts.size()));
        for (size_t i = 0; i < toolkit.boxes.size(); ++i) {
            EXPECT_EQ(toolkit.boxes[i].text, texts.at(qsizetype(i)));
            EXPECT_EQ(toolkit.boxes[i].style, style);
            EXPECT_EQ(toolkit.boxes[i].title, "Lexicant");
        }
        toolkit.boxes.clear();
    }
};

TEST_F(EditingDialogs, RowDialogRefusesByTheRulesAndHandsOnTheTextAsTyped)
{
    QL_Edit dialog(toolkit);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
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
    dialog.New_Row(3, save());
    expectBoxes({"Type at least 3 characters", Forbidden}, 16);
    EXPECT_EQ(saved, "   ");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(EditingDialogs, RowDialogCutsALongRowAndRefusesAFullForm)
{
    QL_Edit dialog(toolkit);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        EXPECT_EQ(d.windowTitle(), "Edit text");
        EXPECT_EQ(d.txt_newtxt->text(), QString(400, u'x'));
        EXPECT_EQ(d.lbl_text->text(), d.txt_newtxt->text());
        QTest::keyClick(d.txt_newtxt, Qt::Key_End);
        QTest::keyClicks(d.txt_newtxt, "more");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    dialog.Edit_Row(QString(450, u'x'), 199, save());
    EXPECT_EQ(saved, QString(400, u'x'));

    // A form of 200 rows takes neither a new row nor an edit.
    saved.reset();
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText("changed");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
    });
    dialog.Edit_Row("row", 200, save());
    dialog.New_Row(200, save());
    expectBoxes({"Maximum rows reached for this form.", "Maximum rows reached for this form."}, 16);
    EXPECT_FALSE(saved);
}

TEST_F(EditingDialogs, EachDialogHasItsNamedControlsAndReachesItsButtonPlus180And520Twips)
{
    const auto sizedBy = [](QDialog& d, QPushButton* button) {
        const Twips t(&d);
        for (const char* name : {"lbl_info", "Frame_3", "cmd_annuleer", "Image1", "Image2"})
            EXPECT_NE(d.findChild<QObject*>(name), nullptr) << name;
        const QSize outer = d.frameGeometry().size();
        EXPECT_EQ(outer.width(), button->geometry().right() + 1 + t.px(180))
            << d.objectName().toStdString();
        EXPECT_EQ(outer.height(), button->geometry().bottom() + 1 + t.px(520))
            << d.objectName().toStdString();
    };
    QL_Edit rows(toolkit);
    toolkit.onDialog<QL_Edit>([&](QL_Edit& d) { sizedBy(d, d.cmd_save); });
    rows.New_Row(0, save());
    QL_Form names(toolkit);
    toolkit.onDialog<QL_Form>([&](QL_Form& d) { sizedBy(d, d.cmd_save); });
    names.Edit_form({"One"}, 1, save());
    QStringList list;
    QL_Replace replace(toolkit);
    toolkit.onDialog<QL_Replace>([&](QL_Replace& d) { sizedBy(d, d.cmd_replace); });
    replace.open(list, [](int) {});
}

TEST_F(EditingDialogs, CancelAndEscapeHandNothingOn)
{
    QL_Edit rows(toolkit);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText("Changed");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    rows.Edit_Row("A row", 3, save());
    QL_Form names(toolkit);
    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        d.txt_form->setText("Ignored");
        QTest::mouseClick(d.cmd_annuleer, Qt::LeftButton);
    });
    names.Edit_form({"One", "Two"}, 2, save());
    EXPECT_FALSE(saved);
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(EditingDialogs, FormDialogOpensOnTheFormsEntryAndRefusesOnlyForbiddenCharacters)
{
    QL_Form dialog(toolkit);
    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        EXPECT_EQ(d.windowTitle(), "Edit form");
        EXPECT_EQ(d.txt_form->text(), "- EMPTY FORM -");
        EXPECT_EQ(d.txt_form->maxLength(), 50);
        d.txt_form->setText(QString::fromUtf8("Half ½"));
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        d.txt_form->clear();
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    dialog.Edit_form({"Main", "- EMPTY FORM -", "Third"}, 2, save());
    expectBoxes({Forbidden}, 16);
    EXPECT_EQ(saved, "");
}

TEST_F(EditingDialogs, ReplaceCountsChangedRowsAndRefusesAForbiddenReplacement)
{
    QStringList rows = {"Save file", "save file", "Save and Save"};
    QList<int> told;
    QL_Replace dialog(toolkit);
    toolkit.onDialog<QL_Replace>([&](QL_Replace& d) {
        EXPECT_EQ(d.windowTitle(), "Search and replace");
        QTest::keyClicks(d.txt_zoek, "Save");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton); // no replacement: nothing at all
        d.txt_vervang->setText(QString::fromUtf8("St¾re"));
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        d.txt_vervang->setText("Store");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        EXPECT_EQ(d.txt_zoek->text(), "Save") << "both texts stay for the next replacement";
        QTest::mouseClick(d.cmd_annuleer, Qt::LeftButton);
    });
    dialog.open(rows, [&](int changed) { told << changed; });
    ASSERT_EQ(toolkit.boxes.size(), 3u);
    EXPECT_EQ(toolkit.boxes[0].text, Forbidden);
    EXPECT_EQ(toolkit.boxes[1].text, "2 rows are changed.");
    EXPECT_EQ(toolkit.boxes[1].style, 64);
    EXPECT_EQ(toolkit.boxes[2].text, "0 rows are changed.");
    EXPECT_EQ(rows, QStringList({"Store file", "save file", "Store and Store"}));
    EXPECT_EQ(told, QList<int>({2, 0}));

    QStringList empty;
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("a");
        d.txt_vervang->setText("b");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    dialog.open(empty, [&](int changed) { told << changed; });
    EXPECT_EQ(told.size(), 2) << "an empty row list is left alone, without a message";
}

TEST_F(EditingDialogs, AFailureBehindAButtonReportsItsCodeAndKeepsTheDialogOpen)
{
    const auto failing = [](const auto&...) { throw std::runtime_error("the window failed"); };
    QL_Edit rows(toolkit);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText("abc");
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
    });
    rows.New_Row(0, failing);
    expectBoxes({trapText("#11.0")}, 48);

    QL_Form names(toolkit);
    toolkit.onDialog<QL_Form>([](QL_Form& d) { QTest::mouseClick(d.cmd_save, Qt::LeftButton); });
    names.Edit_form({"One"}, 1, failing);
    expectBoxes({trapText("#13.0")}, 48);
    toolkit.onModal = nullptr;
    names.Edit_form({"One"}, 0, save()); // no form selected: the dialog does not open
    expectBoxes({trapText("#13.1")}, 48);

    QStringList list = {"aaa"};
    QL_Replace replace(toolkit);
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("a");
        d.txt_vervang->setText("b");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    replace.open(list, failing);
    expectBoxes({trapText("#16.0")}, 48); // and no count
}
