#include "ReferenceDock.h"

#include "Dictionaries.h"
#include "LanguageSession.h"
#include "MemorySession.h"
#include "ProblemList.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"
#include "TextMarks.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>

namespace {
constexpr int TextColumn = 2;
} // namespace

// The editor of this file's column: several lines (Enter breaks the line), Esc cancels,
// Ctrl+Enter stores and asks for the next row that needs work. It never writes the table: the
// text goes to the document, and the table shows the document.
class TranslationEditor : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The spelling language's speller, if any, and where a word added to it goes.
    std::function<const HunspellSpeller*()> speller;
    std::function<void(const QString&)> addWord;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* editor = new QPlainTextEdit(parent);
        editor->setAccessibleName(tr("Translation"));
        editor->setTabChangesFocus(true);
        // Misspelt words and characters a language file cannot store are underlined as typed.
        const QString reference = index.siblingAtColumn(1).data().toString();
        new MarkHighlighter(editor->document(), [this, reference](const QString& text) {
            return textMarks(text, reference, speller());
        });
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor, &QWidget::customContextMenuRequested, editor,
                [this, editor, reference](const QPoint& at) {
                    std::unique_ptr<QMenu> menu(editor->createStandardContextMenu(at));
                    addSpellingActions(
                        *menu, editor->toPlainText(), editor->cursorForPosition(at).position(),
                        reference, speller(),
                        [editor](int start, int length, const QString& word) {
                            QTextCursor cursor(editor->document());
                            cursor.setPosition(start);
                            cursor.setPosition(start + length, QTextCursor::KeepAnchor);
                            cursor.insertText(word);
                        },
                        addWord);
                    menu->exec(editor->mapToGlobal(at));
                });
        m_open = editor;
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // All of it selected, as in the row dialog: what is typed replaces it, End appends.
        auto* text = static_cast<QPlainTextEdit*>(editor);
        text->setPlainText(index.data(Qt::EditRole).toString());
        text->selectAll();
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override
    {
        // Room for a second line, hiding no more than the row below.
        editor->setGeometry(option.rect.adjusted(0, 0, 0, option.rect.height()));
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const QScopedValueRollback storing(m_closing, true);
        emit stored(index.row(), static_cast<QPlainTextEdit*>(editor)->toPlainText(),
                    std::exchange(m_next, false));
    }
    // True while the text of the closing editor is being stored.
    bool closing() const { return m_closing; }

    QPlainTextEdit* openEditor() const { return m_open; }
    bool finish(bool next)
    {
        if (!m_open)
            return false;
        QWidget* editor = m_open;
        m_next = next;
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
        return true;
    }

signals:
    void stored(int tableRow, const QString& text, bool next) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                key->modifiers() & Qt::ControlModifier)
                return finish(true);
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    mutable QPointer<QPlainTextEdit> m_open;
    mutable bool m_next = false;
    mutable bool m_closing = false;
};

