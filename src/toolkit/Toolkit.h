#pragma once

#include <QString>

class QDialog;
class QMenu;

// Message-box styles, by their classic numbers: the icon and buttons a box shows.
enum class MsgStyle {
    OkOnly = 0,
    Critical = 16,    // critical icon, OK
    Question = 36,    // question icon, Yes and No
    Exclamation = 48, // exclamation icon, OK
    Information = 64, // information icon, OK
};

// The button a message box was closed with.
enum class MsgResult { Ok = 1, Yes = 6, No = 7 };

struct FileDialogRequest {
    QString fileName; // the name the dialog starts with; returned unchanged on cancel
    QString title;
    QString filter; // "description|pattern"
};

struct FileDialogResult {
    QString fileName;  // full path
    QString fileTitle; // the name without its folder
};

// Everything the program needs from the desktop: message boxes, file dialogs, the mouse
// pointer and modal dialogs. The windows talk to this interface only, so that tests can answer
// every box and dialog with a scripted implementation.
class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Title every box carries unless it names its own.
    static QString defaultTitle() { return QStringLiteral("Lexicant"); }

    // Shows a modal message box and returns the button it was closed with.
    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {});

    virtual FileDialogResult showOpen(const FileDialogRequest& request) = 0;
    virtual FileDialogResult showSave(const FileDialogRequest& request) = 0;

    // Hourglass while busy, the normal pointer otherwise.
    virtual void setBusyPointer(bool busy) = 0;

    // Shows a dialog modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;

    // Shows a menu as a pop-up at the mouse pointer and returns when it closes.
    virtual void showPopupMenu(QMenu& menu) = 0;

    // Starts another window of this program on the file. Returns false when it cannot start.
    virtual bool openInNewWindow(const QString& path) = 0;

protected:
    virtual MsgResult showMessageBox(const QString& text, MsgStyle style, const QString& title) = 0;
};
