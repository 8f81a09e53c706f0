// The window on a real display with the real file dialog and message boxes, used with the
// keyboard as a person does: focus leaves the lists for a dialog and comes back selecting
// nothing, Ctrl+Z belongs to the box that has the keyboard, and the workbench keeps every row at
// its index. (No to a question keeping all is the offscreen tests'.)
#include "LanguageFile.h"
#include "LsfBytes.h"
#include "RealWindow.h"
#include "ReferenceDock.h"
#include "WorkbenchModel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

// Answers the next modal dialog (not the one still closing) once it has the keyboard focus.
void whenShown(std::function<void(QWidget*)> answer, QPointer<QWidget> last = nullptr)
{
    QTimer::singleShot(20, [answer, last] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != last && QApplication::activeWindow() == modal)
            answer(modal);
        else
            whenShown(answer, last);
    });
}

// Each key answers the next box, one box after the other.
void answerKeys(QList<Qt::Key> keys, QPointer<QWidget> last = nullptr)
{
    whenShown(
        [keys](QWidget* box) {
            QTest::keyClick(box, keys.first());
            if (keys.size() > 1)
                answerKeys(keys.mid(1), box);
        },
        last);
}

} // namespace

TEST(RealDialogs, TheKeyboardAloneOpensEditsAndTranslatesAndEveryRowStaysAtItsIndex)
{
    RealWindow real;
    const TempFiles& files = real.files;
    QtToolkit& toolkit = real.toolkit;
    QL_Core& window = real.window;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWindow* screen = window.windowHandle();
    const auto settle = [&] { // focus comes back to the window after a dialog closed
        QTest::qWait(100);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    };
    // The selected form and row, the status panels and the shown rows.
    const auto state = [&] {
        QStringList shown;
        for (int i = 0; i < window.lst_lang->count(); ++i)
            shown << window.lst_lang->item(i)->text();
        return QString("%1 %2|%3|%4|%5")
            .arg(window.document().SelectedForm)
            .arg(window.document().SelectedRow)
            .arg(window.statusPanel(2)->text(), window.statusPanel(3)->text(), shown.join(','));
    };
    const auto key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };

    window.openPath(files.write(
        "lists.lsf", lsfFile(1, {packed({"Main", "Second", "Third"}), packed({"One A", "One B"}),
                                 emptyEntries(201), packed({"Three A", "Three B"})})));
    window.lst_forms->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.lst_forms->hasFocus(); }));
    whenShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    window.mnu_open->trigger();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), window.lst_forms);
    EXPECT_EQ(state(), "0 0|Form:|Row:|") << "focus back from the real file dialog selects nothing";
    QTest::mouseClick(window.lst_forms->viewport(), Qt::LeftButton, {},
                      window.lst_forms->visualItemRect(window.lst_forms->item(2)).center());
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window.lst_lang);
    EXPECT_EQ(state(), "3 0|Form: 3|Row:|Three A,Three B") << "Tab into the list selects no row";
    key(Qt::Key_End);
    EXPECT_EQ(state(), "3 1|Form: 3|Row: 1|Three A,Three B");

    // Ctrl+Z in a settings box is the box's own undo, elsewhere the window's.
    window.txt_naam->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.txt_naam->hasFocus(); }));
    QTest::keyClicks(window.txt_naam, "Ann");
    ASSERT_EQ(window.mnu_undo->text(), "Undo Typing in Author");
    QTest::keyClick(screen, Qt::Key_Z, Qt::ControlModifier); // through the shortcut map
    EXPECT_EQ(window.txt_naam->text(), "");
    EXPECT_FALSE(window.mnu_redo->isEnabled()) << "the box undid its own typing";
    QTest::keyClicks(window.txt_naam, "Bo");
    window.lst_forms->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.lst_forms->hasFocus(); }));
    QTest::keyClick(screen, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mnu_redo->text(), "Redo Typing in Author") << "the window undid a step";
    EXPECT_EQ(window.txt_naam->text(), "");
    QTest::keyClick(screen, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.txt_naam->text(), "Bo");

    // The workbench: a refused text and a No come back in the editor on their row, Save asks
    // before it would move rows, F8 goes on from the row the keyboard is on, and Delete and
    // Ctrl+Z act on the table's row.
    window.openPath(files.write(
        "gap.lsf", lsfFile(1, {packed({"F"}), packed({"Een", "", "Drie", "", "Vijf"})})));
    ASSERT_TRUE(window.openReference(files.write(
        "en.lsf", lsfFile(1, {packed({"F"}), packed({"One", "Two", "Three", "Four", "Five"})}))));
    // Key by key to whatever has the keyboard: the first key on a row opens its editor.
    const auto type = [](const QString& keys) {
        for (const QChar c : keys)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
    };
    const auto editing = [&](const QString& text) {
        QPlainTextEdit* editor = window.referenceDock()->openEditor();
        return editor && QApplication::focusWidget() == editor && editor->toPlainText() == text;
    };
    // Form 1's rows as saved in the file, or as stored in the document.
    const auto stored = [&](bool saved) {
        LanguageDocument file;
        EXPECT_TRUE(!saved || LoadLanguageFile(file, window.currentPath(), toolkit));
        QStringList rows;
        for (int r = 0; r < 5; ++r)
            rows << (saved ? file : window.document()).formText(1).at(r);
        return rows.join('|');
    };
    QPalette colours = window.referenceDock()->table()->palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::darkGray);
    window.referenceDock()->table()->setPalette(colours);
    QTest::keyClick(screen, Qt::Key_F8); // to row 1, missing, with the keyboard on it
    type("T");
    answerKeys({Qt::Key_Return}); // "A row keeps a text of two characters or more."
    key(Qt::Key_Return, Qt::ControlModifier);
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editing("T"); })) << "back on its row";
    type("wee");
    answerKeys({Qt::Key_Escape}); // No to filling row 3 with "Four"
    key(Qt::Key_Return, Qt::ControlModifier);
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editing("Twee"); }));
    key(Qt::Key_Escape);
    EXPECT_EQ(window.workbench().current().row, 1) << "Esc leaves the row current";
    QTest::qWait(50); // back in the table, its selection's colour without the keyboard changes
    QWidget& view = *window.referenceDock()->table()->viewport();
    const QRect r(view.mapTo(&window, QPoint()), view.size());
    EXPECT_EQ(
        window.screen()->grabWindow(window.winId(), r.x(), r.y(), r.width(), r.height()).toImage(),
        view.grab().toImage());

    window.txt_naam->setFocus(); // a change, so that the file can be saved
    type("Ann");
    // Yes: the reference's texts fill rows 1 and 3; then "The languagefile has been saved."
    answerKeys({Qt::Key_Return, Qt::Key_Return});
    QTest::keyClick(screen, Qt::Key_S, Qt::ControlModifier);
    settle();
    EXPECT_EQ(stored(true), "Een|Two|Drie|Four|Vijf");

    QTest::keyClick(screen, Qt::Key_F8); // from row 1, the one the keyboard is on
    EXPECT_EQ(window.workbench().current().row, 3);
    type("Vier");
    key(Qt::Key_Return, Qt::ControlModifier); // stored, and round to row 1 ("Two" is the same)
    ASSERT_TRUE(QTest::qWaitFor([&] { return editing("Two"); }));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(editing("Two")) << "nothing typed on the row stored is undone into this one";
    type("Twee");
    key(Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(50);
    key(Qt::Key_Up);     // to the first row
    key(Qt::Key_Delete); // in the table: clears the row, asks nothing
    EXPECT_EQ(window.workingCopy().rows.value(0), "");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.workingCopy().rows.value(0), "Een");
    EXPECT_EQ(QApplication::focusWidget(), window.referenceDock()->table());
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Een") << "Ctrl+C copies the row's text";
    EXPECT_EQ(window.referenceDock()->table()->currentIndex().row(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Tab); // the row's note, kept as the keyboard leaves it; then the boxes above
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txt_note");
    type("Vraag");
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.referenceDock()->scopeBox());
    QCoreApplication::processEvents(); // the table shows what changed once the change is done
    EXPECT_EQ(
        window.workbench().index(1, WorkbenchModel::TextColumn).data(WorkbenchModel::NoteRole),
        "Vraag");

    // With untranslated rows shown, the last one stored leaves the table; the keyboard stays
    // in it, and Ctrl+Z brings the row back as the one to type on.
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_Delete);
    window.referenceDock()->filterBox()->setCurrentIndex(2);
    settle();
    type("Twee");
    key(Qt::Key_Return, Qt::ControlModifier);
    settle();
    const QLabel* said = window.referenceDock()->findChild<QLabel*>("lbl_message");
    EXPECT_EQ(said->text(), "Nothing left to translate.");
    EXPECT_EQ(QApplication::focusWidget(), window.referenceDock()->table());
    key(Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_NE(said->text(), "Nothing left to translate.");
    EXPECT_EQ(window.workingCopy().rows.value(1), "");
    type("Twee");
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(stored(false), "Een|Twee|Drie|Vier|Vijf");
}
