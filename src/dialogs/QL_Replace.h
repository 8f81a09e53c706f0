#pragma once

#include "EditingDialog.h"

#include <QStringList>

// Search and replace in every row of the row list.
class QL_Replace : public EditingDialog {
    Q_OBJECT
public:
    // Told after each Replace how many rows changed; the rows are changed already.
    using Replaced = std::function<void(int changed)>;

    explicit QL_Replace(Toolkit& toolkit);

    // Shows the dialog with both boxes empty, over the row list, which lives while it is open.
    void open(QStringList& rows, const Replaced& replaced);
    // Replace: one pass over the rows, then the number of changed rows; the dialog stays open.
    void cmd_replace_Click();

    QPointer<QGroupBox> Frame_3, Frame1;
    QPointer<QLineEdit> txt_zoek, txt_vervang;
    QPointer<QPushButton> cmd_replace;

private:
    QStringList* m_rows = nullptr;
    Replaced m_replaced;
};
