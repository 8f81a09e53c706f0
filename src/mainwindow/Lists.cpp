// The form list and the row list: selecting a form and a row, the pop-up, and the commit that
// carries the working copies into the document.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "ListTexts.h"
#include "QL_Form.h"
#include "Toolkit.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

QListWidget& QL_Core::rowList()
{
    return reach(lst_lang);
}

QListWidget& QL_Core::formList()
{
    return reach(lst_forms);
}

void QL_Core::lst_forms_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.0"), [this] {
        m_document.SelectedForm = float(reach(lst_forms).currentRow() + 1);
        reach(m_panels[2])
            .setText(QStringLiteral("Form: ") + QString::number(int(m_document.SelectedForm)));
        QListWidget& rows = reach(lst_lang);
        rows.clear();
        const int form = int(m_document.SelectedForm);
        if (form >= 1 && form <= LanguageDocument::FormCount) {
            const LanguageTable& table = m_document.formText(form);
            QStringList shown;
            for (int r = 0; r <= LanguageDocument::LastRow; ++r) {
                if (table.at(r).size() > 1)
                    shown << table.at(r);
            }
            rows.addItems(shown);
        }
        RefreshCommandState();
    });
}

void QL_Core::selectForm(int form)
{
    if (!lst_forms || form < 1 || form > lst_forms->count())
        return;
    lst_forms->setCurrentRow(form - 1);
    lst_forms_Click();
}

void QL_Core::lst_lang_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.1"), [this] {
        m_document.SelectedRow = float(reach(lst_lang).currentRow());
        reach(m_panels[3])
            .setText(QStringLiteral("Row: ") + QString::number(int(m_document.SelectedRow)));
        RefreshCommandState();
    });
}

void QL_Core::lst_lang_MouseDown(Qt::MouseButton button)
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.2"), [this, button] {
        RefreshCommandState();
        if (button == Qt::RightButton)
            m_toolkit.showPopupMenu(reach(mnu_edit));
    });
}

void QL_Core::CommitWorkingCopies()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #F1.1"), [this] {
        const QListWidget& forms = reach(lst_forms);
        for (int n = 1; n <= LanguageDocument::NameCount; ++n)
            m_document.FormNames.set(n, listText(forms, n - 1));

        const int form = int(m_document.SelectedForm);
        qsizetype uncommitted = 0;
        if (form >= 1 && form <= LanguageDocument::FormCount) {
            const QListWidget& rows = reach(lst_lang);
            LanguageTable& table = m_document.formText(form);
            for (int r = 0; r <= LanguageDocument::LastRow; ++r)
                table.set(r, listText(rows, r));
            uncommitted = std::max(0, rows.count() - LanguageDocument::RowCount);
        }

        m_document.setSetting(FileSetting::Application, reach(txt_app).text());
        m_document.setSetting(FileSetting::Version, reach(txt_versie).text());
        m_document.setSetting(FileSetting::Author, reach(txt_naam).text());
        m_document.setSetting(FileSetting::Revision, reach(txt_rev).text());
        m_document.setSetting(FileSetting::Date, reach(txt_date).text());

        // Rows beyond the 201 a form can store have no place in the table: say so rather than
        // drop them unseen.
        if (uncommitted > 0)
            throw std::length_error("the row list holds more rows than the form can store");
    });
}

void QL_Core::lst_forms_DblClick()
{
    QL_Form dialog(*this);
    float form = m_document.SelectedForm;
    dialog.Edit_form(form);
}

void QL_Core::lst_lang_DblClick()
{
    mnu_text_edit_Click();
}
