// The three editing dialogs on their own, typed into as a person does: what they refuse with
// which message, what they hand on, and the error codes of their buttons.
#include "FindAllDialog.h"
#include "Layout.h"
#include "QL_Edit.h"
#include "QL_Form.h"
#include "QL_Replace.h"
#include "RowAlgorithms.h"
#include "ScriptedToolkit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <stdexcept>

namespace {

const QString Forbidden = QString::fromUtf8("Please remove the ½, ¾ or ¼ characters.");

} // namespace

class EditingDialogs : public ::testing::Test {
protected:
    ScriptedToolkit toolkit;
    std::optional<QString> saved; // what the confirming button handed on

    AcceptText save()
    {
        return [this](const QString& text) { saved = text; };
    }
};

// Opens the dialog over a row list, as the window does over its own.
void openOver(QL_Replace& dialog, QStringList& rows, QList<int>* told = nullptr)
{
    dialog.open([&rows] { return !rows.isEmpty(); },
                [&rows, told](const QString& search, const QString& replacement) {
                    const int changed = replaceInRows(rows, search, replacement);
                    if (told)
                        *told << changed;
                    return changed;
                });
}

TEST_F(EditingDialogs, RowDialogRefusesByTheRulesAndHandsOnTheTextAsTypedOrMarked)
{
    const struct {
        const char* name;
        std::optional<QString> row; // the row edited, or none for a new row
        int rowCount;
        QString typed; // after the row's text
        QStringList refusals;
        std::optional<QString> saved;
    } cases[] = {
        {"too short", std::nullopt, 3, "  ", {"Type at least 3 characters"}, std::nullopt},
        {"a long row cut to the box", QString(450, u'x'), 199, "more", {}, QString(400, u'x')},
        {"edit in a full form",
         "row",
         200,
         "s",
         {"Maximum rows reached for this form."},
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        saved.reset();
        QL_Edit dialog(toolkit);
        toolkit.onDialog<QL_Edit>([&c](QL_Edit& d) {
            EXPECT_EQ(d.windowTitle(), c.row ? "Edit text" : "New text");
            EXPECT_EQ(d.txt_newtxt->text(), c.row.value_or("").left(400));
            QTest::keyClick(d.txt_newtxt, Qt::Key_End);
            QTest::keyClicks(d.txt_newtxt, c.typed);
            EXPECT_EQ(d.lbl_text->text(), d.txt_newtxt->text());
            QTest::keyClick(d.txt_newtxt, Qt::Key_Return);
            EXPECT_EQ(d.isVisible(), !c.saved) << "a refused text leaves the dialog open";
        });
        c.row ? dialog.Edit_Row(*c.row, c.rowCount, save()) : dialog.New_Row(c.rowCount, save());
        EXPECT_EQ(toolkit.takeBoxes(16), c.refusals);
        EXPECT_EQ(saved, c.saved);
    }
    // The Save button; a character a file cannot store is marked as typed and handed on as
    // before, for the store to refuse.
    QL_Edit dialog(toolkit);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        d.txt_newtxt->setText(QString::fromUtf8("Łukasz"));
        EXPECT_EQ(d.txt_newtxt->accessibleDescription(),
                  QString::fromUtf8("A language file cannot store the character \"Ł\" (U+0141)."));
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    dialog.New_Row(0, save());
    EXPECT_EQ(saved, QString::fromUtf8("Łukasz"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(EditingDialogs, EachDialogLaysOutItsNamedControlsAsDesigned)
{
    QL_Edit rows(toolkit), beside(toolkit);
    beside.showReference("Open file");
    toolkit.onDialog<QL_Edit>([&](QL_Edit& d) { expectLayout(&d, "row-dialog"); });
    rows.New_Row(0, save());
    toolkit.onDialog<QL_Edit>([&](QL_Edit& d) { expectLayout(&d, "row-dialog-beside-reference"); });
    beside.Edit_Row("Open", 0, save());
    QL_Form names(toolkit);
    toolkit.onDialog<QL_Form>([&](QL_Form& d) { expectLayout(&d, "form-dialog"); });
    names.Edit_form({"One"}, 1, save());
    QStringList list;
    QL_Replace replace(toolkit);
    toolkit.onDialog<QL_Replace>([&](QL_Replace& d) { expectLayout(&d, "replace-dialog"); });
    openOver(replace, list);
    FindAllDialog findAll(nullptr,
                          [](const QString&, Qt::CaseSensitivity) { return QList<FoundText>(); });
    expectLayout(&findAll, "find-in-all-forms");
}

TEST_F(EditingDialogs, FormDialogOpensOnTheFormsEntryAndRefusesOnlyForbiddenCharacters)
{
    QL_Form dialog(toolkit);
    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        EXPECT_EQ(d.windowTitle(), "Edit form");
        EXPECT_EQ(d.txt_form->text(), "- EMPTY FORM -");
        d.txt_form->setText(QString::fromUtf8("Half ½"));
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        d.txt_form->clear();
        QTest::mouseClick(d.cmd_save, Qt::LeftButton);
    });
    dialog.Edit_form({"Main", "- EMPTY FORM -", "Third"}, 2, save());
    EXPECT_EQ(toolkit.takeBoxes(16), QStringList{Forbidden});
    EXPECT_EQ(saved, "");
    toolkit.onDialog<QL_Form>([](QL_Form& d) {
        d.txt_form->setText("Ignored");
        QTest::mouseClick(d.cmd_annuleer, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible()) << "Cancel closes it";
    });
    saved.reset();
    dialog.Edit_form({"One", "Two"}, 2, save());
    EXPECT_FALSE(saved) << "cancelled";
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
        for (const char* replacement : {"St\xC2\xBEre", "Store", "Store"}) {
            d.txt_vervang->setText(QString::fromUtf8(replacement));
            QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
        }
        EXPECT_EQ(d.txt_zoek->text(), "Save") << "both texts stay for the next replacement";
        QTest::mouseClick(d.cmd_annuleer, Qt::LeftButton);
    });
    openOver(dialog, rows, &told);
    ASSERT_EQ(toolkit.boxes.size(), 3u);
    EXPECT_EQ(toolkit.boxes[0].text, Forbidden);
    EXPECT_EQ(toolkit.boxes[0].style, 16);
    toolkit.boxes.erase(toolkit.boxes.begin());
    EXPECT_EQ(toolkit.takeBoxes(64), QStringList({"2 rows are changed.", "0 rows are changed."}));
    EXPECT_EQ(rows, QStringList({"Store file", "save file", "Store and Store"}));
    EXPECT_EQ(told, QList<int>({2, 0}));

    QStringList empty;
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        EXPECT_EQ(d.txt_zoek->text() + d.txt_vervang->text(), "") << "open again, both empty";
        d.txt_zoek->setText("a");
        d.txt_vervang->setText("b");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    openOver(dialog, empty, &told);
    EXPECT_EQ(told.size(), 2) << "an empty row list is left alone, without a message";
    EXPECT_TRUE(toolkit.boxes.empty());
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
    QL_Form names(toolkit);
    toolkit.onDialog<QL_Form>([](QL_Form& d) { QTest::mouseClick(d.cmd_save, Qt::LeftButton); });
    names.Edit_form({"One"}, 1, failing);
    toolkit.onModal = nullptr;
    names.Edit_form({"One"}, 0, save()); // no form selected: the dialog does not open
    QStringList list = {"aaa"};
    QL_Replace replace(toolkit);
    toolkit.onDialog<QL_Replace>([](QL_Replace& d) {
        d.txt_zoek->setText("a");
        d.txt_vervang->setText("b");
        QTest::mouseClick(d.cmd_replace, Qt::LeftButton);
    });
    replace.open([] { return true; },
                 [](const QString&, const QString&) -> int { throw std::runtime_error("failed"); });
    EXPECT_EQ(toolkit.takeBoxes(48),
              QStringList({trapText("#11.0"), trapText("#13.0"), trapText("#13.1"),
                           trapText("#16.0")})); // and no count after #16.0
}
