#include "InterfaceLanguage.h"
#include "QL_Core.h"
#include "QtToolkit.h"

#ifdef Q_OS_WIN
#include "WindowsShell.h"
#else
#include "FreedesktopShell.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <cstdio>

#ifndef Q_OS_WIN
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int endSignalPair[2] = {-1, -1};

void onEndSignal(int)
{
    const char signalled = 1;
    [[maybe_unused]] const ssize_t written = ::write(endSignalPair[1], &signalled, 1);
}

// SIGTERM and SIGHUP end the program as the end of the session does: the window closes without
// asking and keeps its recovery copy. The handler only wakes the event loop, which does the work.
void endOnSignals(QL_Core& window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, endSignalPair) != 0)
        return;
    auto* notifier = new QSocketNotifier(endSignalPair[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char signalled = 0;
        [[maybe_unused]] const ssize_t read = ::read(endSignalPair[0], &signalled, 1);
        window.endWithoutAsking();
        QApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexicant"));
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(LEXICANT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.vantrel.Lexicant"));

    // The interface's language comes first: the options' own help is in it.
    QString asked;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--language") && i + 1 < arguments.size())
            asked = arguments.at(i + 1);
        else if (arguments.at(i).startsWith(QLatin1String("--language=")))
            asked = arguments.at(i).mid(11);
    }
    const InterfaceLanguage language = chooseInterfaceLanguage(asked, QLocale().uiLanguages());
    const QString missing = installInterfaceLanguage(language.language);
    for (const QString& problem : {language.problem, missing}) {
        if (!problem.isEmpty())
            std::fprintf(stderr, "lexicant: %s\n", qPrintable(problem));
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Editor for .lsf language files"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QCoreApplication::translate(
            "main", "Save a picture of the window to <png> once it is shown, then quit."),
        QStringLiteral("png"));
    const QCommandLineOption form(
        QStringLiteral("form"),
        QCoreApplication::translate("main", "Select form <number> after start-up."),
        QStringLiteral("number"));
    const QCommandLineOption reference(
        QStringLiteral("reference"),
        QCoreApplication::translate("main",
                                    "Open <file> as the reference, the language translated from."),
        QStringLiteral("file"));
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QCoreApplication::translate(
            "main", "Speak <language>, en or nl, whatever the desktop's language is."),
        QStringLiteral("language"));
    parser.addOption(reference);
    parser.addOption(screenshot);
    parser.addOption(form);
    parser.addOption(languageOption);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QCoreApplication::translate("main", "A language file to open."),
                                 QStringLiteral("[file.lsf]"));
    parser.process(app);

    QtToolkit toolkit;
#ifdef Q_OS_WIN
    WindowsShell shell;
#else
    FreedesktopShell shell(toolkit);
#endif
    QL_Core window(toolkit, shell);
    toolkit.setParentWidget(&window);
    window.startUp();
    window.show();
    const QString file = parser.positionalArguments().value(0);
#ifndef Q_OS_WIN
    endOnSignals(window);
#endif

    // The file asked for, and the form; a picture is taken without asking anything, so no
    // recovery copy is offered for it.
    const bool picture = parser.isSet(screenshot);
    const auto showFile = [&window, file, picture, selected = parser.value(form).toInt(),
                           referenceFile = parser.value(reference)] {
        if (!picture)
            window.startWith(file);
        else if (!file.isEmpty())
            window.openPath(file);
        window.selectForm(selected); // 0, no form asked for, selects none
        if (!referenceFile.isEmpty())
            window.openReference(referenceFile);
    };
    if (picture) {
        showFile();
        const QString target = parser.value(screenshot);
        QTimer::singleShot(500, &window, [&window, target] {
            const bool saved = window.grab().save(target);
            std::printf("%s\n", qPrintable(saved ? QFileInfo(target).absoluteFilePath()
                                                 : QStringLiteral("could not save ") + target));
            QApplication::exit(saved ? 0 : 1);
        });
    } else {
        // Once the window is on screen: a recovery copy left by a window that ended unsaved,
        // then the file asked for.
        QTimer::singleShot(0, &window, showFile);
    }
    return app.exec();
}
