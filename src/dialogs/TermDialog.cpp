#include "TermDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The parts of speech terminology tools exchange, by the names they exchange them by.
struct Part {
    const char* name;
    const char* label;
};
constexpr Part Parts[] = {
    {"", QT_TRANSLATE_NOOP("TermDialog", "(none)")},
    {"noun", QT_TRANSLATE_NOOP("TermDialog", "noun")},
    {"verb", QT_TRANSLATE_NOOP("TermDialog", "verb")},
    {"adjective", QT_TRANSLATE_NOOP("TermDialog", "adjective")},
    {"adverb", QT_TRANSLATE_NOOP("TermDialog", "adverb")},
    {"properNoun", QT_TRANSLATE_NOOP("TermDialog", "proper noun")},
    {"other", QT_TRANSLATE_NOOP("TermDialog", "other")},
};

} // namespace

TermDialog::TermDialog(const QString& source, const QString& target, QWidget* parent)
    : QDialog(parent)
    , m_source(new QLineEdit(source, this))
    , m_target(new QLineEdit(target, this))
    , m_keep(new QCheckBox(tr("&Not translated (a name)"), this))
    , m_note(new QLineEdit(this))
    , m_part(new QComboBox(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Add term"));
    m_source->setObjectName(QStringLiteral("txt_term_source"));
    m_target->setObjectName(QStringLiteral("txt_term_target"));
    m_keep->setObjectName(QStringLiteral("chk_term_not_translated"));
    m_note->setObjectName(QStringLiteral("txt_term_note"));
    m_part->setObjectName(QStringLiteral("cmb_term_part"));
    for (const Part& part : Parts)
        m_part->addItem(tr(part.label), QLatin1String(part.name));
    // The reference's text whole, selected: typing the term replaces it, or arrows cut it down.
    m_source->selectAll();
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Term:"), m_source);
    form->addRow(tr("T&ranslation:"), m_target);
    form->addRow(QString(), m_keep);
    form->addRow(tr("N&ote:"), m_note);
    form->addRow(tr("&Part of speech:"), m_part);
    form->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_source, &QLineEdit::textChanged, this, &TermDialog::fitButtons);
    connect(m_target, &QLineEdit::textChanged, this, &TermDialog::fitButtons);
    connect(m_keep, &QCheckBox::toggled, this, [this](bool kept) {
        m_target->setEnabled(!kept);
        fitButtons();
    });
    resize(fontMetrics().averageCharWidth() * 60, sizeHint().height());
    fitButtons();
}

void TermDialog::fitButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(!m_source->text().trimmed().isEmpty() &&
                     (m_keep->isChecked() || !m_target->text().trimmed().isEmpty()));
}

GlossaryTerm TermDialog::term() const
{
    const bool kept = m_keep->isChecked();
    return {m_source->text().trimmed(), kept ? QString() : m_target->text().trimmed(), kept,
            m_note->text().trimmed(), m_part->currentData().toString()};
}
