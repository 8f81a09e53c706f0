#pragma once

#include <QString>
#include <QStringList>

// The language the window speaks: Dutch where the person's list of languages asks for Dutch
// before English, English otherwise. `asked` ("en" or "nl", from the command line) overrides
// the list; anything else is no language of the interface and is refused with a reason.
struct InterfaceLanguage {
    QString language; // "en" or "nl"
    QString problem;  // why `asked` was refused
};
InterfaceLanguage chooseInterfaceLanguage(const QString& asked, const QStringList& uiLanguages);

// Loads the program's translation and Qt's own for its dialogs, for the rest of the run. English
// needs none. Returns what could not be loaded, or an empty text.
QString installInterfaceLanguage(const QString& language);
