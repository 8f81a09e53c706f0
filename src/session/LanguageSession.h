#pragma once

#include "LanguageDocument.h"
#include "Review.h"
#include "WorkingCopy.h"

#include <QObject>

class QUndoStack;
class Toolkit;
struct RecoveryCopy;

// What only the window shows beside the document: the highlighted form and row, and what the
// status bar says of them. The window tells the session whenever they change; each step keeps
// them so that undo and redo can show them again.
struct ViewMarks {
    int formHighlight = -1, rowHighlight = -1;
    QString formStatus, rowStatus;
    bool operator==(const ViewMarks&) const = default;
};

// Everything one state of the edit history holds: the tables with the selection, the working
// copy, the view marks, and the review kept beside the file.
struct SessionState {
    LanguageDocument document; // its UnsavedChanges is not part of the state
    WorkingCopy copy;
    ViewMarks marks;
    Review review;

    // The same on screen and to a save (which commits the working copy first).
    bool operator==(const SessionState& other) const;
};

// One document being edited: its tables, the working copy the window shows, the edit history
// and the file it belongs to. Every edit the window offers is one call here; each says what it
// changed through the signals below, and the window renders from them. The session is the only
// writer of the unsaved-changes flag, which follows the history: back at the state last opened
// or saved, nothing is unsaved.
class LanguageSession : public QObject {
    Q_OBJECT
public:
    // At most this many steps are kept.
    static constexpr int UndoLimit = 200;

    explicit LanguageSession(QObject* parent = nullptr);

    const LanguageDocument& document() const { return m_document; }
    const WorkingCopy& workingCopy() const { return m_copy; }
    int selectedForm() const { return int(m_document.SelectedForm); }
    // The list index of the row last selected (kept across forms and deletes).
    int selectedRow() const { return int(m_document.SelectedRow); }
    // The row SelectedRow designates in the row list, or -1 when it designates none.
    int designatedRow() const;
    // The item of the row list that translates reference row `row`, or -1 when none does.
    int itemOf(int row) const;
    // The reference row the item of the row list translates.
    int rowOf(int item) const;
    bool hasUnsavedChanges() const { return m_document.UnsavedChanges == 1; }
    QString path() const { return m_path; }
    QString title() const { return m_title; }
    QUndoStack* history() const { return m_history; }
    // The document as a save would write it now: the working copy committed into a copy.
    LanguageDocument committed() const;
    // What is known of the rows beyond their texts: states, notes, accepted problems. Saved beside
    // the file, in step with it.
    const Review& review() const { return m_review; }
    // The review as a save would write it now: each row's where the commit stores the row.
    Review committedReview() const;
    // What is known of these rows now, as one step (marked reviewed, a note written).
    void reviewRows(const QString& step, const QMap<RowKey, RowReview>& rows);

    void setViewMarks(const ViewMarks& marks) { m_marks = marks; }
    const ViewMarks& viewMarks() const { return m_marks; }

    // The flag, and the file the document belongs to (empty for one never saved).
    void setUnsavedChanges(bool changed);
    void setCurrentFile(const QString& path, const QString& title);

    // Row edits, each one step. New text and Edit text store the form at once; Insert and
    // Delete change only the row list. Edit and Delete throw std::out_of_range for a row the
    // list does not hold.
    void appendRow(const QString& text);
    void replaceRow(int row, const QString& text);
    void insertRow(int at);
    void deleteRow(int at);
    // Replaces in every row of the list; one step when a row changed. Returns how many did.
    int replaceInRows(const QString& search, const QString& replacement);
    // Lays the selected form out with each text at its row (as rowsByOrigin gives them, without
    // gaps, so that nothing moves) and stores it, as one step. The rows in `stored` are the ones
    // the person stored a text for (the same text again included); the others keep theirs.
    // `reviews` says of rows what is known of them now, in the same step.
    void storeRows(const QString& step, const QStringList& byRow, const QList<int>& stored,
                   const QMap<RowKey, RowReview>& reviews = {});
    // Stores each text at its form and row (rows of any form), as one step; the selected form's
    // list is stored first and then shows the rows as stored.
    void fillRows(const QString& step, const QList<PlacedText>& texts,
                  const QMap<RowKey, RowReview>& reviews = {});
    // Stores a text at a row of a form that is not selected, as one step; the row list and
    // whatever it holds that is not stored yet stay as they are.
    void storeText(const QString& step, const PlacedText& text,
                   const QMap<RowKey, RowReview>& reviews = {});
    // The person stored these texts again as they were: no step and nothing to save, but said
    // as rowsStored.
    void storedAgain(const QList<PlacedText>& texts) { emit rowsStored(texts); }
    // Renames form 1 to 24 and stores the working copy; one step.
    void renameForm(int form, const QString& name);
    // A settings box's text. Typing on in the same box merges into one step; typing that brings
    // the text back to where the step began leaves no step.
    void setSetting(FileSetting setting, const QString& text);

