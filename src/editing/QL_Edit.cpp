#include "QL_Edit.h"

#include "EditingHost.h"
#include "ErrorTrap.h"
#include "LanguageDocument.h"
#include "ListTexts.h"
#include "TextRules.h"
#include "Toolkit.h"
#include "Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
constexpr int RowTextLimit = 400;
}

QL_Edit::QL_Edit(EditingHost& host)
    : EditingDialog(host, "QL_Edit", QStringLiteral("Edit"),
                    QStringLiteral("Enter a new text or change the existing text in the "
                                   "textfield below. Press save to save the changes."))
{
    txt_newtxt = addBoxInFrame("Frame_3", QStringLiteral("Text:"), 960, "txt_newtxt", RowTextLimit);
    Frame_3 = qobject_cast<QGroupBox*>(txt_newtxt->parentWidget());
    Frame1 = addFrame("Frame1", QStringLiteral("Preview: "), 1800, 1320);
    lbl_text = new QLabel(Frame1);
    lbl_text->setObjectName(QStringLiteral("lbl_text"));
    lbl_text->setTextFormat(Qt::PlainText); // "<NEW>" is a text, not markup
    lbl_text->setWordWrap(true);
    lbl_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl_text->setGeometry(Twips(this).rect(120, 300, 5760, 930));
    cmd_save = addButtons("cmd_save", QStringLiteral("Save"), 3240);

    // The preview always shows what the box holds.
    connect(txt_newtxt, &QLineEdit::textChanged, lbl_text, &QLabel::setText);
    connect(cmd_save, &QPushButton::clicked, this, &QL_Edit::cmd_save_Click);
}

void QL_Edit::New_Row()
{
    setWindowTitle(QStringLiteral("New text"));
    txt_newtxt->clear();
    lbl_text->clear();
    m_mode = Mode::NewRow;
    txt_newtxt->setFocus();
    m_host.toolkit().showModal(*this);
}

void QL_Edit::Edit_Row(float& row)
{
    setWindowTitle(QStringLiteral("Edit text"));
    m_mode = Mode::EditRow;
    m_row = int(row);
    txt_newtxt->setText(listText(m_host.rowList(), m_row)); // cut to the box's 400 characters
    txt_newtxt->setFocus();
    m_host.toolkit().showModal(*this);
}

void QL_Edit::cmd_save_Click()
{
    runTrapped(m_host.toolkit(), QStringLiteral("ERROR CODE #11.0"), [this] {
        QListWidget& rows = m_host.rowList();
        const QString text = txt_newtxt->text();
        const TextRule failed = checkRowText(text, rows.count());
        if (failed != TextRule::Passed) {
            m_host.toolkit().messageBox(ruleMessage(failed), MsgStyle::Critical);
            return;
        }
        if (m_mode == Mode::NewRow) {
            rows.addItem(text);
        } else {
            QListWidgetItem* item = rows.item(m_row);
            if (!item)
                throw std::out_of_range("the edited row is no longer in the list");
            item->setText(text);
        }
        LanguageDocument& document = m_host.document();
        document.UnsavedChanges = 1;
        m_host.RefreshCommandState();
        m_host.CommitWorkingCopies();
        accept();
    });
}
