#pragma once

#include "DesktopEntries.h"

#include <QDialog>
#include <QPointer>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// "Open with": a modal list of the installed applications, those registered for the file's
// type first, from which the user picks the one to open the file with.
class AppChooser : public QDialog {
    Q_OBJECT
public:
    AppChooser(const QString& file, const QList<DesktopApp>& applications, int registered,
               QWidget* parent = nullptr);

    // The application picked, when the dialog was accepted.
    std::optional<DesktopApp> chosen() const;

    QPointer<QLabel> lbl_file;
    QPointer<QListWidget> lst_apps;
    QPointer<QDialogButtonBox> buttons;

private:
    QList<DesktopApp> m_apps;
};