    // Selects form 1 to 24 (0: none) and shows its stored rows. Rows inserted, deleted or
    // replaced but not stored are dropped then, which is a step of its own.
    void selectForm(int form);
    void selectRow(int row);

    // Stores the working copy in the tables. Returns how many rows did not fit the form (they
    // are not stored).
    int commit();

    // New file, after reset: the new form names, an empty history, nothing unsaved.
    void newDocument();
    // New file that translates a reference: its form names, application and version.
    void newDocumentFrom(const LanguageDocument& reference);
    // Empties the tables, the working copy (but the revision and the date), the file and the
    // selection.
    void reset();
    // Open file once the path is known: the lists and boxes are cleared while the loader may
    // report a failure through the toolkit; then the document as loaded (the tables stay as they
    // were on failure) with an empty history. Returns whether the file was loaded.
    bool open(const QString& path, const QString& title, Toolkit& toolkit);
    // Writes the tables to the current file (commit first), and the review beside it in step
    // (when there is one to keep), with the toolkit's messages on failure; on success the state
    // becomes the saved one.
    bool save(Toolkit& toolkit);
    // A recovery copy taken over: its document and file, its form selected, unsaved, with no
    // step that leads back to a saved state.
    void restore(const RecoveryCopy& copy);

signals:
    // What is known of the rows beyond their texts changed.
    void reviewChanged();
    // The row list changed: rebuilt (another form, another document) or edited in place.
    void rowsChanged(bool rebuilt);
    void formNamesChanged(bool rebuilt);
    void settingsChanged();
    void selectionChanged();
    void unsavedChangesChanged(bool changed);
    // Anything a save would write may have changed.
    void contentsChanged();
    // The person stored these texts (New text, Edit text, a row stored or filled), at the form
    // and row they are stored at now; a text stored again unchanged is said too.
    void rowsStored(const QList<PlacedText>& texts);
    void currentFileChanged(const QString& path, const QString& title);
    // Another document came in: New file, Open file, a restored copy.
    void documentReplaced();
    // The document was written to the file.
    void saved(const QString& path);
    // Undo or redo showed a state whose first changed row of a form is this one (form 0: no
    // form's text changed).
    void stepShown(const PlacedText& changed);
    // Undo or redo showed a state; the window shows its marks again.
    void viewMarksRestored(const ViewMarks& marks);

private:
    friend class EditStep;

    SessionState state() const;
    // Shows a state of the history. A step that moved neither the selection nor the rows
    // leaves both where the person is now.
    void showState(const SessionState& state, bool keepPlace);
    void recordStep(const QString& name, const SessionState& before, int mergeId = -1);
    // One step of the row list: changed, marked, stored at once or with the next commit.
    enum class Stored { Now, Later };
    template <typename Change>
    void editRows(const QString& step, Stored stored, Change change,
                  const QMap<RowKey, RowReview>& reviews = {});
    // The review as it is now, said when it changed; and with these rows' reviews in it.
    void setReview(const Review& review);
    void addReviews(const QMap<RowKey, RowReview>& rows);
    // Says the rows of the selected form just stored.
    void sayStored(const QList<int>& rows);
    // The lists and boxes rebuilt from the working copy.
    void showWholeCopy();
    // After a document came in (opened or restored): its file, and the working copy as opening
    // shows it, no form selected.
    void documentCameIn(const QString& path, const QString& title);

    LanguageDocument m_document;
    WorkingCopy m_copy;
    ViewMarks m_marks;
    Review m_review;
    QString m_path, m_title;
    QUndoStack* m_history = nullptr;
    int m_typingRun = 0; // counts what ends a run of typing in one box
};
