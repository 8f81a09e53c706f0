// The reference beside the document as the window wires it: each command of the Reference menu
// reaches the session and the result shows in the table, the lists and the status bar. What the
// checks find, where the next row to do is and what a store refuses are the session's tests.
#include "FindAllDialog.h"
#include "GlossarySession.h"
#include "MemorySession.h"
#include "ReferenceDock.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"
#include "TermDialog.h"
#include "TranslationMemory.h"
#include "WindowTest.h"
#include "WorkbenchModel.h"
#include "WrappedLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

class Reference : public WindowTest {
protected:
    QString reference;

    // English: form 1 with four rows, form 3 with one. Dutch: form 1 with a lost "&" and
    // placeholder and a missing row; form 2 with a row the reference lacks; form 3 with a gap.
    void SetUp() override
    {
        WindowTest::SetUp();
        reference = write("en.lsf", lsfFile(1, {packed({"File", "Edit", "View"}),
                                                packed({"&Open...", "Save %1", "Close", "Quit"}),
                                                emptyEntries(201), packed({"About"})}));
        open(write("nl.lsf", lsfFile(1, {packed({"Bestand", "Bewerken", "Beeld"}),
                                         packed({"Openen...", "Opslaan", "Sluiten"}),
                                         packed({"Extra"}), packed({"", "Over"})})));
    }

    // The table as rows of "row|reference|this file|problems".
    QStringList table() const
    {
        QCoreApplication::processEvents(); // the table repaints once the change is done
        QStringList rows;
        const WorkbenchModel& model = window->workbench();
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < WorkbenchModel::StateColumn; ++c)
                cells << model.index(r, c).data().toString();
            rows << cells.join('|');
        }
        return rows;
    }
    int tableRow() const { return window->referenceDock()->table()->currentIndex().row(); }
    QString place() const { return panel(2) + " " + panel(3); }
    void choose(const char* menu, const char* item)
    {
        emit window->findChild<QMenu*>(menu)->aboutToShow();
        window->findChild<QAction*>(item)->trigger();
    }
};

TEST_F(Reference, OpenedTheTableFollowsEditsTheListsAndTheChecksAndClosedNothingShows)
{
    EXPECT_TRUE(window->referenceDock()->isHidden());
    EXPECT_FALSE(window->mnu_problem_next->isEnabled() || window->mnu_reference_close->isEnabled());
    toolkit.openAnswers = {reference};
    window->mnu_reference_open->trigger();
    EXPECT_TRUE(window->referenceDock()->isVisible());
    EXPECT_EQ(panel(4), "3 of 5 reference rows translated, 7 problems");
    click(window->lst_forms, 0);
    EXPECT_EQ(tableRow(), -1) << "no row chosen, none shown";
    EXPECT_EQ(table(),
              QStringList({"0|&Open...|Openen...|access-keys", "1|Save %1|Opslaan|placeholders",
                           "2|Close|Sluiten|", "3|Quit||missing"}));
    window->referenceDock()->table()->setCurrentIndex(window->workbench().index(2, 1));
    EXPECT_EQ(panel(3), "Row: 2") << "a row of the table selects that row in the list";
    EXPECT_EQ(window->lst_lang->currentRow(), 2);
    click(window->lst_lang, 0);
    EXPECT_EQ(tableRow(), 0) << "and the list's row the table's";
    click(window->lst_lang, 2);
    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_delete->trigger(); // not stored yet
    window->referenceDock()->table()->setCurrentIndex(window->workbench().index(0, 1));
    window->mnu_undo->trigger();
    EXPECT_EQ(tableRow(), 2) << "undo brings back the list's row, and the table follows";

    answerRowDialog("Opslaan %1");
    doubleClick(window->lst_lang, 1);
    EXPECT_EQ(table().at(1), "1|Save %1|Opslaan %1|");
    EXPECT_EQ(panel(4), "3 of 5 reference rows translated, 6 problems");

    click(window->lst_forms, 2);
    window->findChild<QAction*>("mnu_check_moves-at-save")->setChecked(false);
    EXPECT_EQ(table(), QStringList({"0|About||missing", "1||Over|extra"}));
    QStringList lengths; // the limit the checks use is the one ticked
    for (QAction* a : window->findChild<QMenu*>("mnu_length")->actions())
        lengths << a->text() + (a->isChecked() ? " *" : "");
    EXPECT_EQ(lengths.join('|'), "1.5 times the reference and 10 characters|2 times the reference "
                                 "and 10 characters *|3 times the reference and 10 characters");
    toolkit.answers = {MsgResult::Yes}; // a new row: fill row 0 first, so "Over" stays at 1
    answerRowDialog("Nieuw");
    window->mnu_text_new->trigger();
    EXPECT_EQ(table(), QStringList({"0|About|About|same", "1||Over|extra", "2||Nieuw|extra"}));

    window->mnu_reference_close->trigger();
    EXPECT_FALSE(window->referenceDock()->isVisible());
    EXPECT_EQ(panel(4), "");
    EXPECT_FALSE(window->mnu_problem_next->isEnabled() || window->mnu_reference_close->isEnabled());
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
    // Tabs show as marks in the editor while its text holds one.
    const auto marked = [this] {
        return bool(window->referenceDock()->openEditor()->document()->defaultTextOption().flags() &
                    QTextOption::ShowTabsAndSpaces);
    };
    EXPECT_FALSE(marked());
    window->mnu_copy_shortcut->trigger();
    EXPECT_EQ(window->referenceDock()->openEditor()->toPlainText(), "&Openen...\tCtrl+O");
    EXPECT_TRUE(marked());
}

