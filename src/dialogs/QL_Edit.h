#pragma once

#include "EditingDialog.h"

#include <functional>

class HunspellSpeller;

// The row dialog: the text of a new row, or a new text for a row. rowCount is the number of
// rows the list holds, for the row limit.
class QL_Edit : public EditingDialog {
    Q_OBJECT
public:
    explicit QL_Edit(Toolkit& toolkit);

    // Opens the dialog empty, captioned "New text".
    void New_Row(int rowCount, const AcceptText& save);
    // Opens the dialog on a row's text (cut to the box's 400 characters), captioned "Edit text".
    void Edit_Row(const QString& text, int rowCount, const AcceptText& save);

    // Shows the reference's text of the row, read-only, above the text box; the dialog grows by
    // its frame. Without it the dialog is as it always was.
    void showReference(const QString& text);
    // Underlines the words of the text the speller does not know as they are typed, as it does
    // the characters a language file cannot store; the box's menu offers the speller's
    // suggestions and adds a word to the dictionary through `add`.
    void checkSpelling(const HunspellSpeller* speller, std::function<void(const QString&)> add);

    // Save: checks the text against the rules; an accepted text is saved and the dialog closes.
    void cmd_save_Click();

    QPointer<QGroupBox> Frame_3, Frame1;
    QPointer<QLineEdit> txt_newtxt;
    QPointer<QLabel> lbl_text;
    QPointer<QPushButton> cmd_save;
    QPointer<QLineEdit> txt_reference; // only while a reference is shown

private:
    void show(const QString& caption, const QString& text, int rowCount, const AcceptText& save);

    int m_rowCount = 0;
    AcceptText m_save;
    const HunspellSpeller* m_speller = nullptr;
};
