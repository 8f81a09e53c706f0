#pragma once

#include "EditingDialog.h"

// The form-name dialog: renames the selected form.
class QL_Form : public EditingDialog {
    Q_OBJECT
public:
    explicit QL_Form(Toolkit& toolkit);

    // Opens the dialog on form k's entry (1 to 24) of the form list.
    void Edit_form(const QStringList& formList, int k, const AcceptText& save);
    // Save: checks the name; an accepted name is saved and the dialog closes.
    void cmd_save_Click();

    QPointer<QGroupBox> Frame_3;
    QPointer<QLineEdit> txt_form;
    QPointer<QPushButton> cmd_save;

private:
    AcceptText m_save;
};
