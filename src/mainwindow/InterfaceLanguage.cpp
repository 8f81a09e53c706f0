#include "InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

InterfaceLanguage chooseInterfaceLanguage(const QString& asked, const QStringList& uiLanguages)
{
    if (asked == QLatin1String("en") || asked == QLatin1String("nl"))
        return {asked, {}};
    if (!asked.isEmpty())
        return {QStringLiteral("en"),
                QStringLiteral("--language %1: the interface speaks en or nl").arg(asked)};
    // "nl", "nl-BE", "nl_NL.UTF-8": the first language the program speaks wins.
    for (const QString& wanted : uiLanguages) {
        const QString code = wanted.left(2).toLower();
        if ((code == QLatin1String("nl") || code == QLatin1String("en")) &&
            (wanted.size() == 2 || !wanted.at(2).isLetter()))
            return {code, {}};
    }
    return {QStringLiteral("en"), {}};
}

QString installInterfaceLanguage(const QString& language)
{
    if (language != QLatin1String("nl"))
        return {};
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/i18n/lexicant_nl.qm")))
        return QStringLiteral("the Dutch translation is missing from this build");
    QCoreApplication::installTranslator(own);
    // Qt's own texts (the buttons of message boxes and file dialogs), where Debian's
    // qt6-translations-l10n put them; without them those few texts stay English.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    return {};
}
