#pragma once

#include <QString>

// The program-wide values set once at start-up.
struct ProgramValues {
    QString ProgramTitle;
    QString ProgramVersion; // major "." minor
    QString ProgramFolder;  // the program's folder, ending with the path separator
    QString EnglishWebsite;
    QString DutchWebsite;
    QString ExtraMenuSwitch; // "1" shows the "&Extra" menu, "0" hides it

    // The values this build starts with.
    static ProgramValues standard();
};
