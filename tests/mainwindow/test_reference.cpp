// The reference beside the document: the table that follows every edit, the counts, going from
// problem to problem, find in all forms, the remembered reference, and the command line's
// problems for the same pair of files.
#include "Cli.h"
#include "FindAllDialog.h"
#include "MemorySession.h"
#include "ProblemList.h"
#include "ReferenceDock.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"
#include "TranslationMemory.h"
#include "WindowTest.h"
#include "WorkbenchModel.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

namespace {

// English: form 1 "File" with four rows, form 3 with one.
QByteArray english()
{
    return lsfFile(1, {packed({"File", "Edit", "View"}),
                       packed({"&Open...", "Save %1", "Close", "Quit"}), emptyEntries(201),
                       packed({"About"})});
}

// Dutch: form 1 with a lost "&" and placeholder, a missing row; form 2 with a row the
// reference does not have; form 3 with a gap before its row.
QByteArray dutch()
{
    return lsfFile(1, {packed({"Bestand", "Bewerken", "Beeld"}),
                       packed({"Openen...", "Opslaan", "Sluiten"}), packed({"Extra"}),
                       packed({"", "Over"})});
}

} // namespace

class Reference : public WindowTest {
protected:
    QString reference;

    void SetUp() override
    {
        WindowTest::SetUp();
        reference = write("en.lsf", english());
        open(write("nl.lsf", dutch()));
    }

    // The table as rows of "row|reference|this file|problems".
    QStringList table() const
    {
        QCoreApplication::processEvents(); // the table repaints once the change is done
        QStringList rows;
        const WorkbenchModel& model = window->workbench();
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < WorkbenchModel::ColumnCount; ++c)
                cells << model.index(r, c).data().toString();
            rows << cells.join('|');
        }
        return rows;
    }
};

TEST_F(Reference, WithoutAReferenceTheWindowShowsNothingOfIt)
{
    EXPECT_TRUE(window->referenceDock()->isHidden());
    EXPECT_EQ(panel(4), "");
    EXPECT_EQ(
        menuItems(window->mnu_reference, true),
        "&Open reference ...|Ctrl+Shift+O|on &Close reference||off - &Next problem|F8|off "
        "&Previous problem|Shift+F8|off S&tore and go to the next row|Ctrl+Return|off Copy "
        "reference te&xt|Ctrl+B|off Copy reference s&hortcut|Ctrl+Shift+B|off - Ne&w translation "
        "from this reference||off &Find in all forms ...|Ctrl+Shift+F|on - Chec&ks||on "
        "Spe&lling language||on Lan&guage of the reference||on Longest tr&anslation||on - "
        "Pre-translat&e||off Take suggestion &1|Ctrl+1|off Take suggestion &2|Ctrl+2|off Take "
        "suggestion &3|Ctrl+3|off");
}

TEST_F(Reference, ANewTranslationTakesTheReferencesNamesAndAShortcutIsCopiedAfterTheTab)
{
    QList<QByteArray> fields = {packed({"File"}), packed({"&Open...\tCtrl+O"})};
    while (fields.size() < 25)
        fields << emptyEntries(201);
    ASSERT_TRUE(
        window->openReference(write("menu.lsf", lsfFile(1, fields << packed({"Notes", "4.1"})))));
    window->mnu_new_from_reference->trigger();
    EXPECT_EQ(window->lst_forms->item(0)->text() + '|' + window->txt_app->text() + '|' +
                  window->txt_versie->text() + '|' + window->txt_filetitle->text(),
              "File|Notes|4.1|");
    click(window->lst_forms, 0);
    window->referenceDock()->editRow({1, 0}, "&Openen...");
    window->mnu_copy_shortcut->trigger();
    EXPECT_EQ(window->referenceDock()->openEditor()->toPlainText(), "&Openen...\tCtrl+O");
}

