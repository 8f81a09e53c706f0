#include "LanguageSession.h"

#include "LanguageFile.h"
#include "Recovery.h"
#include "ReviewFile.h"
#include "RowAlgorithms.h"
#include "SafeFile.h"
#include "Toolkit.h"

#include <QFileInfo>
#include <QSignalBlocker>
#include <QUndoStack>

#include <numeric>

#include <stdexcept>

namespace {

// The document of a state as a save would write it: its selected form's rows committed.
LanguageDocument committedDocument(const SessionState& state)
{
    LanguageDocument document = state.document;
    commitWorkingCopy(state.copy, int(state.document.SelectedForm), document);
    return document;
}

// The first row of a form whose text differs between two states, as each would be saved, or
// else whose review does (marked reviewed, a note); form 0 when no row differs.
PlacedText firstChangedRow(const SessionState& a, const SessionState& b)
{
    const LanguageDocument x = committedDocument(a), y = committedDocument(b);
    for (const int form : LanguageDocument::Forms) {
        const LanguageTable &before = x.formText(form), &after = y.formText(form);
        for (int row = 0; row <= after.lastIndex(); ++row) {
            if (before.at(row) != after.at(row))
                return {form, row, after.at(row)};
        }
    }
    std::optional<RowKey> first;
    const auto firstNotIn = [&first](const QMap<RowKey, RowReview>& some,
                                     const QMap<RowKey, RowReview>& other) {
        for (auto it = some.cbegin(); it != some.cend() && (!first || it.key() < *first); ++it) {
            if (other.value(it.key()) != *it) {
                first = it.key();
                return;
            }
        }
    };
    firstNotIn(a.review.rows, b.review.rows);
    firstNotIn(b.review.rows, a.review.rows);
    if (!first)
        return {};
    return {first->form, first->row, y.formText(first->form).at(first->row)};
}

// The review kept beside a language file as it is opened. One that cannot be read is said and
// moved aside, never lost, and the file opens without it.
Review openedReview(const QString& path, Toolkit& toolkit)
{
    const ReviewReading reading = readReviewBeside(path);
    if (reading.problem.isEmpty())
        return reading.review;
    const QString companion = reviewPath(path);
    QString aside;
    const QString moved = moveAside(companion, aside);
    const QString& cause = reading.problem;
    toolkit.messageBox(
        moved.isEmpty()
            ? LanguageSession::tr("The review beside this file, %1, cannot be read (%2). It was "
                                  "moved to %3; the file opens without it.")
                  .arg(companion, cause, aside)
            : LanguageSession::tr("The review beside this file, %1, cannot be read (%2), nor "
                                  "moved aside (%3); the file opens without it, and a save "
                                  "replaces it.")
                  .arg(companion, cause, moved),
        MsgStyle::Exclamation);
    return {};
}

} // namespace

bool SessionState::operator==(const SessionState& other) const
{
    const int form = int(document.SelectedForm);
    if (form != int(other.document.SelectedForm) ||
        document.SelectedRow != other.document.SelectedRow || !(copy == other.copy) ||
        !(marks == other.marks) || !(review == other.review))
        return false;
    if (document.sameTables(other.document))
        return true;
    // Tables that differ only by what the next commit writes anyway are the same to a save.
    return committedDocument(*this).sameTables(committedDocument(other));
}

// One step of the edit history: the states before and after a change the person made. The
// change is made before the step is recorded; undo shows the state before it, redo the state
// after.
class EditStep : public QUndoCommand {
public:
    EditStep(LanguageSession& session, const QString& name, SessionState before, SessionState after,
             int mergeId)
        : QUndoCommand(name)
        , m_session(session)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_mergeId(mergeId)
    {
    }

    void undo() override
    {
        m_session.showState(m_before, keepsPlace());
        emit m_session.stepShown(firstChangedRow(m_after, m_before));
    }
    void redo() override
    {
        // QUndoStack::push redoes the step at once; the change it records is already shown.
        if (std::exchange(m_made, false))
            return;
        m_session.showState(m_after, keepsPlace());
        emit m_session.stepShown(firstChangedRow(m_before, m_after));
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        m_after = static_cast<const EditStep*>(other)->m_after;
        // Typing that ends where it began is no change at all.
        setObsolete(m_after == m_before);
        return true;
    }

private:
    bool keepsPlace() const
    {
        const LanguageDocument &a = m_before.document, &b = m_after.document;
        return a.SelectedForm == b.SelectedForm && a.SelectedRow == b.SelectedRow &&
               m_before.copy.rows == m_after.copy.rows && m_before.marks == m_after.marks;
    }

    LanguageSession& m_session;
    SessionState m_before, m_after;
    int m_mergeId;
    bool m_made = true;
};

