#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class Toolkit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the three editing dialogs share: two pictures at the top, the explaining text, frames
// holding one-line boxes, Cancel and a confirming button at the bottom right, and the size rule
// (the window reaches 180 twips right of and 520 twips below its right-hand button). A dialog
// checks what the user typed and refuses it with the rule's message; what its confirming button
// does with an accepted text is a function the window hands it, so that the dialogs know nothing
// of the window.
// What a dialog's confirming button does with the accepted text.
using AcceptText = std::function<void(const QString&)>;

class EditingDialog : public QDialog {
    Q_OBJECT
public:
    QPointer<QLabel> lbl_info;
    QPointer<QPushButton> cmd_annuleer;

protected:
    EditingDialog(Toolkit& toolkit, const char* name, const QString& caption, const QString& info);

    // A frame at the given top (in twips) holding a one-line box; maxLength 0 for no limit.
    QLineEdit* addBoxInFrame(const char* frameName, const QString& frameCaption, int top,
                             const char* boxName, int maxLength);
    QGroupBox* addFrame(const char* name, const QString& caption, int top, int height);
    // Cancel, and the confirming button to its right, at the given top; returns the latter.
    QPushButton* addButtons(const char* name, const QString& caption, int top);

    void showEvent(QShowEvent* event) override;
    void applySizeRule();

    Toolkit& m_toolkit;

private:
    QPointer<QPushButton> m_rightButton;
};
