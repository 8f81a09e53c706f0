#pragma once

#include <QDialog>
#include <QPointer>

class EditingHost;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the three editing dialogs share: two pictures at the top, the explaining text, frames
// holding one-line boxes, Cancel and a confirming button at the bottom right, and the size rule
// (the window reaches 180 twips right of and 520 twips below its right-hand button).
class EditingDialog : public QDialog {
    Q_OBJECT
public:
    QPointer<QLabel> lbl_info;
    QPointer<QPushButton> cmd_annuleer;

protected:
    EditingDialog(EditingHost& host, const char* name, const QString& caption, const QString& info);

    // A frame at the given top (in twips) holding a one-line box; maxLength 0 for no limit.
    QLineEdit* addBoxInFrame(const char* frameName, const QString& frameCaption, int top,
                             const char* boxName, int maxLength);
    QGroupBox* addFrame(const char* name, const QString& caption, int top, int height);
    // Cancel, and the confirming button to its right, at the given top; returns the latter.
    QPushButton* addButtons(const char* name, const QString& caption, int top);

    void showEvent(QShowEvent* event) override;
    void applySizeRule();

    EditingHost& m_host;

private:
    QPointer<QPushButton> m_rightButton;
};
