// The window's recovery copy: kept while changes are unsaved, gone when they are saved or given
// up, left when the session ends, and offered to the next window.
#include "WindowTest.h"

#include <QDir>

class RecoveryCopies : public WindowTest {
protected:
    QString file;

    void SetUp() override
    {
        WindowTest::SetUp();
        file = write("app.lsf", lsfFile(1, {packed({"Main", "Second"}), packed({"Row A", "Row B"}),
                                            packed({"Other"})}));
        open(file);
        click(window->lst_forms, 0);
    }

    QStringList copies() const
    {
        return QDir(path("recovery")).entryList({"*.json", "*.damaged"}, QDir::Files);
    }

    // Deletes a row without committing it, as a person does, and types in the Author box.
    void edit()
    {
        toolkit.answers = {MsgResult::Yes};
        window->mnu_text_delete->trigger();
        QTest::keyClicks(window->txt_naam, "Zed");
        toolkit.boxes.clear();
    }

    // The window ends with the session; a new one starts in the same place.
    void endAndStartAgain()
    {
        window->endWithoutAsking();
        start(testValues());
    }
};

TEST_F(RecoveryCopies, ACopyMadeSoonAfterAChangeIsRestoredByTheNextWindow)
{
    edit();
    EXPECT_TRUE(copies().isEmpty()) << "not on every key";
    ASSERT_TRUE(QTest::qWaitFor([&] { return copies().size() == 1; }, 5000));
    EXPECT_EQ(doc().formText(1).at(0), "Row A") << "the live tables keep their commit timing";
    const QByteArray wouldSave = written();
    endAndStartAgain();
    toolkit.answers = {MsgResult::Yes};
    window->startWith(QString());
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_TRUE(toolkit.boxes[0].text.startsWith("Lexicant ended on "));
    EXPECT_TRUE(toolkit.boxes[0].text.endsWith(" without saving the changes to " + file +
                                               ".\r\nA recovery copy of them was kept. Do you "
                                               "want to restore it?"));
    EXPECT_EQ(toolkit.boxes[0].style, 36);
    toolkit.boxes.clear();
    EXPECT_EQ(seen(), "Main|Second|- EMPTY FORM -|- EMPTY FORM -\nRow B\napp.lsf|||Zed||\n"
                      "highlight 0 -1, Form: 1, Row:, commands 1111111111");
    window->mnu_save->trigger();
    EXPECT_EQ(read(file), wouldSave);

    // Started on another file while a copy is restored: that file opens in a window of its own.
    edit();
    endAndStartAgain();
    toolkit.answers = {MsgResult::Yes};
    window->startWith(path("other.lsf"));
    EXPECT_EQ(window->txt_filetitle->text(), "app.lsf");
    EXPECT_EQ(toolkit.newWindows, QStringList({path("other.lsf")}));
    endAndStartAgain();
    toolkit.answers = {MsgResult::Yes};
    window->startWith(file); // the copy of this very file: restored here, nothing more
    EXPECT_EQ(window->txt_naam->text(), "ZedZed");
    EXPECT_EQ(toolkit.newWindows.size(), 1);
}

TEST_F(RecoveryCopies, NoDeletesTheCopyAndADamagedOneIsSetAside)
{
    edit();
    endAndStartAgain();
    toolkit.answers = {MsgResult::No};
    window->startWith(QString());
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_EQ(window->txt_filetitle->text(), "");

    const QString damaged = write("recovery/window-0.json", "{\"format\":");
    toolkit.boxes.clear();
    start(testValues());
    window->startWith(QString());
    expectOnlyBox(
        "The recovery copy " + damaged +
            " cannot be read: not valid JSON: unterminated object.\r\nIt has been moved to " +
            damaged + ".damaged.",
        48);
    EXPECT_EQ(copies(), QStringList({"window-0.json.damaged"}));
    EXPECT_EQ(commandState(), StartState);
    window->startWith(QString());
    EXPECT_TRUE(toolkit.boxes.empty()) << "offered once";
}

TEST_F(RecoveryCopies, AChangeSavedUndoneOrGivenUpRemovesTheCopy)
{
    const std::function<void()> endings[] = {
        [&] { window->mnu_save->trigger(); },
        [&] {
            window->mnu_undo->trigger();
            window->mnu_undo->trigger();
        },
        [&] { window->mnu_new->trigger(); },
        [&] { open(file); },
        [&] { window->close(); },
    };
    for (const auto& ending : endings) {
        start(testValues());
        open(file);
        click(window->lst_forms, 0);
        edit();
        window->recovery().write();
        ASSERT_EQ(copies().size(), 1);
        toolkit.answers = {MsgResult::Yes};
        ending();
        EXPECT_TRUE(copies().isEmpty());
    }
}
