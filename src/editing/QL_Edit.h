#pragma once

#include "EditingDialog.h"

// The row dialog: a new row for the end of the row list, or a new text for the selected row.
class QL_Edit : public EditingDialog {
    Q_OBJECT
public:
    explicit QL_Edit(EditingHost& host);

    // Opens the dialog empty, to add a row at the end of the list.
    void New_Row();
    // Opens the dialog on the row list's entry at the row's index, to change it.
    void Edit_Row(float& row);

    // Save: checks the text, puts it in the row list, commits and closes.
    void cmd_save_Click();

    QPointer<QGroupBox> Frame_3, Frame1;
    QPointer<QLineEdit> txt_newtxt;
    QPointer<QLabel> lbl_text;
    QPointer<QPushButton> cmd_save;

private:
    enum class Mode { NewRow = 0, EditRow = 1 };
    Mode m_mode = Mode::NewRow;
    int m_row = 0;
};
