// The window on a real display with the real file dialog and message boxes: keyboard focus
// leaves the lists for a dialog and comes back, as it does for a person, and selects nothing.
#include "FakeShell.h"
#include "LanguageFile.h"
#include "LsfBytes.h"
#include "QL_Core.h"
#include "QtToolkit.h"
#include "RecoveryController.h"
#include "ReferenceDock.h"
#include "TempFiles.h"
#include "WorkbenchModel.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

class RealDialogs : public ::testing::Test, public TempFiles {
protected:
    QtToolkit toolkit;
    FakeShell shell;
    std::unique_ptr<QL_Core> window;

    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder());
        window = std::make_unique<QL_Core>(toolkit, shell);
        window->recovery().setFolder(path("recovery"));
        toolkit.setParentWidget(window.get());
        window->startUp();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // Opened through the real dialog: the path typed into its name box, then Enter.
        const QString file =
            write("lists.lsf",
                  lsfFile(1, {packed({"Main", "Second", "Third"}), packed({"One A", "One B"}),
                              emptyEntries(201), packed({"Three A", "Three B"})}));
        whenShown([file](QWidget* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(file);
            QTest::keyClick(name, Qt::Key_Return);
        });
        window->lst_forms->setFocus();
        window->mnu_open->trigger();
        settle();
    }

    // Answers the next modal dialog once it has the keyboard focus, as a person would.
    static void whenShown(std::function<void(QWidget*)> answer)
    {
        QTimer::singleShot(20, [answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && QApplication::activeWindow() == modal)
                answer(modal);
            else
                whenShown(answer);
        });
    }

    // Lets focus come back to the window after a dialog closed.
    void settle()
    {
        QTest::qWait(100);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The selected form and row, the status panels and the shown rows.
    QString state() const
    {
        QStringList shown;
        for (int i = 0; i < window->lst_lang->count(); ++i)
            shown << window->lst_lang->item(i)->text();
        return QString("%1 %2|%3|%4|%5")
            .arg(window->document().SelectedForm)
            .arg(window->document().SelectedRow)
            .arg(window->statusPanel(2)->text(), window->statusPanel(3)->text(), shown.join(','));
    }

    void clickForm(int index)
    {
        QListWidget* forms = window->lst_forms;
        QTest::mouseClick(forms->viewport(), Qt::LeftButton, {},
                          forms->visualItemRect(forms->item(index)).center());
    }
};

TEST_F(RealDialogs, FocusComingBackFromTheFileDialogOrAQuestionSelectsNoForm)
{
    ASSERT_EQ(QApplication::focusWidget(), window->lst_forms);
    EXPECT_EQ(state(), "0 0|Form:|Row:|");

    clickForm(2);
    whenShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    window->mnu_open->trigger();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), window->lst_forms);
    EXPECT_EQ(state(), "3 0|Form: 3|Row:|Three A,Three B");

    QTest::keyClick(window->txt_rev, Qt::Key_5); // an unsaved change, so New file asks
    window->lst_forms->setFocus();
    for (auto button : {QMessageBox::No, QMessageBox::Yes}) {
        whenShown([button](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        });
        window->mnu_new->trigger();
        settle();
        ASSERT_EQ(QApplication::focusWidget(), window->lst_forms);
        EXPECT_EQ(state(), button == QMessageBox::No ? "3 0|Form: 3|Row:|Three A,Three B"
                                                     : "0 0|Form: 3|Row:|");
    }
}

TEST_F(RealDialogs, TabIntoTheRowListSelectsNoRowUntilAKeyMoves)
{
    clickForm(0);
    QTest::keyClick(window->lst_forms, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window->lst_lang);
    EXPECT_EQ(state(), "1 0|Form: 1|Row:|One A,One B");
    QTest::keyClick(window->lst_lang, Qt::Key_End);
    EXPECT_EQ(state(), "1 1|Form: 1|Row: 1|One A,One B");
}

TEST_F(RealDialogs, CtrlZInASettingsBoxIsTheBoxsOwnUndoAndElsewhereTheWindows)
{
    window->txt_naam->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->txt_naam->hasFocus(); }));
    QWindow* screen = window->windowHandle();
    QTest::keyClicks(window->txt_naam, "Ann");
    ASSERT_EQ(window->mnu_undo->text(), "Undo Typing in Author");
    QTest::keyClick(screen, Qt::Key_Z, Qt::ControlModifier); // through the shortcut map
    EXPECT_EQ(window->txt_naam->text(), "");
    EXPECT_FALSE(window->mnu_redo->isEnabled()) << "the box undid its own typing";

    QTest::keyClicks(window->txt_naam, "Bo");
    window->lst_forms->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->lst_forms->hasFocus(); }));
    QTest::keyClick(screen, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->mnu_redo->text(), "Redo Typing in Author") << "the window undid a step";
    EXPECT_EQ(window->txt_naam->text(), "");
    QTest::keyClick(screen, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->txt_naam->text(), "Bo");
}