TEST_F(Reference, NextAndPreviousProblemShowTheRowInTheListAndTheTable)
{
    ASSERT_TRUE(window->openReference(reference));
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        window->mnu_problem_next->trigger();
        visited << place() + " table " + QString::number(tableRow());
    }
    EXPECT_EQ(visited, QStringList({"Form: 1 Row: 0 table 0", "Form: 1 Row: 1 table 1",
                                    "Form: 1 Row: table 3", "Form: 2 Row: 0 table 0"}))
        << "a missing row has no item in the list: none is selected, the table shows it";
    EXPECT_EQ(window->lst_lang->currentItem()->text(), "Extra");
    window->mnu_problem_previous->trigger();
    EXPECT_EQ(place() + " table " + QString::number(tableRow()), "Form: 1 Row: table 3");
}

TEST_F(Reference, FindInAllFormsListsEveryPlaceAndShowsTheOneChosen)
{
    ASSERT_TRUE(window->openReference(reference));
    FindAllDialog* find = window->showFindAll();
    QTreeWidget* found = find->lst_found;
    find->txt_find->setText("OPEN");
    QTest::keyClick(find->txt_find, Qt::Key_Return); // Find is the default button
    ASSERT_EQ(found->topLevelItemCount(), 2);
    EXPECT_EQ(found->topLevelItem(1)->text(0) + ": " + found->topLevelItem(1)->text(1),
              "Reference: Form 1, row 0: &Open...");
    find->chk_case->setChecked(true);
    find->find();
    EXPECT_EQ(found->topLevelItemCount(), 0);

    find->txt_find->setText("Quit"); // a reference row this file has no text for
    find->find();
    emit found->itemActivated(found->topLevelItem(0), 0);
    EXPECT_EQ(place() + " table " + QString::number(tableRow()), "Form: 1 Row: table 3");
    find->txt_find->setText("Over");
    find->find();
    emit found->itemActivated(found->topLevelItem(0), 0);
    EXPECT_EQ(place(), "Form: 3 Row: 0");
    EXPECT_EQ(window->lst_lang->currentItem()->text(), "Over");

    // The results follow the document, as the table does.
    toolkit.answers = {MsgResult::Yes};
    window->mnu_text_insert->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(found->topLevelItem(0)->text(0), "Form 3, row 1");
    toolkit.answers = {MsgResult::Yes};
    window->mnu_new->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(found->topLevelItemCount(), 0);
}

TEST_F(Reference, EachDocumentReopensItsReferenceOrSaysWhyNot)
{
    toolkit.openAnswers = {reference};
    window->mnu_reference_open->trigger();
    start(testValues());
    open(path("nl.lsf"));
    EXPECT_EQ(window->reference().reference(), nullptr)
        << "not before the window has shown the file";
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->reference().reference() != nullptr; }));

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