LanguageSession::LanguageSession(QObject* parent)
    : QObject(parent)
    , m_history(new QUndoStack(this))
{
    m_history->setUndoLimit(UndoLimit);
    // Back at the state last opened or saved, nothing is unsaved; a step away, something is.
    connect(m_history, &QUndoStack::indexChanged, this,
            [this] { setUnsavedChanges(!m_history->isClean()); });
    m_copy.formNames = newFormNames();
}

int LanguageSession::designatedRow() const
{
    const int s = selectedRow();
    return m_document.SelectedRow >= 0 && s < m_copy.rows.size() ? s : -1;
}

LanguageDocument LanguageSession::committed() const
{
    return committedDocument(state());
}

Review LanguageSession::committedReview() const
{
    // The review of each row goes where a commit stores the row: item i at row i; a row deleted
    // from the list goes with its review.
    const int form = selectedForm();
    if (form < 1 || form > LanguageDocument::FormCount)
        return m_review;
    Review review = m_review;
    review.rows.removeIf([form](const auto& row) { return row.key().form == form; });
    for (int item = 0; item < m_copy.rows.size() && item <= LanguageDocument::LastRow; ++item)
        if (const RowReview* row = m_review.find({form, m_copy.originOf(item)}))
            review.rows.insert({form, item}, *row);
    return review;
}

void LanguageSession::setUnsavedChanges(bool changed)
{
    const bool was = hasUnsavedChanges();
    m_document.UnsavedChanges = changed ? 1 : 0;
    if (was != changed)
        emit unsavedChangesChanged(changed);
}

void LanguageSession::setCurrentFile(const QString& path, const QString& title)
{
    m_path = path;
    m_title = title;
    emit currentFileChanged(path, title);
}

SessionState LanguageSession::state() const
{
    return {m_document, m_copy, m_marks, m_review};
}

void LanguageSession::showState(const SessionState& state, bool keepPlace)
{
    const float unsaved = m_document.UnsavedChanges;
    const float form = m_document.SelectedForm, row = m_document.SelectedRow;
    m_document = state.document;
    m_document.UnsavedChanges = unsaved;
    setReview(state.review);
    if (keepPlace) {
        // The rows are the step's own where its form is still selected; where they were read
        // from goes with the tables (a commit in the step stored them elsewhere).
        if (m_document.SelectedForm == form)
            m_copy.origins = state.copy.origins;
        m_document.SelectedForm = form;
        m_document.SelectedRow = row;
        m_copy.formNames = state.copy.formNames;
        m_copy.settings = state.copy.settings;
    } else {
        m_copy = state.copy;
    }
    ++m_typingRun;
    if (keepPlace) {
        emit formNamesChanged(false);
        emit settingsChanged();
    } else {
        showWholeCopy();
        emit selectionChanged();
        // After the renders, which note the marks they leave.
        m_marks = state.marks;
        emit viewMarksRestored(m_marks);
    }
    emit contentsChanged();
}

void LanguageSession::recordStep(const QString& name, const SessionState& before, int mergeId)
{
    SessionState after = state();
    if (after == before)
        return;
    if (mergeId == -1)
        ++m_typingRun;
    m_history->push(new EditStep(*this, name, before, std::move(after), mergeId));
}

template <typename Change>
void LanguageSession::editRows(const QString& step, Stored stored, Change change,
                               const QMap<RowKey, RowReview>& reviews)
{
    const SessionState before = state();
    change(m_copy.rows, m_copy.origins);
    emit rowsChanged(false);
    emit contentsChanged();
    setUnsavedChanges(true);
    if (stored == Stored::Now)
        commit();
    addReviews(reviews);
    recordStep(step, before);
}

void LanguageSession::setReview(const Review& review)
{
    if (review == m_review)
        return;
    m_review = review;
    emit reviewChanged();
}

void LanguageSession::addReviews(const QMap<RowKey, RowReview>& rows)
{
    Review review = m_review;
    for (auto row = rows.cbegin(); row != rows.cend(); ++row)
        review.rows.insert(row.key(), row.value());
    setReview(review);
}

void LanguageSession::reviewRows(const QString& step, const QMap<RowKey, RowReview>& rows)
{
    const SessionState before = state();
    addReviews(rows);
    emit contentsChanged();
    recordStep(step, before);
}

void LanguageSession::appendRow(const QString& text)
{
    const int row = int(m_copy.rows.size());
    editRows(tr("New text"), Stored::Now, [&](QStringList& rows, QList<int>& origins) {
        origins.resize(rows.size(), WorkingCopy::Added);
        rows.append(text);
        origins.append(WorkingCopy::Added);
    });
    sayStored({row});
}

