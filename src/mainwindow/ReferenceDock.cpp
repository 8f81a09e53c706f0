#include "ReferenceDock.h"

#include "ChangedWords.h"
#include "CutTextDelegate.h"
#include "Dictionaries.h"
#include "GlossarySession.h"
#include "MemorySession.h"
#include "ReferenceSession.h"
#include "ScreenText.h"
#include "SpellingSession.h"
#include "TextMarks.h"
#include "WorkbenchModel.h"
#include "WrappedLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextCharFormat>
#include <QTimer>

namespace {
constexpr int TextColumn = WorkbenchModel::TextColumn;
} // namespace

// The editor of this file's column: several lines (Enter breaks the line, Tab types a tab, both
// shown as marks), Esc cancels, Ctrl+Enter stores and asks for the next row to do. It never
// writes the model: the text goes to the document, and the model shows the document.
class TranslationEditor : public CutTextDelegate {
    Q_OBJECT
public:
    using CutTextDelegate::CutTextDelegate;

    // The spelling language's speller, if any, and where a word added to it goes.
    std::function<const HunspellSpeller*()> speller;
    std::function<void(const QString&)> addWord;
    // Called as the text is changed from the one the row held.
    std::function<void()> typed;

    // One editor serves every row: the one closed last is kept and given out again, emptied of
    // the text, the undo history and the marks of the row it had, with the new row's reference
    // for its marks, so that going to the next row makes and styles no new widget.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        m_reference = index.siblingAtColumn(1).data(Qt::EditRole).toString();
        m_editing = index;
        ++m_opened;
        if (QPlainTextEdit* kept = std::exchange(m_spare, nullptr);
            kept && kept->parent() == parent) {
            m_given.clear();
            kept->clear(); // and its undo history with it
            m_open = kept;
            return kept;
        }
        auto* editor = new QPlainTextEdit(parent);
        editor->setAccessibleName(tr("Translation"));
        // Tabs and line breaks show as marks. Drawing marks doubles what each key costs to lay
        // the text out again, so they are drawn while the text holds a tab or a line break.
        QTextDocument* document = editor->document();
        // Marks applied change the contents too, but not the text; an editor closed and going
        // away changes it as it goes.
        connect(document, &QTextDocument::contentsChanged, editor, [this, editor, document] {
            if (typed && editor == openEditor() && document->toPlainText() != m_given)
                typed();
        });
        connect(document, &QTextDocument::contentsChanged, editor, [document] {
            const QString text = document->toPlainText();
            const bool marked = document->blockCount() > 1 || text.contains(u'\t') ||
                                text.contains(QChar::LineSeparator);
            constexpr QTextOption::Flags Marks =
                QTextOption::ShowTabsAndSpaces | QTextOption::ShowLineAndParagraphSeparators;
            QTextOption option = document->defaultTextOption();
            if (bool(option.flags() & Marks) == marked)
                return;
            option.setFlags(marked ? option.flags() | Marks : option.flags() & ~Marks);
            document->setDefaultTextOption(option);
        });
        // Misspelt words and characters a language file cannot store are underlined as typed,
        // against the reference of the row the editor is open on.
        new MarkHighlighter(editor->document(), [this](const QString& text) {
            if (m_markedAhead && m_markedAhead->text == text &&
                m_markedAhead->reference == m_reference)
                return m_markedAhead->marks;
            return textMarks(text, m_reference, speller());
        });
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor, &QWidget::customContextMenuRequested, editor,
                [this, editor](const QPoint& at) {
                    std::unique_ptr<QMenu> menu(editor->createStandardContextMenu(at));
                    addSpellingActions(
                        *menu, editor->toPlainText(), editor->cursorForPosition(at).position(),
                        m_reference, speller(),
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
    // The view has closed and hidden the editor: it is kept for the next row, as it was.
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor == m_open && !m_spare)
            m_spare = m_open;
        else
            CutTextDelegate::destroyEditor(editor, index);
    }
    // The open editor covers its cell: around it shows the cell without its text, which would
    // be laid out whole for the few pixels the editor's frame leaves.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!openEditor() || index != m_editing) {
            CutTextDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem shown = option;
        initStyleOption(&shown, index);
        paintWithoutText(painter, shown);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // The editor whose text is being stored closes next: the row changing under it is that
        // text coming back.
        if (m_closing)
            return;
        // All of it selected, as in the row dialog: what is typed replaces it, End appends.
        auto* text = static_cast<QPlainTextEdit*>(editor);
        m_given = index.data(Qt::EditRole).toString();
        text->setPlainText(m_given);
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
    // The marks of a row's text against its reference, found before the row is edited (the
    // editor finds them again for any other text); forgotten when the speller changes.
    void markAhead(const QString& text, const QString& reference)
    {
        m_markedAhead = MarkedAhead{text, reference, textMarks(text, reference, speller())};
    }
    void forgetMarks() { m_markedAhead.reset(); }
    // True while the text of the closing editor is being stored.
    bool closing() const { return m_closing; }