// Spelling in Dutch: chosen for the document and remembered for it, misspelt words underlined in
// the table's editor, whose menu offers the dictionary's words.
TEST_F(Reference, ASpellingLanguageUnderlinesTheEditorAndIsRememberedForTheDocument)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    choose("mnu_language", "mnu_language_nl_NL");
    window->referenceDock()->editRow({1, 2}, "Sluiten bestnad");
    QPlainTextEdit* editor = window->referenceDock()->openEditor();
    ASSERT_NE(editor, nullptr);
    const QList<QTextLayout::FormatRange> marks =
        editor->document()->firstBlock().layout()->formats();
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(QList<int>({marks[0].start, marks[0].length, marks[0].format.underlineStyle()}),
              QList<int>({8, 7, QTextCharFormat::SpellCheckUnderline}));
    QTimer::singleShot(0, [] { // on a word the dictionary knows: the editor's own commands
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->findChild<QAction*>("mnu_add_word"), nullptr);
        menu->close();
    });
    emit editor->customContextMenuRequested(
        editor->cursorRect(editor->document()->find("Sluiten")).center());
    window->referenceDock()->editRow({1, 2}, "Sluiten bestnad"); // again, from the start
    editor = window->referenceDock()->openEditor();
    QTimer::singleShot(0, [] { // the editor's menu: the dictionary's first suggestion
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QStringList spelling; // the editor's own commands follow, after a line
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                break;
            spelling << a->text();
        }
        EXPECT_EQ(spelling.value(spelling.size() - 1), "Add \"bestnad\" to the dictionary");
        menu->actions().first()->trigger();
        menu->close();
    });
    emit editor->customContextMenuRequested(
        editor->cursorRect(editor->document()->find("bestnad")).center());
    EXPECT_EQ(editor->toPlainText(), "Sluiten bestand");
    window->referenceDock()->finishEditing(false);
    EXPECT_EQ(table().at(2), "2|Close|Sluiten bestand|") << "no spelling problem left";
    window->referenceDock()->editRow({1, 2}, "Sluiten XQZW");
    window->referenceDock()->finishEditing(false);
    EXPECT_EQ(table().at(2), "2|Close|Sluiten XQZW|") << "a code in capitals is spelt right";
    window->findChild<QAction*>("mnu_spelling_capitals")->trigger();
    EXPECT_EQ(table().at(2), "2|Close|Sluiten XQZW|spelling") << "unless asked for";
    window->findChild<QAction*>("mnu_spelling_capitals")->trigger();
    // On another row the marks follow its reference: a name kept from it is no misspelling.
    window->referenceDock()->editRow({1, 3}, "Quit");
    editor = window->referenceDock()->openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->document()->firstBlock().layout()->formats().isEmpty());
    QTest::keyClick(editor, Qt::Key_Escape);
    toolkit.onDialog<QL_Edit>([](QL_Edit& d) {
        ASSERT_TRUE(d.txt_reference);
        EXPECT_EQ(d.txt_reference->text(), "Save %1") << "the row dialog shows its reference";
        d.reject();
    });
    doubleClick(window->lst_lang, 1);

    toolkit.answers = {MsgResult::Yes, MsgResult::Yes};
    open(write("other.lsf", read(path("nl.lsf"))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->spelling().language().isEmpty(); }));
    open(path("nl.lsf"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->spelling().language() == "nl_NL"; }));
}

// The next row's marks, found while the row before is typed, are those of the dictionary as it
// is when that row opens: a word added meanwhile is no longer marked.
TEST_F(Reference, TheNextRowOpensMarkedByTheDictionaryAsItIsThen)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    choose("mnu_language", "mnu_language_nl_NL");
    window->referenceDock()->editRow({1, 1}, "Opslaan bestnad"); // its placeholder lost
    window->referenceDock()->finishEditing(false);
    window->referenceDock()->editRow({1, 0}, "&Openen...");
    QCoreApplication::processEvents(); // the row after it looked at while this one is typed
    window->spelling().addWord("bestnad");
    window->mnu_store_next->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->referenceDock()->openEditor(); }));
    ASSERT_EQ(tableRow(), 1);
    QTextDocument* next = window->referenceDock()->openEditor()->document();
    EXPECT_TRUE(next->firstBlock().layout()->formats().isEmpty());
}

