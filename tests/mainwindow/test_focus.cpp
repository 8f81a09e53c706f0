// The window on a real display with the real file dialog and message boxes: keyboard focus
// leaves the lists for a dialog and comes back, as it does for a person, and selects nothing.
#include "FakeShell.h"
#include "LsfBytes.h"
#include "QL_Core.h"
#include "QtToolkit.h"
#include "TempFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class RealDialogs : public ::testing::Test, public TempFiles {
protected:
    QtToolkit toolkit;
    FakeShell shell;
    std::unique_ptr<QL_Core> window;
    QString file;

    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder());
        QList<QByteArray> fields = {packed({"Main", "Second", "Third"})};
        fields << packed({"One A", "One B"}) << emptyEntries(201)
               << packed({"Three A", "Three B", "Three C"});
        file = write("lists.lsf", lsfFile(1, fields));
        window = std::make_unique<QL_Core>(toolkit, shell);
        toolkit.setParentWidget(window.get());
        window->startUp();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
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

    // Types the path into the dialog's file name box and presses Enter.
    static void chooseFile(const QString& path)
    {
        whenShown([path](QWidget* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
    }

    static void answer(QMessageBox::StandardButton button)
    {
        whenShown([button](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        });
    }

    // Lets focus come back to the window after a dialog closed.
    void settle()
    {
        QTest::qWait(100);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int i = 0; i < window->lst_lang->count(); ++i)
            texts << window->lst_lang->item(i)->text();
        return texts;
    }

    void clickForm(int index)
    {
        QListWidget* forms = window->lst_forms;
        QTest::mouseClick(forms->viewport(), Qt::LeftButton, {},
                          forms->visualItemRect(forms->item(index)).center());
    }

    QString panel(int index) const { return window->statusPanel(index)->text(); }
};

TEST_F(RealDialogs, FocusComingBackFromTheOpenDialogSelectsNoForm)
{
    window->lst_forms->setFocus();
    chooseFile(file);
    window->mnu_open->trigger();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), window->lst_forms);
    EXPECT_EQ(window->document().SelectedForm, 0.0f);
    EXPECT_EQ(panel(2), "Form:");
    EXPECT_TRUE(rows().isEmpty());

    clickForm(2);
    EXPECT_EQ(rows(), QStringList({"Three A", "Three B", "Three C"}));
    whenShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    window->mnu_open->trigger();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), window->lst_forms);
    EXPECT_EQ(window->document().SelectedForm, 3.0f);
    EXPECT_EQ(panel(2), "Form: 3");
    EXPECT_EQ(rows(), QStringList({"Three A", "Three B", "Three C"}));
}

TEST_F(RealDialogs, FocusComingBackFromAQuestionSelectsNothing)
{
    chooseFile(file);
    window->mnu_open->trigger();
    settle();
    clickForm(2);
    QTest::keyClick(window->txt_rev, Qt::Key_5); // an unsaved change, so New file asks
    window->lst_forms->setFocus();

    answer(QMessageBox::No);
    window->mnu_new->trigger();
    settle();
    EXPECT_EQ(window->document().SelectedForm, 3.0f);
    EXPECT_EQ(rows(), QStringList({"Three A", "Three B", "Three C"}));

    answer(QMessageBox::Yes);
    window->mnu_new->trigger();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), window->lst_forms);
    EXPECT_EQ(window->document().SelectedForm, 0.0f);
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(RealDialogs, TabIntoTheRowListSelectsNoRowUntilAKeyMoves)
{
    chooseFile(file);
    window->mnu_open->trigger();
    settle();
    clickForm(0);
    QTest::keyClick(window->lst_forms, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window->lst_lang);
    EXPECT_EQ(panel(3), "Row:");
    EXPECT_EQ(window->document().SelectedRow, 0.0f);

    QTest::keyClick(window->lst_lang, Qt::Key_End);
    EXPECT_EQ(panel(3), "Row: 1");
    EXPECT_EQ(window->document().SelectedRow, 1.0f);
}