ReferenceDock::ReferenceDock(const ReferenceSession& reference, const ProblemList& problems,
                             const SpellingSession& spelling, const MemorySession& memory,
                             const LanguageSession& session, QWidget* parent)
    : QDockWidget(parent)
    , m_reference(reference)
    , m_problems(problems)
    , m_spelling(spelling)
    , m_memory(memory)
    , m_session(session)
{
    setObjectName(QStringLiteral("ReferenceDock"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* workbench = new QWidget(this);
    m_scope = new QComboBox(workbench);
    m_scope->setObjectName(QStringLiteral("cmb_scope"));
    m_scope->setAccessibleName(tr("Rows of"));
    m_scope->addItems({tr("This form"), tr("All forms")});
    m_filter = new QComboBox(workbench);
    m_filter->setObjectName(QStringLiteral("cmb_filter"));
    m_filter->setAccessibleName(tr("Show"));
    m_filter->addItems({tr("All rows"), tr("Rows that need work"), tr("Untranslated rows")});
    // The rows of one check; untranslated rows are those of "missing" already.
    for (int c = 0; c < CheckCount; ++c) {
        if (Check(c) != Check::Missing)
            m_filter->addItem(checkDescription(Check(c)), c);
    }
    m_progress = new QLabel(workbench);
    m_progress->setObjectName(QStringLiteral("lbl_progress"));
    m_message = new QLabel(workbench);
    m_message->setObjectName(QStringLiteral("lbl_message"));

    m_table = new QTableWidget(0, 4, workbench);
    m_table->setObjectName(QStringLiteral("ReferenceTable"));
    m_table->setAccessibleName(tr("Reference and translation"));
    m_table->setHorizontalHeaderLabels(
        {tr("Row"), tr("Reference"), tr("This file"), tr("Problems")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->setColumnWidth(1, 260);
    m_table->setColumnWidth(2, 260);
    // Room for a few rows; the dock can be made smaller, floated or moved, so the designed area
    // keeps its size on a small screen.
    m_table->setMinimumHeight(m_table->fontMetrics().height() * 2 +
                              m_table->horizontalHeader()->sizeHint().height());
    m_editor = new TranslationEditor(m_table);
    m_table->setItemDelegateForColumn(TextColumn, m_editor);
    m_editor->speller = [this] { return m_spelling.speller(); };
    m_editor->addWord = [this](const QString& word) { emit wordAdded(word); };

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_scope);
    bar->addWidget(m_filter);
    bar->addWidget(m_progress, 1);
    bar->addWidget(m_message);
    auto* layout = new QVBoxLayout(workbench);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(m_table);
    for (int i = 1; i <= 3; ++i) {
        auto* label = new QLabel(workbench);
        label->setObjectName(QStringLiteral("lbl_suggestion_%1").arg(i));
        label->setTextFormat(Qt::RichText);
        label->hide();
        layout->addWidget(label);
        m_suggestionLabels << label;
    }
    setWidget(workbench);

    connect(m_table, &QTableWidget::cellActivated, this, [this](int row, int) {
        if (row >= 0 && row < m_entries.size())
            emit rowChosen(m_entries.at(row).form, m_entries.at(row).row);
    });
    // The keyboard stays in this file's column, so that typing on any row starts its text.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && column != TextColumn)
            m_table->setCurrentCell(row, TextColumn);
        showSuggestions();
    });
    // At once, also when the editor loses the keyboard to a click elsewhere: the text is stored
    // before that click does anything.
    connect(m_editor, &TranslationEditor::stored, this,
            [this](int tableRow, const QString& text, bool next) {
                if (tableRow >= 0 && tableRow < m_entries.size())
                    emit textStored(m_entries.at(tableRow).form, m_entries.at(tableRow).row, text,
                                    next);
            });
    for (QComboBox* box : {m_scope, m_filter})
        connect(box, &QComboBox::currentIndexChanged, this, &ReferenceDock::repaint);
    connect(&problems, &ProblemList::changed, this, &ReferenceDock::schedule);
    connect(&reference, &ReferenceSession::openedOrClosed, this, [this](bool open) {
        setWindowTitle(tr("Reference: ") + QFileInfo(m_reference.path()).fileName());
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

bool ReferenceDock::shows(const QList<Problem>& problems, bool translated) const
{
    const int filter = m_filter->currentIndex();
    switch (Filter(std::min(filter, int(Filter::FirstCheck)))) {
    case Filter::All:
        return true;
    case Filter::NeedsWork:
        return !problems.isEmpty();
    case Filter::Untranslated:
        return !translated;
    case Filter::FirstCheck:
        break;
    }
    const Check only = Check(m_filter->currentData().toInt());
    return std::any_of(problems.begin(), problems.end(),
                       [only](const Problem& p) { return p.check == only; });
}

void ReferenceDock::repaint()
{
    m_scheduled = false;
    m_message->clear();
    if (!m_reference.isOpen()) {
        emit countsChanged(QString());
        return;
    }
    const QList<Problem>& problems = m_problems.problems();
    const ReferenceCounts& counts = m_problems.counts();
    emit countsChanged(tr("%1 of %2 reference rows translated, %3 problems")
                           .arg(counts.translated)
                           .arg(counts.referenceRows)
                           .arg(counts.problems));

    const int selected = m_session.selectedForm();
    const bool allForms = m_scope->currentIndex() == 1;
    struct Line {
        Entry entry;
        QString reference, text;
        QList<Problem> problems;
    };
    QList<Line> lines;
    ReferenceCounts inForm;
    auto problem = problems.begin();
    for (int form = 1; form <= LanguageDocument::FormCount; ++form) {
        const bool wanted = allForms || form == selected;
        if (!wanted) {
            while (problem != problems.end() && problem->form == form)
                ++problem;
            continue;
        }
        const LanguageTable& reference = m_reference.reference()->formText(form);
        const QList<PairedText> pairs =
            pairedTexts(m_session.document(), m_session.workingCopy(), selected, form);
        auto pair = pairs.begin();
        for (int row = 0; row < LanguageDocument::RowCount; ++row) {
            QStringList texts;
            for (; pair != pairs.end() && pair->row == row; ++pair)
                texts << pair->text;
            QList<Problem> here;
            for (; problem != problems.end() && problem->form == form && problem->row == row;
                 ++problem)
                here << *problem;
            const bool translated = texts.join(QString()).size() > 0;
            if (form == selected && !reference.at(row).isEmpty()) {
                ++inForm.referenceRows;
                inForm.translated += translated ? 1 : 0;
            }
            inForm.problems += form == selected ? int(here.size()) : 0;
            if ((texts.isEmpty() && reference.at(row).isEmpty()) || !shows(here, translated))
                continue;
            lines.append({{form, row}, reference.at(row), texts.join(QStringLiteral(" | ")), here});
        }
    }
    m_progress->setText(selected >= 1 && selected <= LanguageDocument::FormCount
                            ? tr("Form %1: %2 of %3 rows translated, %4 problems")
                                  .arg(selected)
                                  .arg(inForm.translated)
                                  .arg(inForm.referenceRows)
                                  .arg(inForm.problems)
                            : QString());

    const QSignalBlocker quiet(m_table);
    m_table->setUpdatesEnabled(false);
    m_table->setRowCount(int(lines.size()));
    m_entries.clear();
    for (int r = 0; r < lines.size(); ++r) {
        const Line& line = lines.at(r);
        m_entries << line.entry;
        QStringList names, messages;
        for (const Problem& p : line.problems) {
            names << checkLabel(p.check);
            messages << p.message;
        }
        const QString place = allForms
                                  ? tr("Form %1, row %2").arg(line.entry.form).arg(line.entry.row)
                                  : QString::number(line.entry.row);
        const QString cells[] = {place, line.reference, line.text,
                                 names.join(QStringLiteral(", "))};
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem* cell = m_table->item(r, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                cell->setFlags(column == TextColumn ? cell->flags()
                                                    : cell->flags() & ~Qt::ItemIsEditable);
                m_table->setItem(r, column, cell);
            }
            cell->setText(cells[column]);
            if (column == 3)
                cell->setToolTip(messages.join(u'\n'));
        }
    }
    followSelection();
    m_table->setUpdatesEnabled(true);
}

int ReferenceDock::entryOf(int form, int row) const
{
    for (int r = 0; r < m_entries.size(); ++r) {
        if (m_entries.at(r).form == form && m_entries.at(r).row == row)
            return r;
    }
    return -1;
}

void ReferenceDock::followSelection()
{
    const int item = m_listItem;
    const int entry = item < 0 ? -1 : entryOf(m_session.selectedForm(), m_session.rowOf(item));
    const QSignalBlocker quiet(m_table);
    // Only what the row list has selected is highlighted.
    if (entry < 0) {
        m_table->clearSelection();
        m_table->setCurrentIndex({});
    } else {
        m_table->setCurrentCell(entry, TextColumn);
    }
    showSuggestions();
}

void ReferenceDock::showSuggestions()
{
    const auto [form, row] = currentRow();
    m_suggestions = form > 0 ? m_memory.suggestionsFor(form, row) : QList<Suggestion>();
    const QString reference =
        form > 0 ? m_reference.reference()->formText(form).at(row) : QString();
    const QStringList referenceWords = reference.split(u' ');
    for (int i = 0; i < m_suggestionLabels.size(); ++i) {
        QLabel* label = m_suggestionLabels.at(i);
        label->setVisible(i < m_suggestions.size());
        if (i >= m_suggestions.size())
            continue;
        const MemoryUnit& unit = m_suggestions.at(i).unit;
        // The words of the suggestion's source that the reference does not have, in bold.
        QStringList source;
        for (const QString& word : unit.source.split(u' '))
            source << (referenceWords.contains(word)
                           ? word.toHtmlEscaped()
                           : QStringLiteral("<b>%1</b>").arg(word.toHtmlEscaped()));
        label->setText(tr("Ctrl+%1: %2% %3 <i>(from \"%4\")</i>")
                           .arg(i + 1)
                           .arg(m_suggestions.at(i).score)
                           .arg(unit.target.toHtmlEscaped(), source.join(u' ')));
        label->setToolTip(
            unit.row >= 0 && unit.form > 0
                ? tr("%1, form %2, row %3").arg(unit.origin).arg(unit.form).arg(unit.row)
                : unit.origin);
    }
}

void ReferenceDock::takeSuggestion(int number)
{
    const auto [form, row] = currentRow();
    // A copy: opening the editor finds the suggestions anew.
    if (form > 0 && number >= 1 && number <= m_suggestions.size())
        editRow(form, row, QString(m_suggestions.at(number - 1).unit.target));
}

void ReferenceDock::showRow(int form, int row, bool edit)
{
    if (m_scheduled)
        repaint();
    const int entry = entryOf(form ? form : m_session.selectedForm(), row);
    if (entry < 0)
        return;
    {
        const QSignalBlocker quiet(m_table);
        m_table->setCurrentCell(entry, TextColumn);
    }
    showSuggestions();
    m_table->scrollToItem(m_table->item(entry, 0));
    if (edit && m_editor->closing()) {
        QTimer::singleShot(0, this, [this, form, row] { showRow(form, row, true); });
    } else if (edit) {
        m_table->setFocus();
        m_table->edit(m_table->model()->index(entry, TextColumn));
    }
}

std::pair<int, int> ReferenceDock::currentRow() const
{
    const int r = m_table->currentRow();
    return r >= 0 && r < m_entries.size() ? std::pair(m_entries.at(r).form, m_entries.at(r).row)
                                          : std::pair(0, -1);
}

QPlainTextEdit* ReferenceDock::openEditor() const
{
    return m_editor->openEditor();
}

bool ReferenceDock::finishEditing(bool next)
{
    return m_editor->finish(next);
}

void ReferenceDock::copyReferenceText()
{
    const auto [form, row] = currentRow();
    if (!form)
        return;
    editRow(form, row, m_reference.reference()->formText(form).at(row));
}

void ReferenceDock::editRow(int form, int row, const QString& text)
{
    if (m_editor->closing()) {
        // Asked while the editor stores its text: once it has closed.
        QTimer::singleShot(0, this, [this, form, row, text] { editRow(form, row, text); });
        return;
    }
    if (!openEditor())
        showRow(form, row, true);
    if (QPlainTextEdit* editor = openEditor()) {
        // As typed over the selection, so that the editor's own undo brings back what was there.
        editor->selectAll();
        editor->insertPlainText(text);
    }
}

void ReferenceDock::showListItem(int item)
{
    if (std::exchange(m_listItem, item) != item)
        followSelection();
}

void ReferenceDock::say(const QString& text)
{
    m_message->setText(text);
}

#include "ReferenceDock.moc"
