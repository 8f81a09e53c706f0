#pragma once

#include "EditingDialog.h"

// The form-name dialog: renames the selected form.
class QL_Form : public EditingDialog {
    Q_OBJECT
public:
    explicit QL_Form(EditingHost& host);

    // Opens the dialog on form k's entry in the form list.
    void Edit_form(float& k);
    // Save: checks the name, puts it in the form list, commits and closes.
    void cmd_save_Click();

    QPointer<QGroupBox> Frame_3;
    QPointer<QLineEdit> txt_form;
    QPointer<QPushButton> cmd_save;
};
