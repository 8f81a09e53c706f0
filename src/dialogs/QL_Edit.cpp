#include "QL_Edit.h"

#include "Dictionaries.h"
#include "ErrorTrap.h"
#include "TextMarks.h"
#include "TextRules.h"
#include "Toolkit.h"
#include "Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
constexpr int RowTextLimit = 400;
}

QL_Edit::QL_Edit(Toolkit& toolkit)
    : EditingDialog(toolkit, "QL_Edit", tr("Edit"),
                    tr("Enter a new text or change the existing text in the "
                       "textfield below. Press save to save the changes."))
{
    txt_newtxt = addBoxInFrame("Frame_3", tr("Text:"), 960, "txt_newtxt", RowTextLimit);
    Frame_3 = qobject_cast<QGroupBox*>(txt_newtxt->parentWidget());
    Frame1 = addFrame("Frame1", tr("Preview: "), 1800, 1320);
    lbl_text = new QLabel(Frame1);
    lbl_text->setObjectName(QStringLiteral("lbl_text"));
    lbl_text->setTextFormat(Qt::PlainText); // "<NEW>" is a text, not markup
    lbl_text->setWordWrap(true);
    lbl_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl_text->setGeometry(Twips(this).rect(120, 300, 5760, 930));
    cmd_save = addButtons("cmd_save", tr("Save"), 3240);

    // The preview always shows what the box holds.
    connect(txt_newtxt, &QLineEdit::textChanged, lbl_text, &QLabel::setText);
    // Characters a language file cannot store are underlined as typed; misspelt words too, once
    // there is a speller.
    underlineAsTyped(txt_newtxt, [this](const QString& text) {
        return textMarks(text, txt_reference ? txt_reference->text() : QString(), m_speller);
    });
    connect(cmd_save, &QPushButton::clicked, this, &QL_Edit::cmd_save_Click);
}

void QL_Edit::showReference(const QString& text)
{
    const Twips t(this);
    if (!txt_reference) {
        // Everything from the text box down moves below the reference's frame.
        constexpr int Top = 960, Height = 840;
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->y() >= t.px(Top))
                child->move(child->x(), child->y() + t.px(Height));
        }
        txt_reference = addBoxInFrame("Frame_reference", tr("Reference:"), Top, "txt_reference", 0);
        txt_reference->setReadOnly(true);
        txt_reference->setAccessibleName(tr("Reference"));
        applySizeRule();
    }
    txt_reference->setText(text);
}

void QL_Edit::checkSpelling(const HunspellSpeller* speller, std::function<void(const QString&)> add)
{
    m_speller = speller;
    const auto reference = [this] { return txt_reference ? txt_reference->text() : QString(); };
    txt_newtxt->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(txt_newtxt, &QWidget::customContextMenuRequested, this,
            [this, speller, add, reference](const QPoint& at) {
                QMenu* menu = txt_newtxt->createStandardContextMenu();
                addSpellingActions(
                    *menu, txt_newtxt->text(), txt_newtxt->cursorPositionAt(at), reference(),
                    speller,
                    [this](int start, int length, const QString& word) {
                        txt_newtxt->setText(txt_newtxt->text().replace(start, length, word));
                    },
                    add);
                menu->exec(txt_newtxt->mapToGlobal(at));
                delete menu;
            });
}

void QL_Edit::New_Row(int rowCount, const AcceptText& save)
{
    show(tr("New text"), QString(), rowCount, save);
}

void QL_Edit::Edit_Row(const QString& text, int rowCount, const AcceptText& save)
{
    show(tr("Edit text"), text, rowCount, save);
}

void QL_Edit::show(const QString& caption, const QString& text, int rowCount,
                   const AcceptText& save)
{
    setWindowTitle(caption);
    txt_newtxt->setText(text);
    lbl_text->setText(txt_newtxt->text());
    m_rowCount = rowCount;
    m_save = save;
    txt_newtxt->setFocus();
    m_toolkit.showModal(*this);
}

void QL_Edit::cmd_save_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #11.0"), [this] {
        const QString text = txt_newtxt->text();
        const TextRule failed = checkRowText(text, m_rowCount);
        if (failed != TextRule::Passed) {
            m_toolkit.messageBox(ruleMessage(failed), MsgStyle::Critical);
            return;
        }
        m_save(text);
        accept();
    });
}
