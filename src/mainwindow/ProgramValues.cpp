#include "ProgramValues.h"

#include <QCoreApplication>
#include <QDir>

#ifndef LEXICANT_VERSION_MAJOR
#define LEXICANT_VERSION_MAJOR 1
#define LEXICANT_VERSION_MINOR 4
#endif

ProgramValues ProgramValues::standard()
{
    ProgramValues values;
    values.ProgramTitle = QStringLiteral("Vantrel Lexicant");
    values.ProgramVersion =
        QStringLiteral("%1.%2").arg(LEXICANT_VERSION_MAJOR).arg(LEXICANT_VERSION_MINOR);
    values.ProgramFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/');
    values.EnglishWebsite = QStringLiteral("https://www.vantrel.com/lexicant/");
    values.DutchWebsite = QStringLiteral("https://www.vantrel.nl/lexicant/");
    // The "&Extra" menu (Save as code) is for developers of the application; it stays hidden
    // unless this is changed to "1".
    values.ExtraMenuSwitch = QStringLiteral("0");
    return values;
}
