#pragma once

#include "FakeShell.h"
#include "LanguageDocument.h"
#include "LanguageFormat.h"
#include "LsfBytes.h"
#include "QL_Core.h"
#include "QL_Edit.h"
#include "QL_Form.h"
#include "QL_Replace.h"
#include "RecoveryController.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A started main window on the offscreen platform, driven through real clicks and keys, with
// every message box and file dialog answered by a scripted toolkit.
class WindowTest : public ::testing::Test, public TempFiles {
protected:
    ScriptedToolkit toolkit;
    FakeShell shell;
    std::unique_ptr<QL_Core> window;

    // The program's folder, where the code export writes, is the test's scratch folder.
    ProgramValues testValues(const char* extraMenu = "0") const
    {
        ProgramValues values = ProgramValues::standard();
        values.ProgramFolder = folder() + u'/';
        values.ExtraMenuSwitch = extraMenu;
        return values;
    }

    void SetUp() override
    {
        // Settings such as the recent files live in the test's scratch folder.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder());
        start(testValues());
    }

    void start(const ProgramValues& values)
    {
        window = std::make_unique<QL_Core>(toolkit, shell, values);
        window->recovery().setFolder(path("recovery"));
        window->startUp();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    const LanguageDocument& doc() { return window->document(); }

    // What a save would write now.
    QByteArray written() { return lsf::packFile(window->session().committed()).bytes; }

    static QStringList items(const QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    QStringList rows() const { return items(window->lst_lang); }

    void click(QListWidget* list, int index, Qt::MouseButton button = Qt::LeftButton)
    {
        list->scrollToItem(list->item(index));
        QTest::mouseClick(list->viewport(), button, {},
                          list->visualItemRect(list->item(index)).center());
    }

    void doubleClick(QListWidget* list, int index)
    {
        click(list, index);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(index)).center());
    }

    // Open file through the menu, the dialog answering with the path.
    void open(const QString& path)
    {
        toolkit.openAnswers.push_back(path);
        window->mnu_open->trigger();
    }

    // Marks the document changed as a person does, by a key in the Revision box.
    void touch() { QTest::keyClick(window->txt_rev, Qt::Key_Left); }

    QString panel(int index) const { return window->statusPanel(index)->text(); }

    void expectOnlyBox(const QString& text, int style, const QString& title = "Lexicant")
    {
        EXPECT_EQ(toolkit.takeBoxes(style, title), QStringList(text));
    }

    // Enabled states of: Save, button 4, New text, button 6, Edit, Insert, Delete, buttons 7, 8
    // and 9 (Search and replace is hidden from the menu, and a hidden item is never enabled).
    QString commandState() const
    {
        QString state;
        for (QAction* a : {window->mnu_save, window->toolbarButton(4), window->mnu_text_new,
                           window->toolbarButton(6), window->mnu_text_edit, window->mnu_text_insert,
                           window->mnu_text_delete, window->toolbarButton(7),
                           window->toolbarButton(8), window->toolbarButton(9)})
            state += a->isEnabled() ? u'1' : u'0';
        return state;
    }

    static constexpr auto StartState = "0010000000";

    // What a person sees, a line each: the first four form names; the rows; the file name and
    // the settings boxes; the highlighted form and row, status panels 2 and 3, the command state.
    QString seen() const
    {
        QStringList settings;
        for (QLineEdit* box : {window->txt_filetitle, window->txt_app, window->txt_versie,
                               window->txt_naam, window->txt_rev, window->txt_date})
            settings << box->text();
        return QStringList({items(window->lst_forms).mid(0, 4).join('|'), rows().join('|'),
                            settings.join('|'),
                            QString("highlight %1 %2, %3, %4, commands %5")
                                .arg(window->lst_forms->currentRow())
                                .arg(window->lst_lang->currentRow())
                                .arg(panel(2), panel(3), commandState())})
            .join('\n');
    }

    // The next row dialog gets the text and its Save button is clicked.
    void answerRowDialog(const QString& text)
    {
        toolkit.onDialog<QL_Edit>([text](QL_Edit& d) {
            d.txt_newtxt->setText(text);
            QTest::mouseClick(d.cmd_save, Qt::LeftButton);
        });
    }
};