void LanguageSession::replaceRow(int row, const QString& text)
{
    if (row < 0 || row >= m_copy.rows.size())
        throw std::out_of_range("the edited row is not in the list");
    editRows(tr("Edit text"), Stored::Now,
             [&](QStringList& rows, QList<int>&) { rows[row] = text; });
    sayStored({row});
}

void LanguageSession::storeRows(const QString& step, const QStringList& byRow,
                                const QList<int>& stored, const QMap<RowKey, RowReview>& reviews)
{
    QStringList rows = byRow;
    while (!rows.isEmpty() && rows.last().size() <= 1)
        rows.removeLast();
    editRows(
        step, Stored::Now,
        [&rows](QStringList& list, QList<int>& origins) {
            list = std::move(rows);
            // Each text is at its own row: the review of each row stays with it.
            origins.resize(list.size());
            std::iota(origins.begin(), origins.end(), 0);
        },
        reviews);
    sayStored(stored);
}

void LanguageSession::sayStored(const QList<int>& rows)
{
    // A commit stores the row list from row 0 on: item i is row i of the form now.
    const int form = selectedForm();
    if (form < 1 || form > LanguageDocument::FormCount)
        return;
    const LanguageTable& table = m_document.formText(form);
    QList<PlacedText> texts;
    for (int row : rows) {
        if (table.contains(row))
            texts.append({form, row, table.at(row)});
    }
    if (!texts.isEmpty())
        emit rowsStored(texts);
}

void LanguageSession::insertRow(int at)
{
    editRows(tr("Insert text"), Stored::Later, [at](QStringList& rows, QList<int>& origins) {
        insertNewRow(rows, at);
        origins.insert(std::min(at, int(origins.size())), WorkingCopy::Added);
    });
}

void LanguageSession::deleteRow(int at)
{
    // Throws for a row that is not there, before anything changed.
    editRows(tr("Delete text"), Stored::Later, [at](QStringList& rows, QList<int>& origins) {
        ::deleteRow(rows, at);
        if (at < origins.size())
            origins.removeAt(at);
    });
}

int LanguageSession::replaceInRows(const QString& search, const QString& replacement)
{
    const SessionState before = state();
    const int changed = ::replaceInRows(m_copy.rows, search, replacement);
    emit rowsChanged(false);
    if (changed > 0) {
        emit contentsChanged();
        setUnsavedChanges(true);
        recordStep(tr("Replace"), before);
    }
    return changed;
}

void LanguageSession::renameForm(int form, const QString& name)
{
    if (form < 1 || form > m_copy.formNames.size())
        throw std::out_of_range("no such form in the form list");
    const SessionState before = state();
    m_copy.formNames[form - 1] = name;
    emit formNamesChanged(false);
    commit();
    emit contentsChanged();
    setUnsavedChanges(true);
    recordStep(tr("Edit form"), before);
}

void LanguageSession::setSetting(FileSetting setting, const QString& text)
{
    QString& kept = m_copy.settings[std::size_t(setting)];
    if (kept == text)
        return;
    const SessionState before = state();
    kept = text;
    emit contentsChanged();
    recordStep(tr("Typing in %1").arg(settingLabel(setting)), before,
               (m_typingRun % 100000) * 8 + int(setting));
}

void LanguageSession::fillRows(const QString& step, const QList<PlacedText>& texts,
                               const QMap<RowKey, RowReview>& reviews)
{
    if (texts.isEmpty())
        return;
    const SessionState before = state();
    commit();
    for (const PlacedText& t : texts)
        m_document.formText(t.form).set(t.row, t.text);
    const WorkingCopy shown = openedWorkingCopy(m_document, selectedForm());
    m_copy.rows = shown.rows;
    m_copy.origins = shown.origins;
    addReviews(reviews);
    emit rowsChanged(true);
    emit contentsChanged();
    setUnsavedChanges(true);
    recordStep(step, before);
    emit rowsStored(texts);
}

void LanguageSession::storeText(const QString& step, const PlacedText& text,
                                const QMap<RowKey, RowReview>& reviews)
{
    if (text.form == selectedForm())
        throw std::invalid_argument("the selected form is stored through its row list");
    const SessionState before = state();
    m_document.formText(text.form).set(text.row, text.text);
    addReviews(reviews);
    emit contentsChanged();
    recordStep(step, before); // a step taken marks the document changed
    emit rowsStored({text});
}

void LanguageSession::selectForm(int form)
{
    const SessionState before = state();
    const auto stored = [this](int f) { return openedWorkingCopy(m_document, f); };
    const bool dropping = m_copy.rows != stored(selectedForm()).rows;
    ++m_typingRun;
    m_document.SelectedForm = float(form);
    const WorkingCopy shown = stored(form);
    m_copy.rows = shown.rows;
    m_copy.origins = shown.origins;
    emit selectionChanged();
    emit rowsChanged(true);
    emit contentsChanged();
    if (dropping)
        recordStep(tr("Select form"), before);
}