// As the current row (whose text wraps) and its problems change, the table shows what it paints.
TEST_F(Reference, TheCurrentRowMovesWithoutTheTableShowingAnythingStale)
{
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    window->referenceDock()->setFixedWidth(160);             // a problem in words takes two lines
    window->referenceDock()->table()->setColumnWidth(1, 30); // all in view, the current
    window->referenceDock()->table()->setColumnWidth(2, 30); // row's texts wrapped
    QWidget& view = *window->referenceDock()->table()->viewport();
    const auto shownAsPainted = [&] {
        QCoreApplication::processEvents();
        const QRect r(view.mapTo(window.get(), QPoint()), view.size());
        const QPixmap shown =
            window->screen()->grabWindow(window->winId(), r.x(), r.y(), r.width(), r.height());
        return shown.toImage() == view.grab().toImage();
    };
    for (int row : {1, 0, 2, 1, 2}) { // a problem at row 0, none at 2; the rows below move
        window->referenceDock()->showRow({1, row});
        EXPECT_TRUE(shownAsPainted()) << row;
    }
    const QTableView& table = *window->referenceDock()->table();
    EXPECT_EQ(table.rowHeight(0), table.verticalHeader()->defaultSectionSize()) << "row 0 left";
}

TEST_F(Reference, TheRowTheEditorLeftShowsItsTextAgain) // which under the editor was not painted
{
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    for (int row : {0, 1})
        window->referenceDock()->showRow({1, row}, true);
    const QTableView& view = *window->referenceDock()->table();
    const QRect left = view.visualRect(window->workbench().index(0, WorkbenchModel::TextColumn));
    const QImage cell = view.viewport()->grab(left.adjusted(2, 2, -2, -2)).toImage();
    QImage blank = cell;
    blank.fill(cell.pixel(0, 0));
    EXPECT_NE(cell, blank) << "\"Openen...\" painted";
}

// The memory: the workbench says which language it lacks; with both set, a save teaches it the
// rows, the workbench offers them for a row (Ctrl+1 takes one), and Pre-translate fills the
// empty rows it knows, as one step.
TEST_F(Reference, TheMemorySaysWhatItLacksLearnsAtSaveSuggestsAndPretranslates)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    window->memory().setMemoryPath(path("tm.sqlite"));
    TranslationMemory known;
    ASSERT_EQ(known.open(path("tm.sqlite")).error, "");
    known.add({{"en_US", "nl_NL", "Quit", "Afsluiten", "x.lsf", 1, 3, {}}});
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    choose("mnu_language", "mnu_language_nl_NL");
    const QLabel* message = window->referenceDock()->findChild<QLabel*>("lbl_message");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !message->text().isEmpty(); }));
    EXPECT_EQ(message->text(), "Set the language of the reference in Reference > Language of the "
                               "reference to get suggestions from the translation memory and the "
                               "changed check.");
    choose("mnu_reference_language", "mnu_reference_language_en_US");
    EXPECT_TRUE(QTest::qWaitFor([&] { return message->text().isEmpty(); }));
    emit window->findChild<QMenu*>("mnu_language")->aboutToShow();
    EXPECT_TRUE(window->findChild<QAction*>("mnu_language_nl_NL")->isChecked());
    window->referenceDock()->editRow({1, 1}, "Opslaan %1"); // still in the editor: saved too
    window->mnu_save_Click();
    EXPECT_EQ(table().at(1), "1|Save %1|Opslaan %1|");

    window->referenceDock()->showRow({1, 2});
    EXPECT_EQ(window->referenceDock()->suggestionLabel(1)->text(),
              "Ctrl+1: 100% Sluiten <i>(from \"Close\")</i>");
    EXPECT_FALSE(window->referenceDock()->suggestionLabel(2)->isVisibleTo(window.get()));
    window->findChild<QAction*>("mnu_suggestion_1")->trigger(); // Ctrl+1
    ASSERT_NE(window->referenceDock()->openEditor(), nullptr);
    EXPECT_EQ(window->referenceDock()->openEditor()->toPlainText(), "Sluiten");
    window->referenceDock()->finishEditing(false);
    EXPECT_EQ(window->referenceDock()->stateOfStored({1, 2}, "Sluiten"), RowState::Translated)
        << "the memory's translation of the same text needs no review";
    const auto state = [&](int line) {
        QCoreApplication::processEvents();
        return window->workbench().index(line, WorkbenchModel::StateColumn).data(Qt::ToolTipRole);
    };
    // Typed, a row has the next one's suggestions looked up; Ctrl+Enter shows them there.
    window->referenceDock()->showRow({1, 2}, true);
    QTest::keyClicks(window->referenceDock()->openEditor(), "Dicht");
    QCoreApplication::processEvents();
    window->referenceDock()->finishEditing(true);
    EXPECT_EQ(window->referenceDock()->suggestionLabel(1)->text(),
              "Ctrl+1: 100% Afsluiten <i>(from \"Quit\")</i>");

    window->findChild<QAction*>("mnu_pretranslate")->trigger();
    EXPECT_EQ(table().at(3), "3|Quit|Afsluiten|");
    EXPECT_EQ(state(3), "Needs review");
    EXPECT_EQ(window->mnu_undo->text(), "Undo Pre-translate");
}