TEST_F(Reference, TheTableFollowsEditsReplacementsAndTheSelectedForm)
{
    toolkit.openAnswers = {reference};
    window->mnu_reference_open->trigger();
    ASSERT_NE(window->reference().reference(), nullptr);
    EXPECT_TRUE(window->findChild<QDockWidget*>()->isVisible());
    EXPECT_TRUE(window->referenceDock()->table()->updatesEnabled());
    EXPECT_EQ(panel(4), "3 of 5 reference rows translated, 7 problems");
    EXPECT_EQ(window->findChild<QLabel*>("lbl_progress")->text(), "") << "no form selected";
    const auto* filter = window->findChild<QComboBox*>("cmb_filter");
    EXPECT_EQ(filter->itemText(3) + '|' + filter->itemText(filter->count() - 1),
              "Rows the reference does not use|Reference texts changed since translated");
    click(window->lst_forms, 0);
    EXPECT_EQ(window->referenceDock()->table()->currentIndex().row(), -1)
        << "no row chosen, none shown";
    EXPECT_EQ(table(),
              QStringList({"0|&Open...|Openen...|access-keys", "1|Save %1|Opslaan|placeholders",
                           "2|Close|Sluiten|", "3|Quit||missing"}));
    EXPECT_EQ(window->findChild<QLabel*>("lbl_progress")->text(),
              "Form 1: 3 of 4 rows translated, 3 problems");
    window->referenceDock()->table()->setCurrentIndex(window->workbench().index(2, 1));
    EXPECT_EQ(panel(3), "Row: 2") << "a row of the table selects that row in the list";
    EXPECT_EQ(window->lst_lang->currentRow(), 2);
    click(window->lst_lang, 0);
    EXPECT_EQ(window->referenceDock()->table()->currentIndex().row(), 0)
        << "and the list's row the table's";

    answerRowDialog("Opslaan %1");
    doubleClick(window->lst_lang, 1);
    EXPECT_EQ(table().at(1), "1|Save %1|Opslaan %1|");
    answerReplace("Openen", "&Openen");
    window->mnu_text_replace_Click();
    EXPECT_EQ(table().at(0), "0|&Open...|&Openen...|");
    EXPECT_EQ(panel(4), "3 of 5 reference rows translated, 5 problems");

    click(window->lst_forms, 2);
    EXPECT_EQ(table(), QStringList({"0|About||missing", "1||Over|extra, moves-at-save"}))
        << "a text beside the row it was read from; the gap where it is";
    window->findChild<QAction*>("mnu_check_moves-at-save")->setChecked(false);
    EXPECT_EQ(table(), QStringList({"0|About||missing", "1||Over|extra"}));
    EXPECT_EQ(panel(4), "3 of 5 reference rows translated, 5 problems")
        << "the replacement, never stored, was dropped with the form: form 1's access key is "
           "lost again";

    window->mnu_reference_close->trigger();
    EXPECT_FALSE(window->findChild<QDockWidget*>()->isVisible());
    EXPECT_EQ(panel(4), "");
    EXPECT_FALSE(window->mnu_problem_next->isEnabled() || window->mnu_reference_close->isEnabled());
}

TEST_F(Reference, NextAndPreviousProblemGoThroughAllForms)
{
    ASSERT_TRUE(window->openReference(reference));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        window->mnu_problem_next->trigger();
        visited << panel(2) + " " + panel(3) + " table " +
                       QString::number(window->referenceDock()->table()->currentIndex().row());
    }
    EXPECT_EQ(visited, QStringList({"Form: 1 Row: 0 table 0", "Form: 1 Row: 1 table 1",
                                    "Form: 1 Row: table 3", "Form: 2 Row: 0 table 0",
                                    "Form: 3 Row: table 0", "Form: 3 Row: 0 table 1"}))
        << "a missing row has no item in the list: none is selected, the table shows it";
    window->mnu_problem_previous->trigger();
    window->mnu_problem_previous->trigger();
    EXPECT_EQ(panel(2) + " " + panel(3), "Form: 2 Row: 0");
    EXPECT_EQ(doc().SelectedForm, 2.0f);
    EXPECT_EQ(window->lst_lang->currentItem()->text(), "Extra");
}

