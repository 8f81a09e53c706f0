// The reference language beside the document: its menu, the table of the selected form's rows
// with their problems, the counts, going from problem to problem, and find in all forms.
#include "QL_Core.h"

#include "FindAllDialog.h"
#include "LanguageFile.h"
#include "Toolkit.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

namespace {

const QString RememberedKey = QStringLiteral("references");

QVariantMap rememberedReferences()
{
    return QSettings().value(RememberedKey).toMap();
}

void remember(const QString& document, const QString& reference)
{
    if (document.isEmpty())
        return;
    QVariantMap map = rememberedReferences();
    if (reference.isEmpty())
        map.remove(document);
    else
        map.insert(document, reference);
    QSettings().setValue(RememberedKey, map);
}

} // namespace

void QL_Core::createReferenceMenu()
{
    mnu_reference = menuBar()->addMenu(QStringLiteral("&Reference"));
    mnu_reference->setObjectName(QStringLiteral("mnu_reference"));
    const auto item = [this](const char* name, const QString& caption, const QKeySequence& keys,
                             auto handler) {
        QAction* a = mnu_reference->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mnu_reference_open = item("mnu_reference_open", QStringLiteral("Open reference ..."),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                              [this] { mnu_reference_open_Click(); });
    mnu_reference_close = item("mnu_reference_close", QStringLiteral("Close reference"),
                               QKeySequence(), [this] { closeReference(); });
    mnu_reference->addSeparator();
    mnu_problem_next = item("mnu_problem_next", QStringLiteral("Next problem"),
                            QKeySequence(Qt::Key_F8), [this] { goToProblem(1); });
    mnu_problem_previous = item("mnu_problem_previous", QStringLiteral("Previous problem"),
                                QKeySequence(Qt::SHIFT | Qt::Key_F8), [this] { goToProblem(-1); });
    mnu_reference->addSeparator();
    mnu_find_all = item("mnu_find_all", QStringLiteral("Find in all forms ..."),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), [this] { showFindAll(); });
    mnu_reference->addSeparator();
    mnu_checks = mnu_reference->addMenu(QStringLiteral("Checks"));
    mnu_checks->setObjectName(QStringLiteral("mnu_checks"));
    for (int c = 0; c < CheckCount; ++c) {
        QAction* check = mnu_checks->addAction(checkDescription(Check(c)));
        check->setObjectName(QStringLiteral("mnu_check_") + checkName(Check(c)));
        check->setCheckable(true);
        check->setChecked(true);
        connect(check, &QAction::toggled, this, [this, c](bool on) {
            m_checks.on[std::size_t(c)] = on;
            refreshReferenceView();
        });
    }
    enableReferenceCommands(false);
}

void QL_Core::enableReferenceCommands(bool referenceOpen)
{
    for (QAction* needsReference : {mnu_reference_close, mnu_problem_next, mnu_problem_previous})
        needsReference->setEnabled(referenceOpen);
}

void QL_Core::mnu_reference_open_Click()
{
    const FileDialogResult chosen = m_toolkit.showOpen(
        {QStringLiteral(".lsf"), QStringLiteral("Open a reference language file:"),
         QStringLiteral("*.LSF format|*.lsf")});
    if (CanOpenFile(chosen.fileName) && openReference(chosen.fileName))
        remember(currentPath(), m_referencePath);
}

