#include "QL_Form.h"

#include "ErrorTrap.h"
#include "TextRules.h"
#include "Toolkit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

namespace {
constexpr int FormNameLimit = 50;
} // namespace

QL_Form::QL_Form(Toolkit& toolkit)
    : EditingDialog(toolkit, "QL_Form", tr("Edit form"),
                    tr("Change the name of the form in the textfield below and press "
                       "save to save the changes. The form name will not appear the "
                       "the programm and is for internal use only."))
{
    txt_form = addBoxInFrame("Frame_3", tr("Form name:"), 960, "txt_form", FormNameLimit);
    Frame_3 = qobject_cast<QGroupBox*>(txt_form->parentWidget());
    cmd_save = addButtons("cmd_save", tr("Save"), 1800);
    connect(cmd_save, &QPushButton::clicked, this, &QL_Form::cmd_save_Click);
}

void QL_Form::Edit_form(const QStringList& formList, int k, const AcceptText& save)
{
    const bool opened = runTrapped(m_toolkit, QStringLiteral("ERROR CODE #13.1"), [&] {
        if (k < 1 || k > formList.size())
            throw std::out_of_range("no such form in the form list");
        txt_form->setText(formList.at(k - 1));
        txt_form->setFocus();
    });
    m_save = save;
    if (opened)
        m_toolkit.showModal(*this);
}

void QL_Form::cmd_save_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #13.0"), [this] {
        const TextRule failed = checkName(txt_form->text());
        if (failed != TextRule::Passed) {
            m_toolkit.messageBox(ruleMessage(failed), MsgStyle::Critical);
            return;
        }
        m_save(txt_form->text());
        accept();
    });
}