TEST_F(Reference, FindInAllFormsListsEveryPlaceAndShowsTheOneChosen)
{
    ASSERT_TRUE(window->openReference(reference));
    FindAllDialog* find = window->showFindAll();
    EXPECT_EQ(find->windowTitle(), "Find in all forms");
    find->txt_find->setText("OPEN");
    QTest::keyClick(find->txt_find, Qt::Key_Return); // Find is the default button
    QStringList found;
    for (int i = 0; i < find->lst_found->topLevelItemCount(); ++i)
        found << find->lst_found->topLevelItem(i)->text(0) + ": " +
                     find->lst_found->topLevelItem(i)->text(1);
    EXPECT_EQ(found,
              QStringList({"Form 1, row 0: Openen...", "Reference: Form 1, row 0: &Open..."}));
    find->chk_case->setChecked(true);
    find->find();
    EXPECT_EQ(find->lst_found->topLevelItemCount(), 0);

    // A reference row this file has no text for: no row of the list is aimed at.
    find->txt_find->setText("Quit");
    find->find();
    emit find->lst_found->itemActivated(find->lst_found->topLevelItem(0), 0);
    EXPECT_EQ(panel(2) + " " + panel(3), "Form: 1 Row:");
    EXPECT_EQ(window->referenceDock()->table()->currentIndex().row(), 3);
    EXPECT_EQ(window->lst_lang->currentRow(), -1);

    find->txt_find->setText("Over");
    find->find();
    ASSERT_EQ(find->lst_found->topLevelItemCount(), 1);
    emit find->lst_found->itemActivated(find->lst_found->topLevelItem(0), 0);
    EXPECT_EQ(panel(2) + " " + panel(3), "Form: 3 Row: 0");
    EXPECT_EQ(window->lst_lang->currentItem()->text(), "Over");

    // The results follow the document, as the table does.
    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(find->lst_found->topLevelItem(0)->text(0), "Form 3, row 1");
    toolkit.answers = {MsgResult::Yes};
    window->mnu_new->trigger();
    window->closeReference();
    QCoreApplication::processEvents();
    EXPECT_EQ(find->lst_found->topLevelItemCount(), 0);
}

TEST_F(Reference, EachDocumentReopensItsReference)
{
    toolkit.openAnswers = {reference};
    window->mnu_reference_open->trigger();
    window->closeReference(); // forgets it for nl.lsf
    toolkit.openAnswers = {reference};
    window->mnu_reference_open->trigger();
    start(testValues());
    open(path("nl.lsf"));
    EXPECT_EQ(window->reference().reference(), nullptr)
        << "not before the window has shown the file";
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->reference().reference() != nullptr; }));
    EXPECT_TRUE(window->findChild<QDockWidget*>()->windowTitle().endsWith("en.lsf"));

    // A recovery copy restored comes back with it too.
    QTest::keyClicks(window->txt_naam, "x");
    window->endWithoutAsking();
    start(testValues());
    toolkit.answers = {MsgResult::Yes};
    window->startWith(QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->referenceDock()->isVisible(); }));

    // One that has gone is named, with the reason; the document stays open.
    QFile::remove(reference);
    start(testValues());
    toolkit.boxes.clear();
    open(path("nl.lsf"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !toolkit.boxes.empty(); }));
    expectOnlyBox("The reference " + reference + " cannot be read: No such file or directory.", 48);
    EXPECT_EQ(window->txt_filetitle->text(), "nl.lsf");
}