    // A closed editor is hidden at once, and kept for the next row or deleted later.
    QPlainTextEdit* openEditor() const { return m_open && !m_open->isHidden() ? m_open : nullptr; }
    bool finish(bool next)
    {
        QWidget* editor = openEditor();
        if (!editor)
            return false;
        m_next = next;
        const int opened = m_opened;
        emit commitData(editor);
        // Storing may have taken the row, and its editor with it, out of the table already
        // (and the editor kept may be open on another row since).
        if (openEditor() == editor && m_opened == opened)
            emit closeEditor(editor, NoHint);
        return true;
    }

signals:
    void stored(int line, const QString& text, bool next) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                key->modifiers() & Qt::ControlModifier)
                return finish(true);
            if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
                static_cast<QPlainTextEdit*>(object)->insertPlainText(QStringLiteral("\t"));
                return true;
            }
        }
        return CutTextDelegate::eventFilter(object, event);
    }

private:
    mutable QPointer<QPlainTextEdit> m_open;
    mutable QPointer<QPlainTextEdit> m_spare; // closed, kept for the next row
    mutable QPersistentModelIndex m_editing;  // the cell the editor was given out for
    mutable int m_opened = 0;                 // editors given out so far
    mutable QString m_reference;              // the reference of the row the editor is on
    mutable bool m_next = false;
    mutable bool m_closing = false;
    mutable QString m_given; // the text the open editor was given
    struct MarkedAhead {
        QString text, reference;
        QList<SpelledWord> marks;
    };
    std::optional<MarkedAhead> m_markedAhead;
};

// The table: as the current row moves, the row it leaves and the row it reaches change height
// (the current row wraps its texts). A table paints every row below the first one resized again;
// this one paints the rows resized and, of the rows between and below them, those that moved.
// Without Q_OBJECT it is a QTableView to anyone who asks.
class WorkbenchTable : public QTableView {
public:
    explicit WorkbenchTable(QWidget* parent)
        : QTableView(parent)
    {
        disconnect(verticalHeader(), SIGNAL(sectionResized(int, int, int)), this,
                   SLOT(rowResized(int, int, int)));
        connect(verticalHeader(), &QHeaderView::sectionResized, this,
                [this](int row, int oldHeight, int newHeight) {
                    // All resized at once are painted once the event loop goes on.
                    if (m_resized.isEmpty())
                        QTimer::singleShot(0, this, [this] { paintResized(); });
                    const auto was = m_resized.constFind(row);
                    m_resized.insert(row,
                                     {was == m_resized.cend() ? oldHeight : was->first, newHeight});
                });
    }

protected:
    // Whether the table has the keyboard shows in its selected row and its current cell (and its
    // frame): only those are painted again as the keyboard comes and goes, as it does at each
    // Ctrl+Enter, from one row's editor to the table and on to the next row's. Unless the rest
    // of the cells' colours change with it too.
    void focusInEvent(QFocusEvent* event) override
    {
        if (!focusShowsInSelectionAlone()) {
            QTableView::focusInEvent(event);
            return;
        }
        setAttribute(Qt::WA_InputMethodEnabled, bool(currentIndex().flags() & Qt::ItemIsEditable));
        paintFocusShown();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        if (!focusShowsInSelectionAlone()) {
            QTableView::focusOutEvent(event);
            return;
        }
        if (qApp->autoSipEnabled() && testAttribute(Qt::WA_InputMethodEnabled))
            QGuiApplication::inputMethod()->hide();
        paintFocusShown();
    }

private:
    bool focusShowsInSelectionAlone() const
    {
        if (!currentIndex().isValid())
            return false;
        const QPalette& colours = palette();
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto r = QPalette::ColorRole(role);
            if (r != QPalette::Highlight && r != QPalette::HighlightedText &&
                colours.color(QPalette::Active, r) != colours.color(QPalette::Inactive, r))
                return false;
        }
        return true;
    }
    void paintFocusShown()
    {
        update(QRegion(rect()).subtracted(contentsRect()));
        viewport()->update(visualRegionForSelection(selectionModel()->selection()) +
                           visualRect(currentIndex()));
    }

    void paintResized()
    {
        const QMap<int, std::pair<int, int>> resized = std::exchange(m_resized, {});
        const int scrolled = verticalScrollBar()->value();
        updateGeometries(); // the scroll bar's range, and an open editor's place
        QWidget* view = viewport();
        if (verticalScrollBar()->value() != scrolled || resized.lastKey() >= model()->rowCount()) {
            view->update();
            return;
        }
        // In the rows' new places: each row resized, over its old height and its new, and the
        // rows after it up to the next one resized where the heights so far add up otherwise.
        // The rows after the last one resized show what they showed: moved as they are (what
        // was to be painted there moves with them), and what comes into view painted.
        QRegion changed;
        int moved = 0;
        for (auto it = resized.cbegin(); it != resized.cend(); ++it) {
            const auto [oldHeight, newHeight] = *it;
            const int top = rowViewportPosition(it.key());
            changed += QRect(0, top - moved, view->width(), oldHeight);
            changed += QRect(0, top, view->width(), newHeight);
            moved += newHeight - oldHeight;
            const bool last = std::next(it) == resized.cend();
            const int next = last ? view->height() : rowViewportPosition(std::next(it).key());
            const QRect after(0, top + newHeight, view->width(), next - top - newHeight);
            if (moved != 0 && last && after.isValid())
                view->scroll(0, moved, (after | after.translated(0, -moved)) & view->rect());
            else if (moved != 0)
                changed += after;
        }
        view->update(changed);
    }

    QMap<int, std::pair<int, int>> m_resized; // row: its height before, its height now
};

