#pragma once

#include "EditingDialog.h"

// Search and replace in every row of the row list.
class QL_Replace : public EditingDialog {
    Q_OBJECT
public:
    explicit QL_Replace(EditingHost& host);

    // Shows the dialog with both boxes empty.
    void open();
    // Replace: one pass over the rows, then the number of changed rows; the dialog stays open.
    void cmd_replace_Click();

    QPointer<QGroupBox> Frame_3, Frame1;
    QPointer<QLineEdit> txt_zoek, txt_vervang;
    QPointer<QPushButton> cmd_replace;
};
