#pragma once

#include "EditingDialog.h"

#include <QStringList>

// Search and replace in every row of the row list.
class QL_Replace : public EditingDialog {
    Q_OBJECT
public:
    // Whether the row list holds a row to search.
    using HasRows = std::function<bool()>;
    // Replaces in every row and returns how many rows changed.
    using Replace = std::function<int(const QString& search, const QString& replacement)>;

    explicit QL_Replace(Toolkit& toolkit);

    // Shows the dialog with both boxes empty; each Replace goes through the function.
    void open(const HasRows& hasRows, const Replace& replace);
    // Replace: one pass over the rows, then the number of changed rows; the dialog stays open.
    void cmd_replace_Click();

    QPointer<QGroupBox> Frame_3, Frame1;
    QPointer<QLineEdit> txt_zoek, txt_vervang;
    QPointer<QPushButton> cmd_replace;

private:
    HasRows m_hasRows;
    Replace m_replace;
};
