#pragma once

#include "ReferenceChecks.h"
#include "Review.h"

#include <QAbstractTableModel>
#include <QDateTime>

#include <array>
#include <functional>
#include <optional>

class LanguageSession;
class ProblemList;
class ReferenceSession;

// What storing a text at a row came to.
struct StoreOutcome {
    enum class Kind {
        Stored,    // the text is at its row
        Unchanged, // the row already holds that text: nothing was stored, nothing is said
        Refused,   // message says why; nothing was stored
        NeedsFill, // message asks whether the empty rows before it may take the reference's texts
    };
    Kind kind = Kind::Stored;
    QString message;
};

// The workbench: the rows of the selected form (or of all forms), each reference text beside the
// text of this file that translates it and that row's problems, filtered to what needs work on
// request. It knows where the translator is, stores a text at its row without moving any other,
// and finds the next row to do among the rows it shows. Its rows change in place when only texts
// and problems changed.
class WorkbenchModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        PlaceColumn,
        ReferenceColumn,
        TextColumn,
        ProblemsColumn,
        StateColumn,
        ColumnCount
    };
    // Which rows show: every row, those with a problem, those without a translation, those that
    // need review, those with a translation not reviewed yet, or those with a problem of one
    // check.
    enum class Filter { All, NeedsWork, Untranslated, NeedsReview, NotReviewed, OneCheck };
    // The problems of a row in words, one per line, as HTML: a changed reference shows the
    // words that changed in bold.
    static constexpr int ProblemHtmlRole = Qt::UserRole + 1;
    // The row's note.
    static constexpr int NoteRole = Qt::UserRole + 2;
    // A state's symbol and its name.
    static QString stateSymbol(RowState state);
    static QString stateText(RowState state);

    WorkbenchModel(const ReferenceSession& reference, const ProblemList& problems,
                   LanguageSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Tabs and line breaks show as marks; the edit role holds the text itself.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setAllForms(bool all);
    bool allForms() const { return m_allForms; }
    void setFilter(Filter filter, Check only = Check::Missing);

    // The rows as the documents are now. Runs by itself once after a change; the operations
    // below run it first when a change is pending.
    void refresh();
    // Refreshes now when a change is waiting for it.
    void catchUp();

    ProblemPlace placeAt(int line) const;
    // The line showing a place; -1 when none does.
    int lineOf(ProblemPlace place) const;

    // Where the translator is: a row of a form, or a form with no row (-1).
    ProblemPlace current() const { return m_current; }
    void setCurrent(ProblemPlace place);

    enum class Direction { Forward, Back };
    // The first place after or before the one given that needs work and that the filter shows,
    // round through all forms: with "untranslated rows" a row without a translation, otherwise a
    // row with a problem (of the filter's check, when it has one).
    std::optional<ProblemPlace> nextToDo(ProblemPlace from, Direction direction);

    // Stores a text at its row. A form's other rows never move: where storing would close up
    // empty rows before it, it asks to fill them first (fill stores their reference's texts
    // then, in a step of its own).
    // The text is stored as translated, or as needing review (a suggestion of the memory taken
    // as it was).
    StoreOutcome store(ProblemPlace place, const QString& text, bool fill = false,
                       RowState state = RowState::Translated);

    // The rows of the selected form that a commit of its row list would move away from the
    // index the application reads; with the question to ask and the empty rows that the
    // reference's texts can fill.
    QList<int> rowsMovedAtCommit() const;
    QString commitQuestion() const;
    // Stores the selected form's rows at their own index, as one step, so that a commit moves
    // none: with fill, its empty rows before the last text take the reference's texts (those
    // whose reference is empty stay empty); without, they all stay empty.
    void keepRowsOfSelectedForm(bool fill);

    // Marks a row with a text reviewed, by the person named, as one step; and the next row after
    // it with a translation not reviewed yet, round through the rows the filter shows.
    void markReviewed(ProblemPlace place, const QString& who);
    std::optional<ProblemPlace> nextNotReviewed(ProblemPlace from);
    // Accepts the problems the row has now, as one step: they are no work left until its text or
    // its reference changes.
    void acceptProblems(ProblemPlace place);
    // Gives a row its note, as one step.
    void setNote(ProblemPlace place, const QString& note, const QString& who);

    // What the status bar and the workbench say of the counts.
    QString countsText() const;
    QString progressText() const;

signals:
    void currentChanged(ProblemPlace place);
    // The counts (all forms, the selected form) may say something else.
    void countsChanged();

private:
    // The undo step of a store: a row translated, or a row cleared.
    static QString stepName(const QString& text);
    struct Line {
        int form, row;
        QString reference, text;
        QList<Problem> problems;
        RowState state = RowState::Untranslated;
        QString note;
        // Who reviewed the row (for a reviewed row) and when, and who wrote its note.
        QString reviewedBy, noteBy;
        QDateTime reviewedAt;
        bool translated() const { return !text.isEmpty(); }
        ProblemPlace place() const { return {form, row}; }
        bool operator==(const Line&) const = default;
    };
    // What a form's lines are made of.
    struct FormInputs {
        LanguageTable reference, stored; // stored: of a form not selected
        QStringList rows;                // the row list of the selected form
        QList<int> origins;
        bool selected = false;
        QList<Problem> problems;
        QMap<int, RowReview> reviews; // by row
        bool operator==(const FormInputs&) const = default;
    };
    QList<Line> linesOf(int form, const FormInputs& inputs) const;
    void schedule();
    bool shows(const Line& line) const;
    bool toDo(const Line& line) const;
    // The first line after or before the place that is wanted, round through all forms.
    std::optional<ProblemPlace> nextWhere(ProblemPlace from, Direction direction,
                                          const std::function<bool(const Line&)>& wanted);
    // The line of every form's rows at a place; nothing when neither file has a text there.
    const Line* lineAt(ProblemPlace place) const;
    // The text a form's rows would have, the new text at its row, before any gap is closed.
    std::optional<QStringList> rowsWith(ProblemPlace place, const QString& text) const;
    // Stores the reference's texts in those empty rows of the selected form, as one step.
    void fillGaps(const QList<int>& gaps);
    // The row's review once a text is stored there in that state.
    QMap<RowKey, RowReview> storedReview(ProblemPlace place, const QString& text,
                                         RowState state) const;

    const ReferenceSession& m_reference;
    const ProblemList& m_problems;
    LanguageSession& m_session;
    bool m_allForms = false;
    Filter m_filter = Filter::All;
    Check m_only = Check::Missing;
    QList<Line> m_every; // every row of every form with a text on either side
    QList<int> m_shown;  // the lines of m_every shown, in order
    // What each form's lines in m_every were made of.
    std::array<std::optional<FormInputs>, LanguageDocument::FormCount> m_inputs;
    ReferenceCounts m_inForm;
    int m_reviewedInForm = 0;
    ProblemPlace m_current;
    bool m_scheduled = false;
};
