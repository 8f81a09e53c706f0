// What makes the window a good desktop citizen beyond its documented behaviour: recent files,
// names for screen readers, keyboard order.
#include "RecentFiles.h"
#include "ToolbarPictures.h"
#include "WindowTest.h"

#include <QCryptographicHash>
#include <QMenu>

using RecentFileMenu = WindowTest;

TEST_F(RecentFileMenu, OpenedAndSavedFilesAreListedNewestFirstAndOneGoneIsForgotten)
{
    for (const char* name : {"f1.lsf", "f2.lsf"})
        open(write(name, lsfFile(1, {})));
    touch();
    toolkit.saveAnswers.push_back(path("saved.lsf"));
    window->mnu_saveas->trigger();
    toolkit.boxes.clear();
    emit window->mnu_file->aboutToShow();
    QStringList shown;
    for (QAction* a : window->mnu_file->actions())
        shown << (a->isSeparator() ? (a->isVisible() ? "-" : "") : a->text());
    shown.removeAll("");
    EXPECT_EQ(shown, QStringList({"New file", "Open file", "-", "Save file", "Save file as ...",
                                  "-", "&1 saved.lsf", "&2 f2.lsf", "&3 f1.lsf", "-", "Exit"}));

    QFile::remove(path("f2.lsf"));
    window->findChild<QAction*>("mnu_recent_2")->trigger();
    expectOnlyBox("The file " + path("f2.lsf") +
                      " cannot be found or opened.\r\nIt is removed from the list of recent files.",
                  48);
    EXPECT_EQ(window->txt_filetitle->text(), "saved.lsf");
    emit window->mnu_file->aboutToShow();
    window->findChild<QAction*>("mnu_recent_2")->trigger();
    EXPECT_EQ(window->txt_filetitle->text(), "f1.lsf");
}

using Accessibility = WindowTest;

TEST_F(Accessibility, ControlsHaveSpokenNamesInTabOrder)
{
    QStringList order;
    QWidget* w = window->txt_filetitle;
    while (order.size() < 8) {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->accessibleName();
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(order, QStringList({"File name", "Application", "Version", "Author", "Revision",
                                  "Date", "Form names", "Text in this form"}));

    click(window->lst_forms, 0);
    toolkit.onModal = [](QDialog& dialog) {
        dialog.show();
        EXPECT_EQ(dialog.focusWidget(), static_cast<QL_Edit&>(dialog).txt_newtxt.data());
        return 0;
    };
    window->mnu_text_new_Click();
}

// As drawn when the pictures were made and looked at: a change shows as another hash, and two
// pictures alike as one hash twice.
TEST(ToolbarPictures, EachIsDrawnAsDesignedAndNoTwoAreAlike)
{
    const char* const looked[] = {"9952696c325d", "c77c7e746dac", "a09e687dbd03", "50c7d90fb7f4",
                                  "4866163566b4", "e92cc2ba41c9", "e4b360a9db19"};
    for (int p = 0; p <= int(ToolbarPicture::Replace); ++p) {
        const QImage image =
            toolbarPicture(ToolbarPicture(p), 12, 4).pixmap(QSize(12, 12), 4).toImage();
        ASSERT_EQ(image.size(), QSize(48, 48)) << p;
        EXPECT_EQ(QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                           QCryptographicHash::Md5)
                      .toHex()
                      .left(12),
                  looked[p])
            << "picture " << p;
    }
}
