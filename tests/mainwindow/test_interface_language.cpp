// The interface's language: which one the desktop's list chooses, and the window and its dialogs
// in Dutch, each text within its control at the designed sizes.
#include "FindAllDialog.h"
#include "InterfaceLanguage.h"
#include "WindowTest.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QMenuBar>
#include <QProcess>
#include <QTranslator>

TEST(InterfaceLanguage, DutchOnlyWhereTheListAsksForItBeforeEnglish)
{
    // Asked on the command line | the desktop's list | chosen.
    for (const QString c : {"|nl-NL|nl", "|fr-FR nl-BE|nl", "|en-GB nl|en", "|nds-NL|en", "||en",
                            "en|nl|en", "nl|en-US|nl"}) {
        const QStringList p = c.split('|');
        EXPECT_EQ(chooseInterfaceLanguage(p[0], p[1].split(' ', Qt::SkipEmptyParts)).language, p[2])
            << c.toStdString();
    }
    EXPECT_EQ(chooseInterfaceLanguage("de", {"nl"}).problem,
              "--language de: the interface speaks en or nl");
}

TEST(InterfaceLanguage, TheProgramSpeaksTheLanguageOfTheEnvironmentOrOfItsOption)
{
    const auto help = [](const char* language, const QStringList& options,
                         const QString& asked = "--help") {
        qputenv("LANGUAGE", language);
        QProcess program;
        program.start(LEXICANT_PROGRAM, options + QStringList{asked});
        EXPECT_TRUE(program.waitForFinished(20000));
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    EXPECT_TRUE(help("nl", {}).contains("Een taalbestand om te openen."));
    EXPECT_TRUE(help("nl", {"--language", "en"}).contains("A language file to open."));
    EXPECT_TRUE(help("en", {"--language=nl"}).contains("Een taalbestand om te openen."));
    EXPECT_TRUE(help("en", {}, "--version").startsWith("Lexicant 1.")) << "the name settings use";
}

class Dutch : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(installInterfaceLanguage("nl"), "");
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // The texts of a window that do not fit their control, as "name: text".
    static QStringList clipped(QWidget* top)
    {
        QStringList found;
        for (const QWidget* w : top->findChildren<QWidget*>()) {
            const QFontMetrics metrics(w->font());
            const auto* label = qobject_cast<const QLabel*>(w);
            const auto* group = qobject_cast<const QGroupBox*>(w);
            const bool fits =
                label && label->wordWrap()
                    ? metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text())
                              .height() <= label->contentsRect().height()
                : label || qobject_cast<const QAbstractButton*>(w)
                    ? w->sizeHint().width() <= w->width()
                : group ? metrics.horizontalAdvance(group->title()) < group->width()
                        : true;
            if (!fits && w->isVisibleTo(top))
                found << w->objectName() + ": " + w->property(group ? "title" : "text").toString();
        }
        return found;
    }
};

TEST_F(Dutch, TheWindowItsBoxesAndItsDialogsSpeakDutchWithinTheirControls)
{
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus.join('|'), "&Bestand|Be&werken|E&xtra|&Referentie|&Informatie");
    open(write("d.lsf", lsfFile(1, {packed({"Hoofdvenster"}), packed({"Openen"})})));
    click(window->lst_forms, 0);
    EXPECT_EQ(QStringList({panel(2), panel(3)}), QStringList({"Formulier: 1", "Rij:"}));
    EXPECT_EQ(clipped(window.get()), QStringList());

    touch();
    toolkit.answers = {MsgResult::No};
    window->mnu_new->trigger();
    expectOnlyBox("Wijzigingen zijn nog niet opgeslagen.\r\n"
                  "Weet u zeker dat u een nieuw bestand wilt beginnen?",
                  36);
    QStringList dialogs;
    const auto look = [&](QDialog& d) {
        dialogs << d.windowTitle();
        EXPECT_EQ(clipped(&d), QStringList()) << d.windowTitle().toStdString();
    };
    toolkit.onDialog<QL_Edit>(look);
    window->mnu_text_new->trigger();
    toolkit.onDialog<QL_Form>(look);
    doubleClick(window->lst_forms, 0);
    toolkit.onDialog<QL_Replace>(look);
    window->mnu_text_replace_Click();
    EXPECT_EQ(dialogs.join('|'), "Nieuwe tekst|Formulier bewerken|Zoeken en vervangen");
    FindAllDialog findAll(window.get(), {});
    findAll.show();
    look(findAll);
}
