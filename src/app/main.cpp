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
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexicant"));
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(LEXICANT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.vantrel.Lexicant"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor for .lsf language files"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to <png> once it is shown, then quit."),
        QStringLiteral("png"));
    const QCommandLineOption form(QStringLiteral("form"),
                                  QStringLiteral("Select form <number> after start-up."),
                                  QStringLiteral("number"));
    parser.addOption(screenshot);
    parser.addOption(form);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A language file to open."),
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
    if (!parser.positionalArguments().isEmpty())
        window.openPath(parser.positionalArguments().constFirst());
    if (parser.isSet(form))
        window.selectForm(parser.value(form).toInt());

    if (parser.isSet(screenshot)) {
        const QString target = parser.value(screenshot);
        QTimer::singleShot(500, &window, [&window, target] {
            const bool saved = window.grab().save(target);
            std::printf("%s\n", qPrintable(saved ? QFileInfo(target).absoluteFilePath()
                                                 : QStringLiteral("could not save ") + target));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