// The glossary beside the memory: the current row's terms are listed under the table, Alt+1
// types one where the editor's cursor is, a row without it is a problem in the table, and a term
// added from the row shows at once.
TEST_F(Reference, TheGlossaryListsTheRowsTermsTypesThemChecksThemAndTakesNewOnes)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    window->memory().setMemoryPath(path("tm.sqlite"));
    TranslationMemory known;
    ASSERT_EQ(known.open(path("tm.sqlite")).error, "");
    ASSERT_EQ(known.addTerms("en", "nl", {{"close", "sluiten"}, {"quit", "afsluiten"}}), "");
    ASSERT_TRUE(window->openReference(reference));
    click(window->lst_forms, 0);
    choose("mnu_language", "mnu_language_nl_NL");
    choose("mnu_reference_language", "mnu_reference_language_en_US");
    ReferenceDock* dock = window->referenceDock();
    dock->showRow({1, 3});
    EXPECT_EQ(dock->termLabel()->text(), "Glossary: Alt+1: <b>quit</b> is afsluiten");
    EXPECT_EQ(table().at(3), "3|Quit||missing") << "no glossary problem in an empty row";
    dock->showRow({1, 3}, true);
    QTest::keyClicks(dock->openEditor(), "Programma ");
    window->findChild<QAction*>("mnu_term_1")->trigger(); // Alt+1
    EXPECT_EQ(dock->openEditor()->toPlainText(), "Programma afsluiten");
    dock->finishEditing(false);
    window->referenceDock()->editRow({1, 2}, "Dicht");
    dock->finishEditing(false);
    EXPECT_EQ(table().at(2), "2|Close|Dicht|glossary");

    toolkit.onDialog<TermDialog>([](TermDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>("txt_term_source")->text(), "Open")
            << "the reference without its key and dots";
        d.findChild<QLineEdit*>("txt_term_target")->setText("openen");
        d.accept();
    });
    dock->showRow({1, 0});
    window->findChild<QAction*>("mnu_term_add")->trigger(); // Ctrl+Shift+G
    EXPECT_EQ(dock->termLabel()->text(), "Glossary: Alt+1: <b>Open</b> is openen");
    EXPECT_EQ(known.terms("en", "nl").size(), 3) << "kept in the memory";
    EXPECT_EQ(window->findChild<QAction*>("mnu_term_1")->text(), "Insert term &1: openen");

    // A term the glossary has is changed only when the person says so.
    toolkit.onDialog<TermDialog>([](TermDialog& d) {
        d.findChild<QLineEdit*>("txt_term_target")->setText("open");
        d.accept();
    });
    toolkit.answers = {MsgResult::No};
    window->findChild<QAction*>("mnu_term_add")->trigger();
    EXPECT_EQ(toolkit.takeBoxes(int(MsgStyle::Question)),
              QStringList{"\"Open\" is \"openen\" in the glossary. Make it \"open\"?"});
    EXPECT_EQ(known.terms("en", "nl").at(1).target, "openen");
}

// The table as a workbench: a row typed in place is stored at its own row after the fill
// question, and the next one to do follows with its text selected.
// A suggestion drawn as the rich text label would show it: its words, bold and italic parts.
TEST(WrappedLabel, ASuggestionShowsItsTextWithItsBoldAndItalicParts)
{
    const struct {
        const char* name;
        QString markup, shown, styled; // styled: "start+length" and b or i, of each part
    } cases[] = {
        {"bold words among plain ones", "80% Open <b>a</b> <b>file</b>", "80% Open a file",
         "9+1b 11+4b"},
        {"an escaped character is one", "<i>(from &quot;&lt;b&gt; &amp;&#39;&quot;)</i>",
         "(from \"<b> &'\")", "0+15i"},
        {"bold inside italic", "<i>a <b>b</b></i>", "a b", "0+2i 2+1bi"},
        {"white space runs together", " a \t\n  b", "a b", ""},
    };
    for (const auto& c : cases) {
        const StyledText styled = styledText(c.markup, QFont());
        QStringList parts;
        for (const QTextLayout::FormatRange& part : styled.formats)
            parts << QString("%1+%2").arg(part.start).arg(part.length) +
                         (part.format.fontWeight() == QFont::Bold ? "b" : "") +
                         (part.format.fontItalic() ? "i" : "");
        EXPECT_EQ(styled.text, c.shown) << c.name;
        EXPECT_EQ(parts.join(' '), c.styled) << c.name;
    }
}