bool QL_Core::openReference(const QString& path)
{
    LanguageDocument reference;
    // The reference is read with the document's loader and its messages.
    if (!CanOpenFile(path) || !LoadLanguageFile(reference, path, m_toolkit))
        return false;
    m_reference = std::move(reference);
    m_referencePath = path;
    m_referenceChecked.reset();
    if (!m_referenceDock) {
        m_referenceDock = new QDockWidget(this);
        m_referenceDock->setObjectName(QStringLiteral("ReferenceDock"));
        m_referenceDock->setFeatures(QDockWidget::DockWidgetMovable |
                                     QDockWidget::DockWidgetFloatable);
        m_referenceTable = new QTableWidget(0, 4, m_referenceDock);
        m_referenceTable->setObjectName(QStringLiteral("ReferenceTable"));
        m_referenceTable->setAccessibleName(QStringLiteral("Reference and translation"));
        m_referenceTable->setHorizontalHeaderLabels(
            {QStringLiteral("Row"), QStringLiteral("Reference"), QStringLiteral("This file"),
             QStringLiteral("Problems")});
        m_referenceTable->verticalHeader()->hide();
        m_referenceTable->verticalHeader()->setDefaultSectionSize(
            m_referenceTable->fontMetrics().height() + 6);
        m_referenceTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_referenceTable->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_referenceTable->setSelectionMode(QAbstractItemView::SingleSelection);
        m_referenceTable->setWordWrap(false);
        m_referenceTable->horizontalHeader()->setStretchLastSection(true);
        m_referenceTable->horizontalHeader()->setSectionResizeMode(0,
                                                                   QHeaderView::ResizeToContents);
        m_referenceTable->setColumnWidth(1, 260);
        m_referenceTable->setColumnWidth(2, 260);
        // Room for a dozen rows: the window grows by it, so the lists keep their size.
        m_referenceTable->setMinimumHeight(
            m_referenceTable->fontMetrics().height() * 12 +
            m_referenceTable->horizontalHeader()->sizeHint().height());
        m_referenceDock->setWidget(m_referenceTable);
        addDockWidget(Qt::BottomDockWidgetArea, m_referenceDock);
        connect(m_referenceTable, &QTableWidget::cellActivated, this, [this](int row, int) {
            chooseRow(m_referenceTable->item(row, 0)->text().toInt());
        });
    }
    m_referenceDock->setWindowTitle(QStringLiteral("Reference: ") + QFileInfo(path).fileName());
    m_referenceDock->show();
    enableReferenceCommands(true);
    refreshReferenceView();
    return true;
}

void QL_Core::closeReference()
{
    if (!m_reference)
        return;
    remember(currentPath(), QString());
    m_reference.reset();
    m_referencePath.clear();
    m_problems.clear();
    m_referenceDock->hide();
    m_panels[4]->clear();
    enableReferenceCommands(false);
}

void QL_Core::reopenRememberedReference(const QString& documentPath)
{
    if (documentPath != currentPath())
        return; // another file was opened meanwhile
    const QString remembered = rememberedReferences().value(documentPath).toString();
    if (!remembered.isEmpty() && remembered != m_referencePath && QFileInfo::exists(remembered))
        openReference(remembered);
}

void QL_Core::refreshReferenceView()
{
    if (!m_reference)
        return;
    const int selected = int(m_document.SelectedForm);
    // One command refreshes several times (the list, the flag, the history); the checks run
    // again only when what they read has changed. The tables' copies share their texts, so the
    // comparison is mostly of pointers.
    CheckedState checked{m_document, m_copy, selected, m_checks.on, m_referencePath};
    if (m_referenceChecked && *m_referenceChecked == checked) {
        const QSignalBlocker quiet(m_referenceTable);
        const int current = designatedRow();
        m_referenceTable->setCurrentCell(current < m_referenceTable->rowCount() ? current : -1, 0);
        return;
    }
    m_referenceChecked = std::move(checked);
    ReferenceCounts counts;
    m_problems = referenceProblems(*m_reference, m_document, m_copy, selected, m_checks, &counts);
    m_panels[4]->setText(QStringLiteral("%1 of %2 reference rows translated, %3 problems")
                             .arg(counts.translated)
                             .arg(counts.referenceRows)
                             .arg(counts.problems));

    // The selected form's rows that either file uses, by the index the application reads.
    QStringList texts, references;
    if (selected >= 1 && selected <= LanguageDocument::FormCount) {
        texts = formTexts(m_document, m_copy, selected, selected);
        for (int row = 0; row < LanguageDocument::RowCount; ++row)
            references << m_reference->formText(selected).at(row);
    }
    int shown = 0;
    for (int row = 0; row < texts.size(); ++row) {
        if (!texts.at(row).isEmpty() || !references.at(row).isEmpty())
            shown = row + 1;
    }
    const QSignalBlocker quiet(m_referenceTable);
    m_referenceTable->setUpdatesEnabled(false);
    m_referenceTable->setRowCount(shown);
    auto problem = std::find_if(m_problems.begin(), m_problems.end(),
                                [selected](const Problem& p) { return p.form >= selected; });
    for (int row = 0; row < shown; ++row) {
        QStringList names, messages;
        for (; problem != m_problems.end() && problem->form == selected && problem->row == row;
             ++problem) {
            names << checkName(problem->check);
            messages << problem->message;
        }
        const QString cells[] = {QString::number(row), references.at(row), texts.at(row),
                                 names.join(QStringLiteral(", "))};
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem* cell = m_referenceTable->item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                m_referenceTable->setItem(row, column, cell);
            }
            cell->setText(cells[column]);
            if (column == 3)
                cell->setToolTip(messages.join(u'\n'));
        }
    }
    const int current = designatedRow();
    m_referenceTable->setCurrentCell(current < shown ? current : -1, 0);
    m_referenceTable->setUpdatesEnabled(true);
}

