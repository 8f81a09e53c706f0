#pragma once

// The editor's window as a person meets it, with the toolkit's real dialogs, its settings and
// recovery copies in a folder of its own: for tests on a display with a window manager.
#include "FakeShell.h"
#include "QL_Core.h"
#include "QtToolkit.h"
#include "RecoveryController.h"
#include "TempFiles.h"

#include <QSettings>

// The folder, and the settings in it before the window reads any.
struct RealWindowFiles : TempFiles {
    RealWindowFiles()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder());
    }
};

struct RealWindow {
    const RealWindowFiles files;
    QtToolkit toolkit;
    FakeShell shell;
    QL_Core window{toolkit, shell};

    RealWindow()
    {
        window.recovery().setFolder(files.path("recovery"));
        toolkit.setParentWidget(&window);
        window.startUp();
        window.show();
    }
};