ReferenceDock::ReferenceDock(const ReferenceSession& reference, const SpellingSession& spelling,
                             const MemorySession& memory, const GlossarySession& glossary,
                             WorkbenchModel& model, QWidget* parent)
    : QDockWidget(parent)
    , m_reference(reference)
    , m_spelling(spelling)
    , m_memory(memory)
    , m_model(model)
    , m_glossary(glossary)
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
    m_filter->addItems({tr("All rows"), tr("Rows that need work"), tr("Untranslated rows"),
                        tr("Rows that need review"), tr("Rows not reviewed yet")});
    // The rows of one check; untranslated rows are those of "missing" already.
    for (const int c : AllChecks) {
        if (Check(c) != Check::Missing)
            m_filter->addItem(checkDescription(Check(c)), c);
    }
    // As wide as its first choices, so that a laptop's screen has room for the progress beside
    // it; its list shows the long ones whole.
    m_filter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_filter->setMinimumContentsLength(int(m_filter->itemText(1).size()));
    m_filter->view()->setMinimumWidth(m_filter->view()->sizeHintForColumn(0));
    auto* scopeLabel = new QLabel(tr("Ro&ws of:"), workbench);
    scopeLabel->setObjectName(QStringLiteral("lbl_scope"));
    scopeLabel->setBuddy(m_scope);
    auto* filterLabel = new QLabel(tr("S&how:"), workbench);
    filterLabel->setObjectName(QStringLiteral("lbl_filter"));
    filterLabel->setBuddy(m_filter);
    m_progress = new QLabel(workbench);
    m_progress->setObjectName(QStringLiteral("lbl_progress"));
    m_progress->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // never widens it
    m_message = new QLabel(workbench);
    m_message->setObjectName(QStringLiteral("lbl_message"));
    // Long texts wrap in the workbench's width rather than widen it.
    m_message->setWordWrap(true);

    m_table = new WorkbenchTable(workbench);
    m_table->setObjectName(QStringLiteral("ReferenceTable"));
    m_table->setAccessibleName(tr("Reference and translation"));
    m_table->setModel(&model);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the boxes above it, as in any dialog.
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(true);
    // The problems take the room the other columns leave; the state's symbol needs little.
    m_table->horizontalHeader()->setSectionResizeMode(WorkbenchModel::ProblemsColumn,
                                                      QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(WorkbenchModel::StateColumn,
                                                      QHeaderView::ResizeToContents);
    // The place column fits its texts, which only another set of rows changes: fitted when the
    // rows are set, not again for each row whose text changes.
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_table->setColumnWidth(1, 260);
    m_table->setColumnWidth(2, 260);
    m_table->installEventFilter(this);
    // Rows of hundreds of characters are laid out as far as they show.
    m_table->setItemDelegate(new CutTextDelegate(m_table));
    // The glossary's terms underlined in the current row's reference.
    auto* references = new CutTextDelegate(m_table);
    references->marks = [this](const QModelIndex& index) {
        QList<QTextLayout::FormatRange> marks;
        const Glossary* glossary = m_glossary.glossary();
        if (!glossary || index.row() != m_model.lineOf(m_model.current()))
            return marks;
        QTextCharFormat term;
        term.setUnderlineStyle(QTextCharFormat::DashUnderline);
        for (const TermPlace& place : glossary->find(index.data().toString()))
            marks.append({int(place.start), int(place.length), term});
        return marks;
    };
    m_table->setItemDelegateForColumn(WorkbenchModel::ReferenceColumn, references);
    m_editor = new TranslationEditor(m_table);
    m_table->setItemDelegateForColumn(TextColumn, m_editor);
    m_editor->speller = [this] { return m_spelling.speller(); };
    m_editor->addWord = [this](const QString& word) { emit wordAdded(word); };
    m_editor->typed = [this] { lookAhead(); };
    connect(&spelling, &SpellingSession::spellerChanged, m_editor, &TranslationEditor::forgetMarks);
    // Tab goes from the table to the boxes that choose its rows, and on to the window.
    setTabOrder(m_table, m_scope);
    setTabOrder(m_scope, m_filter);

    m_problems = new WrappedLabel(workbench);
    m_problems->setObjectName(QStringLiteral("lbl_row_problems"));
    m_problems->setAccessibleName(tr("Problems of this row"));
    m_problems->setTextFormat(Qt::RichText);
    m_problems->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    m_note = new QPlainTextEdit(workbench);
    m_note->setObjectName(QStringLiteral("txt_note"));
    m_note->setAccessibleName(tr("Note of this row"));
    m_note->setPlaceholderText(tr("Note of this row"));
    m_note->setTabChangesFocus(true);
    // Two lines: a longer note scrolls, and a laptop's screen keeps room for the table.
    m_note->setFixedHeight(2 * m_note->fontMetrics().lineSpacing() +
                           2 * (m_note->frameWidth() + int(m_note->document()->documentMargin())));
    m_note->installEventFilter(this);
    setTabOrder(m_table, m_note);
    setTabOrder(m_note, m_scope);

    auto* bar = new QHBoxLayout;
    bar->addWidget(scopeLabel);
    bar->addWidget(m_scope);
    bar->addWidget(filterLabel);
    bar->addWidget(m_filter);
    bar->addWidget(m_progress, 1);
    auto* layout = new QVBoxLayout(workbench);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(m_message);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_note);
    layout->addWidget(m_problems);
    m_termLabel = new WrappedLabel(workbench);
    m_termLabel->setObjectName(QStringLiteral("lbl_terms"));
    m_termLabel->setTextFormat(Qt::RichText);
    m_termLabel->hide();
    layout->addWidget(m_termLabel);
    for (int i = 1; i <= 3; ++i) {
        auto* label = new WrappedLabel(workbench);
        label->setObjectName(QStringLiteral("lbl_suggestion_%1").arg(i));
        label->setTextFormat(Qt::RichText);
        label->hide();
        layout->addWidget(label);
        m_suggestionLabels << label;
    }
    m_panelRest = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    layout->addSpacerItem(m_panelRest);
    setWidget(workbench);

    // The keyboard stays in this file's column, so that typing on any row starts its text.
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now) {
                if (!now.isValid())
                    return;
                if (now.column() != TextColumn) {
                    m_table->setCurrentIndex(now.siblingAtColumn(TextColumn));
                    return;
                }
                m_model.setCurrent(m_model.placeAt(now.row()));
            });
    connect(&model, &WorkbenchModel::currentChanged, this, &ReferenceDock::followCurrent);
    connect(&model, &WorkbenchModel::currentChanged, this, [this] { m_lookedAheadFrom = {}; });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        m_table->resizeColumnToContents(0);
        m_tallRow = -1;
        m_panelHeight = 0;
        followCurrent();
    });
    // Rows changed in place: the current one is shown again once the change is done, unless the
    // translator has gone on meanwhile (Ctrl+Enter stores a row and goes to the next at once).
    m_followLater = new QTimer(this);
    m_followLater->setSingleShot(true);
    connect(m_followLater, &QTimer::timeout, this, &ReferenceDock::followCurrent);
    connect(&model, &QAbstractItemModel::dataChanged, m_followLater, qOverload<>(&QTimer::start));
    // What a step found (nothing left to do) holds until the rows or the place change.
    connect(&model, &WorkbenchModel::countsChanged, this, [this] {
        m_progress->setText(m_model.progressText());
        sayLasting();
    });
    connect(&model, &WorkbenchModel::currentChanged, this, &ReferenceDock::sayLasting);
    // At once, also when the editor loses the keyboard to a click elsewhere: the text is stored
    // before that click does anything.
    connect(m_editor, &TranslationEditor::stored, this,
            [this](int line, const QString& text, bool next) {
                const ProblemPlace place = m_model.placeAt(line);
                if (place.form > 0)
                    emit textStored(place.form, place.row, text, next);
            });
    connect(m_scope, &QComboBox::currentIndexChanged, this,
            [this](int scope) { m_model.setAllForms(scope == 1); });
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this](int filter) {
        using Filter = WorkbenchModel::Filter;
        m_model.setFilter(Filter(std::min(filter, int(Filter::OneCheck))),
                          Check(m_filter->currentData().toInt()));
    });
    connect(&reference, &ReferenceSession::openedOrClosed, this, [this](bool open) {
        setWindowTitle(tr("Reference: ") + QFileInfo(m_reference.path()).fileName());
        setVisible(open);
        forgetSuggestions();
        say({});
    });
    connect(&glossary, &GlossarySession::changed, this, &ReferenceDock::showTerms);
}