void QL_Core::chooseRow(int row)
{
    if (row < 0 || row >= lst_lang->count())
        return; // a row the list does not show: the form has fewer rows than the reference
    lst_lang->setCurrentRow(row);
    lst_lang->scrollToItem(lst_lang->item(row));
    lst_lang_Click();
}

void QL_Core::goToProblem(int step)
{
    if (m_problems.isEmpty())
        return;
    const auto place = [](int form, int row) { return form * 1000 + row; };
    // From the problem gone to last while the selection is where that left it (a missing row
    // cannot be selected in the list), else from the selection.
    int here = place(int(m_document.SelectedForm), designatedRow());
    if (here == m_problemLanding)
        here = m_problemPlace;
    const Problem* target = nullptr;
    if (step > 0) {
        const auto next = std::find_if(m_problems.begin(), m_problems.end(), [&](const Problem& p) {
            return place(p.form, p.row) > here;
        });
        target = next != m_problems.end() ? &*next : &m_problems.first();
    } else {
        const auto previous =
            std::find_if(m_problems.rbegin(), m_problems.rend(),
                         [&](const Problem& p) { return place(p.form, p.row) < here; });
        target = previous != m_problems.rend() ? &*previous : &m_problems.last();
    }
    const Problem found = *target; // selecting the form renews the list of problems
    if (found.form != int(m_document.SelectedForm))
        selectForm(found.form);
    chooseRow(found.row);
    m_problemPlace = place(found.form, found.row);
    m_problemLanding = place(int(m_document.SelectedForm), designatedRow());
    if (found.row < m_referenceTable->rowCount()) {
        const QSignalBlocker quiet(m_referenceTable);
        m_referenceTable->setCurrentCell(found.row, 0);
        m_referenceTable->scrollToItem(m_referenceTable->item(found.row, 0));
    }
}

FindAllDialog* QL_Core::showFindAll()
{
    if (!m_findAll) {
        m_findAll =
            new FindAllDialog(this, [this](const QString& needle, Qt::CaseSensitivity sensitivity) {
                return findInAllForms(m_document, m_copy, int(m_document.SelectedForm), reference(),
                                      needle, sensitivity);
            });
        connect(m_findAll, &FindAllDialog::chosen, this, &QL_Core::showFound);
    }
    m_findAll->show();
    m_findAll->raise();
    return m_findAll;
}

void QL_Core::showFound(const FoundText& found)
{
    if (found.kind == FoundText::Kind::Setting) {
        QLineEdit* const boxes[] = {txt_app, txt_versie, txt_naam, txt_rev, txt_date};
        boxes[found.row]->setFocus();
        return;
    }
    if (found.form != int(m_document.SelectedForm))
        selectForm(found.form);
    if (found.kind == FoundText::Kind::Row)
        chooseRow(found.row);
}