// A translator's keys in the workbench, with real message boxes: a refused text and a No come
// back in the editor on their row, Save asks before it would move rows, F8 goes on from the row
// the keyboard is on, and Delete and Ctrl+Z act on the table's row.
TEST_F(RealDialogs, TheWorkbenchIsUsedWithTheKeyboardAloneAndEveryRowStaysAtItsIndex)
{
    const QString file =
        write("gap.lsf", lsfFile(1, {packed({"F"}), packed({"Een", "", "Drie", "", "Vijf"})}));
    window->openPath(file);
    ASSERT_TRUE(window->openReference(write(
        "en.lsf", lsfFile(1, {packed({"F"}), packed({"One", "Two", "Three", "Four", "Five"})}))));
    QWindow* screen = window->windowHandle();
    // Key by key to whatever has the keyboard: the first key on a row opens its editor.
    const auto type = [](const QString& keys) {
        for (const QChar c : keys)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
    };
    const auto key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    // Each key answers the next box, one box after the other.
    const auto answer = [](QList<Qt::Key> keys) {
        struct Answers {
            static void next(QList<Qt::Key> keys, QPointer<QWidget> last)
            {
                whenShown([keys, last](QWidget* box) {
                    if (box == last) // still closing
                        return QTimer::singleShot(20, [keys, last] { next(keys, last); });
                    QTest::keyClick(box, keys.first());
                    if (keys.size() > 1)
                        next(keys.mid(1), box);
                });
            }
        };
        Answers::next(keys, nullptr);
    };
    const auto editing = [this](const QString& text) {
        QWidget* editor = window->referenceDock()->openEditor();
        return editor && QApplication::focusWidget() == editor &&
               window->referenceDock()->openEditor()->toPlainText() == text;
    };
    const auto savedRows = [&] {
        LanguageDocument saved;
        EXPECT_TRUE(LoadLanguageFile(saved, file, toolkit));
        QStringList rows;
        for (int r = 0; r < 5; ++r)
            rows << saved.formText(1).at(r);
        return rows.join('|');
    };

    QTest::keyClick(screen, Qt::Key_F8); // to row 1, missing, with the keyboard on it
    type("T");
    answer({Qt::Key_Return}); // "A row keeps a text of two characters or more."
    key(Qt::Key_Return, Qt::ControlModifier);
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editing("T"); })) << "back on its row";
    type("wee");
    answer({Qt::Key_Escape}); // No to filling row 3 with "Four"
    key(Qt::Key_Return, Qt::ControlModifier);
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editing("Twee"); }));
    key(Qt::Key_Escape);
    EXPECT_EQ(window->workbench().current().row, 1) << "Esc leaves the row current";

    window->txt_naam->setFocus(); // a change, so that the file can be saved
    type("Ann");
    // Yes: the reference's texts fill rows 1 and 3; then "The languagefile has been saved."
    answer({Qt::Key_Return, Qt::Key_Return});
    QTest::keyClick(screen, Qt::Key_S, Qt::ControlModifier);
    settle();
    EXPECT_EQ(savedRows(), "Een|Two|Drie|Four|Vijf");

    QTest::keyClick(screen, Qt::Key_F8); // from row 1, the one the keyboard is on
    EXPECT_EQ(window->workbench().current().row, 3);
    type("Vier");
    key(Qt::Key_Return, Qt::ControlModifier); // stored, and round to row 1 ("Two" is the same)
    ASSERT_TRUE(QTest::qWaitFor([&] { return editing("Two"); }));
    type("Twee");
    key(Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(50);
    key(Qt::Key_Delete); // in the table: clears the row, asks nothing
    EXPECT_EQ(window->workingCopy().rows.value(1), "");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->workingCopy().rows.value(1), "Twee");
    EXPECT_EQ(QApplication::focusWidget(), window->referenceDock()->table());
    EXPECT_EQ(window->referenceDock()->table()->currentIndex().row(), 1);
    key(Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->referenceDock()->scopeBox());

    answer({Qt::Key_Return});
    QTest::keyClick(screen, Qt::Key_S, Qt::ControlModifier);
    settle();
    EXPECT_EQ(savedRows(), "Een|Twee|Drie|Vier|Vijf");
}