void ReferenceDock::keepNote()
{
    // Only what the person typed: a note the row was given otherwise (an undo) is not undone.
    const int line = m_model.lineOf(m_notePlace);
    if (m_notePlace.form > 0 && line >= 0 && m_note->document()->isModified() &&
        m_note->toPlainText() !=
            m_model.index(line, TextColumn).data(WorkbenchModel::NoteRole).toString()) {
        m_note->document()->setModified(false);
        emit noteEdited(m_notePlace, m_note->toPlainText());
    }
}

void ReferenceDock::followCurrent()
{
    m_followLater->stop();
    const int line = m_model.lineOf(m_model.current());
    // What the note box holds is kept before it shows the current row's note, also when the row
    // is the same (a command that opens the editor shows it again).
    keepNote();
    m_notePlace = line < 0 ? ProblemPlace{} : m_model.current();
    const QString note =
        line < 0 ? QString()
                 : m_model.index(line, TextColumn).data(WorkbenchModel::NoteRole).toString();
    if (m_note->toPlainText() != note)
        m_note->setPlainText(note);
    m_note->setEnabled(line >= 0);
    // Setting the table's current row tells the model the place it already has.
    if (line < 0) {
        m_table->selectionModel()->clear();
    } else {
        m_table->selectionModel()->setCurrentIndex(m_model.index(line, TextColumn),
                                                   QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
        m_table->scrollTo(m_model.index(line, TextColumn));
    }
    m_problems->setText(
        line < 0
            ? QString()
            : m_model.index(line, TextColumn).data(WorkbenchModel::ProblemHtmlRole).toString());
    fitCurrentRow();
    showTerms();
    showSuggestions();
}

void ReferenceDock::fitCurrentRow()
{
    const int line = m_model.lineOf(m_model.current());
    QHeaderView* rows = m_table->verticalHeader();
    if (m_tallRow >= 0 && m_tallRow != line && m_tallRow < m_model.rowCount())
        rows->resizeSection(m_tallRow, rows->defaultSectionSize());
    m_tallRow = line;
    if (line >= 0)
        m_table->resizeRowToContents(line);
    // Rows shown again above the current one (an undo under a filter) move it down as its height
    // changes: painted anew whole, no part of it stays where it was.
    m_table->viewport()->update();
}

void ReferenceDock::forgetSuggestions()
{
    m_suggestedFor = {};
    m_ahead.reset();
    showSuggestions();
}

void ReferenceDock::lookAhead()
{
    // Once per row, after the key that started it has been handled.
    if (std::exchange(m_lookedAheadFrom, m_model.current()) == m_model.current())
        return;
    QTimer::singleShot(0, this, [this] {
        const ProblemPlace from = m_model.current();
        if (from != m_lookedAheadFrom)
            return;
        const std::optional<ProblemPlace> next =
            m_model.nextToDo(from, WorkbenchModel::Direction::Forward);
        if (!next || *next == from)
            return;
        // Its marks, which its editor shows as it opens ...
        const int line = m_model.lineOf(*next);
        if (line >= 0)
            m_editor->markAhead(m_model.index(line, TextColumn).data(Qt::EditRole).toString(),
                                referenceAt(*next));
        // ... and its suggestions.
        if (!m_memory.isUsable())
            return;
        Lookup ahead{
            *next, referenceAt(*next), m_reference.referenceLanguage(), m_spelling.language(), {}};
        if (m_ahead && m_ahead->sameAs(ahead))
            return;
        if (!ahead.reference.isEmpty())
            ahead.suggestions = m_memory.suggestionsFor(next->form, next->row);
        // ... laid out in the panel as they will show.
        for (int i = 0; i < m_suggestionLabels.size() && i < ahead.suggestions.size(); ++i)
            static_cast<WrappedLabel*>(m_suggestionLabels.at(i))
                ->layOutAhead(suggestionText(i + 1, ahead.suggestions.at(i), ahead.reference));
        m_ahead = std::move(ahead);
    });
}

QString ReferenceDock::currentReference() const
{
    return referenceAt(m_model.current());
}

QString ReferenceDock::referenceAt(ProblemPlace place) const
{
    return place.form > 0 && place.row >= 0 && m_reference.reference()
               ? m_reference.reference()->formText(place.form).at(place.row)
               : QString();
}

void ReferenceDock::showSuggestions()
{
    const ProblemPlace place = m_model.current();
    const QString reference = currentReference();
    // One lookup per row shown: moving on and coming back, or an edit of the row, asks again.
    if (place != m_suggestedFor || reference != m_suggestedText) {
        m_suggestedFor = place;
        m_suggestedText = reference;
        const Lookup now{
            place, reference, m_reference.referenceLanguage(), m_spelling.language(), {}};
        // Looked up already while the row before was typed, or now.
        if (m_ahead && m_ahead->sameAs(now))
            m_suggestions = std::move(m_ahead->suggestions);
        else
            m_suggestions = reference.isEmpty() ? QList<Suggestion>()
                                                : m_memory.suggestionsFor(place.form, place.row);
        m_ahead.reset();
    }
    for (int i = 0; i < m_suggestionLabels.size(); ++i) {
        QLabel* label = m_suggestionLabels.at(i);
        label->setVisible(i < m_suggestions.size());
        if (i >= m_suggestions.size())
            continue;
        const MemoryUnit& unit = m_suggestions.at(i).unit;
        label->setText(suggestionText(i + 1, m_suggestions.at(i), reference));
        label->setToolTip(
            unit.row >= 0 && unit.form > 0
                ? tr("%1, form %2, row %3").arg(unit.origin).arg(unit.form).arg(unit.row)
                : unit.origin);
    }
    keepPanelHeight();
}

QString ReferenceDock::suggestionText(int number, const Suggestion& suggestion,
                                      const QString& reference) const
{
    // The words of the suggestion's source that the reference does not have, in bold.
    return tr("Ctrl+%1: %2% %3 <i>(from \"%4\")</i>")
        .arg(number)
        .arg(suggestion.score)
        .arg(suggestion.unit.target.toHtmlEscaped(),
             markChangedWords(reference, suggestion.unit.source).after);
}

void ReferenceDock::keepPanelHeight()
{
    // The height the problems and the suggestions take at the table's width, as laid out.
    const int width = m_table->width();
    if (!isVisible() || width <= 0)
        return;
    if (std::exchange(m_panelWidth, width) != width)
        m_panelHeight = 0;
    const int spacing = widget()->layout()->spacing();
    int taken = 0;
    for (QLabel* label : QList<QLabel*>{m_problems, m_termLabel} + m_suggestionLabels) {
        if (!label->isHidden())
            taken += label->heightForWidth(width) + spacing;
    }
    // The panel keeps the most it took since the rows or the width changed, so that the table
    // above it keeps its size from row to row and paints only what changed in it.
    m_panelHeight = std::max(m_panelHeight, taken);
    if (m_panelRest->sizeHint().height() != m_panelHeight - taken) {
        m_panelRest->changeSize(0, m_panelHeight - taken, QSizePolicy::Minimum, QSizePolicy::Fixed);
        widget()->layout()->invalidate();
    }
}

void ReferenceDock::showTerms()
{
    m_termTexts.clear();
    const Glossary* glossary = m_glossary.glossary();
    const QString reference = currentReference();
    QStringList shown, notes;
    QList<qsizetype> listed;
    for (const TermPlace& place : glossary ? glossary->find(reference) : QList<TermPlace>()) {
        if (listed.contains(place.term) || listed.size() == TermKeys)
            continue;
        listed << place.term;
        const GlossaryTerm& term = glossary->terms().at(place.term);
        // As written, without the reference's access key.
        const QString written = withoutAccessKeys(reference.mid(place.start, place.length));
        m_termTexts << (term.doNotTranslate ? written : term.target);
        // The glossary's own words, its note after them.
        QString said = term.doNotTranslate
                           ? tr("Alt+%1: <b>%2</b> not translated")
                                 .arg(listed.size())
                                 .arg(written.toHtmlEscaped())
                           : tr("Alt+%1: <b>%2</b> is %3")
                                 .arg(listed.size())
                                 .arg(term.source.toHtmlEscaped(), term.target.toHtmlEscaped());
        if (!term.note.isEmpty())
            said += QStringLiteral(" <i>(%1)</i>").arg(term.note.toHtmlEscaped());
        shown << said;
    }
    m_termLabel->setText(
        shown.isEmpty() ? QString() : tr("Glossary: %1").arg(shown.join(QStringLiteral(", "))));
    m_termLabel->setVisible(!shown.isEmpty());
    emit termsShown(m_termTexts);
    // The current row's cell shows its terms marked.
    if (const int line = m_model.lineOf(m_model.current()); line >= 0)
        m_table->update(m_model.index(line, WorkbenchModel::ReferenceColumn));
}

void ReferenceDock::insertTerm(int number)
{
    if (number < 1 || number > m_termTexts.size())
        return;
    const QString term = m_termTexts.at(number - 1);
    const ProblemPlace place = m_model.current();
    // Where the keyboard is: in the note box, the term goes into the note.
    if (m_note->hasFocus()) {
        m_note->insertPlainText(term);
        return;
    }
    if (QPlainTextEdit* editor = openEditor(); editor && !m_editor->closing()) {
        // A word of its own: a space before it where the cursor is right after a word, and after
        // it where a word follows.
        const QTextCursor cursor = editor->textCursor();
        const QString text = editor->toPlainText();
        const auto letter = [&text](qsizetype at) {
            return at >= 0 && at < text.size() && text.at(at).isLetterOrNumber();
        };
        const QString space = QStringLiteral(" ");
        editor->insertPlainText((letter(cursor.selectionStart() - 1) ? space : QString()) + term +
                                (letter(cursor.selectionEnd()) ? space : QString()));
        editor->setFocus();
        return;
    }
    const QString text =
        m_model.index(m_model.lineOf(place), TextColumn).data(Qt::EditRole).toString();
    editRow(place, text.isEmpty() || text.back().isSpace() ? text + term : text + u' ' + term);
}

QString ReferenceDock::EditorState::selected() const
{
    return text.mid(std::min(anchor, position), std::abs(position - anchor));
}

std::optional<ReferenceDock::EditorState> ReferenceDock::editorState() const
{
    const QPlainTextEdit* editor = openEditor();
    if (!editor)
        return std::nullopt;
    const QTextCursor cursor = editor->textCursor();
    return EditorState{m_model.current(), editor->toPlainText(), cursor.anchor(),
                       cursor.position()};
}

void ReferenceDock::restoreEditor(const EditorState& state)
{
    editRow(state.place, state.text);
    // Once it is open: at once, or after the editor that was closing has stored its text.
    QTimer::singleShot(0, this, [this, state] {
        QPlainTextEdit* editor = openEditor();
        if (!editor || m_model.current() != state.place || editor->toPlainText() != state.text)
            return;
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(state.anchor);
        cursor.setPosition(state.position, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    });
}

void ReferenceDock::takeSuggestion(int number)
{
    // A copy: opening the editor may look the suggestions up anew.
    if (number < 1 || number > m_suggestions.size())
        return;
    const Suggestion taken = m_suggestions.at(number - 1);
    m_taken = {m_model.current(), taken.unit.target, taken.score};
    editRow(m_model.current(), taken.unit.target);
}

RowState ReferenceDock::stateOfStored(ProblemPlace place, const QString& text) const
{
    // A suggestion of another text, stored as the memory gave it, asks for a look.
    return m_taken.place == place && m_taken.text == text && m_taken.score < 100
               ? RowState::NeedsReview
               : RowState::Translated;
}

void ReferenceDock::showRow(ProblemPlace place, bool edit)
{
    m_model.catchUp();
    const bool there = m_model.current() == place;
    m_model.setCurrent(place);
    // Going there may have selected another form: the table shows its rows first. Going to
    // another place has shown it already (and rows changed since show it again once the change
    // is done).
    m_model.catchUp();
    if (there)
        followCurrent();
    if (!edit || m_model.lineOf(place) < 0)
        return;
    if (m_editor->closing()) {
        // Once the closing editor's text is stored: the place, if it is still current, only has
        // its editor opened.
        QTimer::singleShot(0, this, [this, place] {
            m_model.catchUp();
            if (m_model.current() != place)
                showRow(place, true);
            else
                editCurrent();
        });
        return;
    }
    editCurrent();
}

void ReferenceDock::editCurrent()
{
    const int line = m_model.lineOf(m_model.current());
    if (line < 0)
        return;
    if (QPlainTextEdit* editor = openEditor(); editor && m_table->currentIndex().row() == line) {
        editor->setFocus(); // already there: taking the keyboard away would store its text
        return;
    }
    m_table->setFocus();
    m_table->edit(m_model.index(line, TextColumn));
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
    if (m_model.current().row >= 0)
        editRow(m_model.current(), currentReference());
}

void ReferenceDock::copyReferenceShortcut()
{
    const ProblemPlace place = m_model.current();
    const QString reference = currentReference();
    const qsizetype tab = reference.indexOf(u'\t');
    if (tab < 0)
        return;
    const QPlainTextEdit* editor = openEditor();
    QString text =
        editor ? editor->toPlainText()
               : m_model.index(m_model.lineOf(place), TextColumn).data(Qt::EditRole).toString();
    text = text.left(text.indexOf(u'\t')) + reference.mid(tab);
    editRow(place, text);
}

void ReferenceDock::editRow(ProblemPlace place, const QString& text)
{
    if (m_editor->closing()) {
        // Asked while the editor stores its text: once it has closed.
        QTimer::singleShot(0, this, [this, place, text] { editRow(place, text); });
        return;
    }
    if (!openEditor() || m_model.current() != place)
        showRow(place, true);
    if (QPlainTextEdit* editor = openEditor()) {
        // As typed over the selection, so that the editor's own undo brings back what was there.
        editor->selectAll();
        editor->insertPlainText(text);
        editor->setFocus();
    }
}

void ReferenceDock::say(const QString& text)
{
    m_lasting = text;
    m_message->setText(text);
}

void ReferenceDock::sayForNow(const QString& text)
{
    m_forNow = true;
    m_message->setText(text);
}

void ReferenceDock::sayLasting()
{
    if (std::exchange(m_forNow, false))
        m_message->setText(m_lasting);
}

bool ReferenceDock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_note && event->type() == QEvent::FocusOut)
        keepNote();
    // While the keyboard is in the table, its keys act on the table's current row, as in any
    // table: the window's commands with the same keys act elsewhere.
    if (watched != m_table ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QDockWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ours = key->matches(QKeySequence::Delete) || key->matches(QKeySequence::Copy) ||
                      key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste) ||
                      key->matches(QKeySequence::SelectAll);
    if (!ours)
        return QDockWidget::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    const ProblemPlace place = m_model.current();
    const int line = m_model.lineOf(place);
    if (line < 0)
        return true;
    const QString text = m_model.index(line, TextColumn).data(Qt::EditRole).toString();
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut))
        QApplication::clipboard()->setText(text);
    if (key->matches(QKeySequence::Delete) || key->matches(QKeySequence::Cut))
        emit textStored(place.form, place.row, QString(), false);
    if (key->matches(QKeySequence::Paste))
        editRow(place, QApplication::clipboard()->text());
    return true;
}

#include "ReferenceDock.moc"