void LanguageSession::selectRow(int row)
{
    m_document.SelectedRow = float(row);
    emit selectionChanged();
}

int LanguageSession::commit()
{
    setReview(committedReview());
    const int dropped = commitWorkingCopy(m_copy, selectedForm(), m_document);
    // Each row of the list is stored at its own index now.
    m_copy.origins.resize(m_copy.rows.size());
    std::iota(m_copy.origins.begin(), m_copy.origins.end(), 0);
    return dropped;
}

int LanguageSession::rowOf(int item) const
{
    const int origin = m_copy.originOf(item);
    return origin >= 0 ? origin : item;
}

int LanguageSession::itemOf(int row) const
{
    for (int i = 0; i < m_copy.rows.size(); ++i) {
        const int origin = m_copy.originOf(i);
        if (origin == row || (origin < 0 && i == row))
            return i;
    }
    return -1;
}

void LanguageSession::reset()
{
    m_document.clearTables();
    setReview({});
    setCurrentFile(QString(), QString());
    WorkingCopy cleared;
    for (FileSetting kept : {FileSetting::Revision, FileSetting::Date})
        cleared.settings[std::size_t(kept)] = m_copy.settings[std::size_t(kept)];
    m_copy = cleared;
    m_document.SelectedRow = 0;
    m_document.SelectedForm = 0;
    showWholeCopy();
    emit selectionChanged();
    emit contentsChanged();
}

void LanguageSession::newDocument()
{
    m_copy.formNames = newFormNames();
    emit formNamesChanged(true);
    m_history->clear();
    setUnsavedChanges(false);
    emit documentReplaced();
}

void LanguageSession::newDocumentFrom(const LanguageDocument& reference)
{
    newDocument();
    m_copy.formNames = openedFormNames(reference);
    const auto settings = documentSettings(reference);
    for (FileSetting taken : {FileSetting::Application, FileSetting::Version})
        m_copy.settings[std::size_t(taken)] = settings[std::size_t(taken)];
    emit formNamesChanged(true);
    emit settingsChanged();
    emit contentsChanged();
}

bool LanguageSession::open(const QString& path, const QString& title, Toolkit& toolkit)
{
    // The window shows the cleared lists and boxes while the loader may report a failure.
    m_copy.rows.clear();
    m_copy.formNames.clear();
    for (FileSetting cleared :
         {FileSetting::Application, FileSetting::Version, FileSetting::Author})
        m_copy.settings[std::size_t(cleared)].clear();
    m_document.SelectedForm = 0;
    m_document.SelectedRow = 0;
    showWholeCopy();
    emit selectionChanged();
    setCurrentFile(m_path, QString());

    // On failure the loader has said so; the session goes on with the tables as they are.
    const bool loaded = LoadLanguageFile(m_document, path, toolkit);
    setReview(loaded ? openedReview(path, toolkit) : Review{});
    documentCameIn(path, title);
    m_history->clear();
    setUnsavedChanges(false);
    emit contentsChanged();
    emit documentReplaced();
    return loaded;
}

void LanguageSession::showWholeCopy()
{
    emit formNamesChanged(true);
    emit rowsChanged(true);
    emit settingsChanged();
}

void LanguageSession::documentCameIn(const QString& path, const QString& title)
{
    m_document.SelectedForm = 0;
    m_document.SelectedRow = 0;
    setCurrentFile(path, title);
    m_copy = openedWorkingCopy(m_document, 0);
    showWholeCopy();
    emit selectionChanged();
}

bool LanguageSession::save(Toolkit& toolkit)
{
    if (!SaveLanguageFile(m_document, m_path, toolkit, reviewBeside(m_path, m_review)))
        return false;
    m_history->setClean();
    setUnsavedChanges(false);
    emit saved(m_path);
    return true;
}

void LanguageSession::restore(const RecoveryCopy& copy)
{
    const float unsaved = m_document.UnsavedChanges;
    m_document = copy.document;
    m_document.UnsavedChanges = unsaved;
    setReview(copy.review);
    documentCameIn(copy.path, QFileInfo(copy.path).fileName());
    {
        // Quietly: the history's signal would take the changes for saved.
        const QSignalBlocker quiet(m_history);
        m_history->clear();
        // The restored document is not the file on disk: no undo leads back to a saved state.
        m_history->resetClean();
    }
    setUnsavedChanges(true);
    emit contentsChanged();
    emit documentReplaced();
}