// Spelling in Dutch: chosen for the document and remembered for it, misspelt words named in the
// table and underlined in its editor, whose menu offers the dictionary's words.
TEST_F(Reference, ASpellingLanguageUnderlinesTheEditorAndIsRememberedForTheDocument)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    emit window->findChild<QMenu*>("mnu_language")->aboutToShow();
    window->findChild<QAction*>("mnu_language_nl_NL")->trigger();
    EXPECT_EQ(window->spelling().rememberedLanguageFor(path("nl.lsf")), "nl_NL");

    window->referenceDock()->editRow({1, 2}, "Sluiten bestnad");
    QPlainTextEdit* editor = window->referenceDock()->openEditor();
    ASSERT_NE(editor, nullptr);
    const QList<QTextLayout::FormatRange> marks =
        editor->document()->firstBlock().layout()->formats();
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(QList<int>({marks[0].start, marks[0].length, marks[0].format.underlineStyle()}),
              QList<int>({8, 7, QTextCharFormat::SpellCheckUnderline}));
    QTimer::singleShot(0, [] { // the editor's menu: the dictionary's first suggestion
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->actions().first()->trigger();
        menu->close();
    });
    editor->setTextCursor(editor->cursorForPosition({}));
    emit editor->customContextMenuRequested(
        editor->cursorRect(editor->document()->find("bestnad")).center());
    EXPECT_EQ(editor->toPlainText(), "Sluiten bestand");
    window->referenceDock()->finishEditing(false);
    EXPECT_EQ(table().at(2), "2|Close|Sluiten bestand|") << "no spelling problem left";

    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    open(write("other.lsf", dutch()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->spelling().language().isEmpty(); }));
    open(path("nl.lsf"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->spelling().language() == "nl_NL"; }));
}

// Without both languages the memory cannot be used: the workbench says which one to set, where.
TEST_F(Reference, TheWorkbenchSaysWhichLanguageTheMemoryLacks)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    ASSERT_TRUE(window->openReference(reference));
    emit window->findChild<QMenu*>("mnu_language")->aboutToShow();
    window->findChild<QAction*>("mnu_language_nl_NL")->trigger();
    const QLabel* message = window->referenceDock()->findChild<QLabel*>("lbl_message");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !message->text().isEmpty(); }));
    EXPECT_EQ(message->text(), "Set the language of the reference in Reference > Language of the "
                               "reference to get suggestions from the translation memory and the "
                               "changed check.");
    window->memory().setMemoryPath(path("tm.sqlite"));
    emit window->findChild<QMenu*>("mnu_reference_language")->aboutToShow();
    window->findChild<QAction*>("mnu_reference_language_en_US")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return message->text().isEmpty(); }));
}

// The memory, with both languages set: a save teaches it the rows, the workbench offers them
// for a row (Ctrl+1 takes one), and Pre-translate fills the empty rows it knows, as one step.
TEST_F(Reference, TheMemoryLearnsAtSaveSuggestsForTheRowAndPretranslates)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    window->memory().setMemoryPath(path("tm.sqlite"));
    TranslationMemory known;
    ASSERT_EQ(known.open(path("tm.sqlite")).error, "");
    known.add({{"en_US", "nl_NL", "Quit", "Afsluiten", "x.lsf", 1, 3, {}}});
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    for (const char* menu : {"mnu_language", "mnu_reference_language"})
        emit window->findChild<QMenu*>(menu)->aboutToShow();
    window->findChild<QAction*>("mnu_language_nl_NL")->trigger();
    window->findChild<QAction*>("mnu_reference_language_en_US")->trigger();
    window->mnu_save_Click();
    toolkit.boxes.clear();

    window->referenceDock()->showRow({1, 2});
    QLabel* first = window->referenceDock()->suggestionLabel(1);
    EXPECT_EQ(first->text(), "Ctrl+1: 100% Sluiten <i>(from \"Close\")</i>");
    EXPECT_FALSE(window->referenceDock()->suggestionLabel(2)->isVisibleTo(window.get()));
    window->findChild<QAction*>("mnu_suggestion_1")->trigger(); // Ctrl+1
    ASSERT_NE(window->referenceDock()->openEditor(), nullptr);
    EXPECT_EQ(window->referenceDock()->openEditor()->toPlainText(), "Sluiten");
    window->referenceDock()->finishEditing(false);

    window->findChild<QAction*>("mnu_pretranslate")->trigger();
    EXPECT_EQ(table().at(3), "3|Quit|Afsluiten|");
    EXPECT_EQ(window->mnu_undo->text(), "Undo Pre-translate");

    // The application's next release says "Close all": the row translated from "Close" is named.
    ASSERT_TRUE(window->openReference(
        write("en2.lsf", lsfFile(1, {packed({"File", "Edit", "View"}),
                                     packed({"&Open...", "Save %1", "Close all", "Quit"})}))));
    emit window->findChild<QMenu*>("mnu_reference_language")->aboutToShow();
    window->findChild<QAction*>("mnu_reference_language_en_US")->trigger();
    EXPECT_EQ(table().at(2), "2|Close all|Sluiten|changed");
}

