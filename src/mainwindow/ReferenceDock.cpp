#include "ReferenceDock.h"

#include "LanguageSession.h"
#include "ReferenceSession.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

ReferenceDock::ReferenceDock(const ReferenceSession& reference, const LanguageSession& session,
                             QWidget* parent)
    : QDockWidget(parent)
    , m_reference(reference)
    , m_session(session)
{
    setObjectName(QStringLiteral("ReferenceDock"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("ReferenceTable"));
    m_table->setAccessibleName(QStringLiteral("Reference and translation"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Row"), QStringLiteral("Reference"),
                                        QStringLiteral("This file"), QStringLiteral("Problems")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->setColumnWidth(1, 260);
    m_table->setColumnWidth(2, 260);
    // Room for a dozen rows: the window grows by it, so the lists keep their size.
    m_table->setMinimumHeight(m_table->fontMetrics().height() * 12 +
                              m_table->horizontalHeader()->sizeHint().height());
    setWidget(m_table);
    connect(m_table, &QTableWidget::cellActivated, this,
            [this](int row, int) { emit rowChosen(m_table->item(row, 0)->text().toInt()); });
    connect(&reference, &ReferenceSession::changed, this, &ReferenceDock::schedule);
    connect(&session, &LanguageSession::selectionChanged, this, &ReferenceDock::followSelection);
    connect(&reference, &ReferenceSession::openedOrClosed, this, [this](bool open) {
        setWindowTitle(QStringLiteral("Reference: ") + QFileInfo(m_reference.path()).fileName());
        setVisible(open);
        repaint();
    });
}

void ReferenceDock::schedule()
{
    if (std::exchange(m_scheduled, true))
        return;
    QTimer::singleShot(0, this, [this] {
        if (m_scheduled)
            repaint();
    });
}

void ReferenceDock::repaint()
{
    m_scheduled = false;
    if (!m_reference.isOpen()) {
        emit countsChanged(QString());
        return;
    }
    const QList<Problem>& problems = m_reference.problems();
    const ReferenceCounts& counts = m_reference.counts();
    emit countsChanged(QStringLiteral("%1 of %2 reference rows translated, %3 problems")
                           .arg(counts.translated)
                           .arg(counts.referenceRows)
                           .arg(counts.problems));

    // The selected form's rows that either file uses, by the index the application reads.
    const int selected = m_session.selectedForm();
    QStringList texts, references;
    if (selected >= 1 && selected <= LanguageDocument::FormCount) {
        texts = formTexts(m_session.document(), m_session.workingCopy(), selected, selected);
        for (int row = 0; row < LanguageDocument::RowCount; ++row)
            references << m_reference.reference()->formText(selected).at(row);
    }
    int shown = 0;
    for (int row = 0; row < texts.size(); ++row) {
        if (!texts.at(row).isEmpty() || !references.at(row).isEmpty())
            shown = row + 1;
    }
    const QSignalBlocker quiet(m_table);
    m_table->setUpdatesEnabled(false);
    m_table->setRowCount(shown);
    auto problem = std::find_if(problems.begin(), problems.end(),
                                [selected](const Problem& p) { return p.form >= selected; });
    for (int row = 0; row < shown; ++row) {
        QStringList names, messages;
        for (; problem != problems.end() && problem->form == selected && problem->row == row;
             ++problem) {
            names << checkName(problem->check);
            messages << problem->message;
        }
        const QString cells[] = {QString::number(row), references.at(row), texts.at(row),
                                 names.join(QStringLiteral(", "))};
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem* cell = m_table->item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                m_table->setItem(row, column, cell);
            }
            cell->setText(cells[column]);
            if (column == 3)
                cell->setToolTip(messages.join(u'\n'));
        }
    }
    followSelection();
    m_table->setUpdatesEnabled(true);
}

void ReferenceDock::followSelection()
{
    const int current = m_session.designatedRow();
    const QSignalBlocker quiet(m_table);
    m_table->setCurrentCell(current < m_table->rowCount() ? current : -1, 0);
}

void ReferenceDock::showRow(int row)
{
    if (row >= m_table->rowCount())
        return;
    const QSignalBlocker quiet(m_table);
    m_table->setCurrentCell(row, 0);
    m_table->scrollToItem(m_table->item(row, 0));
}
