// The Qt implementation of the toolkit with its real boxes and dialogs (offscreen), answered as
// a person would once they are shown.
#include "QtToolkit.h"

#include "QtPrint.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Hands the next modal widget to the answer once it is shown.
void whenShown(const std::function<void(QWidget*)>& answer)
{
    QTimer::singleShot(10, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
        else
            whenShown(answer);
    });
}

} // namespace

TEST(QtToolkit, MessageBoxesShowTheTextIconButtonsAndTitleOfTheirStyle)
{
    using B = QMessageBox;
    const struct {
        MsgStyle style;
        B::Icon icon;
        B::StandardButtons buttons;
        B::StandardButton press;
        MsgResult result;
    } cases[] = {
        {MsgStyle::OkOnly, B::NoIcon, B::Ok, B::Ok, MsgResult::Ok},
        {MsgStyle::Critical, B::Critical, B::Ok, B::Ok, MsgResult::Ok},
        {MsgStyle::Question, B::Question, B::Yes | B::No, B::No, MsgResult::No},
        {MsgStyle::Question, B::Question, B::Yes | B::No, B::Yes, MsgResult::Yes},
        {MsgStyle::Exclamation, B::Warning, B::Ok, B::Ok, MsgResult::Ok},
        {MsgStyle::Information, B::Information, B::Ok, B::Ok, MsgResult::Ok},
    };
    QtToolkit toolkit;
    QApplication::setOverrideCursor(Qt::WaitCursor); // a box shown while the program is busy
    for (const auto& c : cases) {
        whenShown([&c](QWidget* shown) {
            auto* box = qobject_cast<B*>(shown);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
            EXPECT_EQ(box->text(), "First line\nSecond line");
            EXPECT_EQ(box->windowTitle(), "Lexicant");
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.buttons);
            if (c.style == MsgStyle::Question) {
                EXPECT_EQ(box->defaultButton(), box->button(B::Yes));
            }
            box->button(c.press)->click();
        });
        EXPECT_EQ(toolkit.messageBox("First line\r\nSecond line", c.style), c.result)
            << int(c.style);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor) << "busy again";
    }
    QApplication::restoreOverrideCursor();
}

TEST(QtToolkit, FileDialogsShowTheTitleAndFilterAndReturnThePresetNameWhenCancelled)
{
    QtToolkit toolkit;
    const FileDialogRequest request{".lsf",
                                    "Open an existing language file:", "*.LSF format|*.lsf"};
    whenShown([](QWidget* shown) {
        auto* dialog = qobject_cast<QFileDialog*>(shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Open an existing language file:");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"*.LSF format (*.lsf)"});
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        dialog->reject();
    });
    const FileDialogResult cancelled = toolkit.showOpen(request);
    EXPECT_EQ(cancelled.fileName, ".lsf");
    EXPECT_EQ(cancelled.fileTitle, ".lsf");

    whenShown([](QWidget* shown) {
        auto* dialog = qobject_cast<QFileDialog*>(shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("/tmp/chosen.lsf"); // typed by the user
        static_cast<QDialog*>(dialog)->accept();
    });
    const FileDialogResult chosen = toolkit.showSave(request);
    EXPECT_EQ(chosen.fileName, "/tmp/chosen.lsf");
    EXPECT_EQ(chosen.fileTitle, "chosen.lsf");
}

TEST(QtToolkit, TheBusyPointerComesAndGoesOnce)
{
    QtToolkit toolkit;
    toolkit.setBusyPointer(true);
    toolkit.setBusyPointer(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    toolkit.setBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