// The table as a workbench: a row typed in place, stored at its own row, and on to the next.
TEST_F(Reference, ARowTypedInTheTableIsStoredAtItsRowAndTheNextOneToDoFollows)
{
    ASSERT_TRUE(window->openReference(
        write("three.lsf", lsfFile(1, {packed({"F"}), packed({"One", "Two", "Three"})}))));
    toolkit.answers = {MsgResult::Yes};
    window->mnu_new->trigger(); // a file loads over what the tables hold
    open(write("one.lsf", lsfFile(1, {packed({"V"}), packed({"Een"})})));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->reference().reference() != nullptr; }));
    click(window->lst_forms, 0);
    const auto type = [&](int row, const QString& text) {
        window->referenceDock()->showRow({1, row}, true);
        ASSERT_NE(window->referenceDock()->openEditor(), nullptr);
        window->referenceDock()->openEditor()->setPlainText(text);
        window->mnu_store_next->trigger();
        QCoreApplication::processEvents(); // the next editor opens once this one has closed
    };
    toolkit.answers = {MsgResult::Yes}; // fill row 1 with the reference's text
    type(2, "Drie");
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(rows(), QStringList({"Een", "Two", "Drie"}));
    EXPECT_EQ(window->mnu_undo->text(), "Undo Translate row");
    EXPECT_EQ(table(), QStringList({"0|One|Een|", "1|Two|Two|same", "2|Three|Drie|"}));
    EXPECT_EQ(window->referenceDock()->table()->currentIndex().row(), 1) << "on to the row to do";
    EXPECT_EQ(window->referenceDock()->openEditor()->textCursor().selectedText(), "Two")
        << "the row's text selected, so typing replaces it";
    window->referenceDock()->finishEditing(false);
    window->mnu_copy_reference->trigger(); // opens the editor on the current row
    EXPECT_EQ(window->referenceDock()->openEditor()->toPlainText(), "Two");
    window->referenceDock()->finishEditing(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->referenceDock()->progressLabel()->text(),
              "Form 1: 3 of 3 rows translated, 1 problems");

    window->referenceDock()->filterBox()->setCurrentIndex(1); // rows that need work
    window->referenceDock()->scopeBox()->setCurrentIndex(1);  // of all forms
    EXPECT_EQ(table(), QStringList({"Form 1, row 1|Two|Two|same"}));
}

TEST_F(Reference, TheCommandLineFindsTheSameProblems)
{
    ASSERT_TRUE(window->openReference(reference));
    QStringList fromWindow;
    for (const Problem& p : window->problems().problems())
        fromWindow << QStringLiteral("%1: %2_lng_(%3): %4: %5")
                          .arg(path("nl.lsf"), LanguageDocument::label(p.form))
                          .arg(p.row)
                          .arg(checkName(p.check), p.message);
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    EXPECT_EQ(runCli({"check", "--against", reference, path("nl.lsf")}, out, err), 1);
    EXPECT_EQ(QString::fromUtf8(out.data()).split('\n', Qt::SkipEmptyParts), fromWindow);
    EXPECT_EQ(fromWindow.size(), 7);
}