TEST(WrappedLabel, AskedAtTwoWidthsInTurnItAnswersEachAsQtsLabelWould)
{
    WrappedLabel label(nullptr);
    label.setTextFormat(Qt::RichText);
    QFont larger = label.font();
    larger.setPointSize(3 * larger.pointSize());
    // Another text, then the same text in another font.
    const QString longer = QString("word <b>word</b> ").repeated(30);
    for (const auto& [text, font] : {std::pair(QString("two words"), label.font()),
                                     std::pair(longer, label.font()), std::pair(longer, larger)}) {
        label.setText(text);
        label.setFont(font);
        for (int width : {300, 150, 300, 200}) { // each word fits
            QLabel qt(text);
            qt.setTextFormat(Qt::RichText);
            qt.setWordWrap(true);
            qt.setFont(font);
            EXPECT_EQ(label.heightForWidth(width), qt.heightForWidth(width)) << width;
        }
    }
    // A text laid out ahead, at those widths, answers and shows as a new label would once set.
    const QString next = QString("<b>bold</b> and plain ").repeated(20);
    label.setTextFormat(Qt::RichText);
    label.resize(150, 100);
    label.heightForWidth(300);
    label.layOutAhead(next);
    label.setText(next);
    WrappedLabel fresh(nullptr);
    fresh.setTextFormat(Qt::RichText);
    fresh.setFont(label.font());
    fresh.setText(next);
    fresh.resize(label.size());
    for (int width : {300, 150})
        EXPECT_EQ(label.heightForWidth(width), fresh.heightForWidth(width)) << width;
    EXPECT_EQ(label.grab().toImage(), fresh.grab().toImage());
}

TEST_F(Reference, ARowTypedInTheTableIsStoredAtItsRowAndTheNextOneToDoFollows)
{
    window->mnu_new->trigger(); // a file loads over what the tables hold
    open(write("one.lsf", lsfFile(1, {packed({"V"}), packed({"Een"})})));
    ASSERT_TRUE(window->openReference(
        write("three.lsf", lsfFile(1, {packed({"F"}), packed({"One", "Two", "Three"})}))));
    click(window->lst_forms, 0);
    window->referenceDock()->showRow({1, 2}, true);
    ASSERT_NE(window->referenceDock()->openEditor(), nullptr);
    window->referenceDock()->openEditor()->setPlainText("Drie");
    toolkit.answers = {MsgResult::Yes}; // fill row 1 with the reference's text
    window->mnu_store_next->trigger();
    QCoreApplication::processEvents(); // the next editor opens once this one has closed
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(rows(), QStringList({"Een", "Two", "Drie"}));
    EXPECT_EQ(tableRow(), 1) << "on to the row to do";
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
    ASSERT_EQ(window->referenceDock()->openEditor(), nullptr);
    window->mnu_store_next->trigger(); // no editor open: on to the row to do, in its editor
    EXPECT_NE(window->referenceDock()->openEditor(), nullptr);

    // Stored in place, the row says its problems anew once the store is done.
    window->referenceDock()->filterBox()->setCurrentIndex(0);
    window->referenceDock()->editRow({1, 1}, "Twee");
    const QLabel* problems = window->referenceDock()->problemLabel();
    EXPECT_EQ(problems->text(), "the text is the same as the reference's");
    window->referenceDock()->finishEditing(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return problems->text().isEmpty(); }));

    // A refused text is said, and given back in the editor on its row.
    toolkit.boxes.clear();
    window->referenceDock()->editRow({1, 1}, "T");
    window->referenceDock()->finishEditing(true);
    expectOnlyBox("A row keeps a text of two characters or more.", 48);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->referenceDock()->openEditor(); }));
    EXPECT_EQ(window->referenceDock()->openEditor()->toPlainText(), "T");
}
