#include "QL_Form.h"

#include "EditingHost.h"
#include "ErrorTrap.h"
#include "LanguageDocument.h"
#include "TextRules.h"
#include "Toolkit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <stdexcept>

namespace {
constexpr int FormNameLimit = 50;

QListWidgetItem& formItem(QListWidget& forms, int index)
{
    QListWidgetItem* item = forms.item(index);
    if (!item)
        throw std::out_of_range("no such form in the form list");
    return *item;
}
} // namespace

QL_Form::QL_Form(EditingHost& host)
    : EditingDialog(host, "QL_Form", QStringLiteral("Edit form"),
                    QStringLiteral("Change the name of the form in the textfield below and press "
                                   "save to save the changes. The form name will not appear the "
                                   "the programm and is for internal use only."))
{
    txt_form =
        addBoxInFrame("Frame_3", QStringLiteral("Form name:"), 960, "txt_form", FormNameLimit);
    Frame_3 = qobject_cast<QGroupBox*>(txt_form->parentWidget());
    cmd_save = addButtons("cmd_save", QStringLiteral("Save"), 1800);
    connect(cmd_save, &QPushButton::clicked, this, &QL_Form::cmd_save_Click);
}

void QL_Form::Edit_form(float& k)
{
    const bool opened = runTrapped(m_host.toolkit(), QStringLiteral("ERROR CODE #13.1"), [&] {
        txt_form->setText(formItem(m_host.formList(), int(k) - 1).text());
        txt_form->setFocus();
    });
    if (opened)
        m_host.toolkit().showModal(*this);
}

void QL_Form::cmd_save_Click()
{
    runTrapped(m_host.toolkit(), QStringLiteral("ERROR CODE #13.0"), [this] {
        LanguageDocument& document = m_host.document();
        const int index = int(document.SelectedForm) - 1;
        const TextRule failed = checkName(txt_form->text());
        if (failed != TextRule::Passed) {
            m_host.toolkit().messageBox(ruleMessage(failed), MsgStyle::Critical);
            return;
        }
        formItem(m_host.formList(), index).setText(txt_form->text());
        m_host.CommitWorkingCopies();
        document.UnsavedChanges = 1;
        m_host.RefreshCommandState();
        accept();
    });
}
