#pragma once

#include "ReferenceChecks.h"
#include "Review.h"
#include "TranslationMemory.h"

#include <QDockWidget>

#include <optional>

class GlossarySession;
class MemorySession;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpacerItem;
class QTableView;
class QTimer;
class ReferenceSession;
class SpellingSession;
class TranslationEditor;
class WorkbenchModel;

// The workbench's table over its model, with the scope and filter boxes, the current row's
// problems in words and the memory's suggestions for it. The model says where the translator is;
// the table's current row follows it, and moving in the table moves it.
class ReferenceDock : public QDockWidget {
    Q_OBJECT
public:
    ReferenceDock(const ReferenceSession& reference, const SpellingSession& spelling,
                  const MemorySession& memory, const GlossarySession& glossary,
                  WorkbenchModel& model, QWidget* parent);

    QTableView* table() const { return m_table; }
    QComboBox* scopeBox() const { return m_scope; }
    QComboBox* filterBox() const { return m_filter; }
    QLabel* progressLabel() const { return m_progress; }
    QLabel* problemLabel() const { return m_problems; }
    QLabel* suggestionLabel(int number) const { return m_suggestionLabels.value(number - 1); }
    QLabel* termLabel() const { return m_termLabel; }

    // Makes a place current and shows it; with edit, opens its editor and gives it the keyboard.
    void showRow(ProblemPlace place, bool edit = false);
    // Ends the open editor, storing its text; with next, the next row to do is asked for.
    // Returns false when no editor was open.
    bool finishEditing(bool next);
    QPlainTextEdit* openEditor() const;
    // The editor open on a place with a text in it, as typed over what it held.
    void editRow(ProblemPlace place, const QString& text);
    // Puts the reference's text of the current row in its editor; with shortcut, only the part
    // after its tab, after the text typed so far.
    void copyReferenceText();
    void copyReferenceShortcut();
    void takeSuggestion(int number);
    // Types the translation of the glossary's term of that number for the current row's
    // reference (a term not translated as the reference writes it) where the editor's cursor is
    // (after a space where it follows a word), or after the row's text.
    void insertTerm(int number);
    // How many of the current row's terms have a key to type them (Alt+1 to 9).
    static constexpr int TermKeys = 9;
    // The open editor: its row, text and selection; none when no editor is open.
    struct EditorState {
        ProblemPlace place;
        QString text;
        int anchor = 0, position = 0;
        QString selected() const;
    };
    std::optional<EditorState> editorState() const;
    // Opens the editor on the row again with that text and selection (once a closing one has
    // stored its text).
    void restoreEditor(const EditorState& state);
    // The state a text stored at a place takes: needs review when it is a suggestion taken there
    // as it was, of a text not the same.
    RowState stateOfStored(ProblemPlace place, const QString& text) const;
    // A short word in the workbench: what holds until it changes (a language the memory
    // lacks) ...
    void say(const QString& text);
    // ... or what a step found, until the rows shown or the current row change.
    void sayForNow(const QString& text);
    // The memory has learnt or forgotten: its suggestions are looked up again.
    void forgetSuggestions();

signals:
    // A text for a place, typed in the editor or cleared with Delete; with next, the person
    // asked for the next row to do.
    void textStored(int form, int row, const QString& text, bool next);
    // A word added to the spelling language's dictionary from the editor's menu.
    void wordAdded(const QString& word);
    // The note of a row as the person left it in the note box.
    void noteEdited(ProblemPlace place, const QString& note);
    // What Alt+1 to 9 type for the current row, in order (at most TermKeys).
    void termsShown(const QStringList& texts);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sayLasting();
    // The table's current row on the model's current place.
    void followCurrent();
    // The note box's text, when the person changed it, for its row.
    void keepNote();
    // Opens the editor on the current row and gives it the keyboard.
    void editCurrent();
    void showSuggestions();
    // The glossary's terms of the current row's reference, listed under the table and marked in
    // its cell.
    void showTerms();
    // What a suggestion's label says, for the row of that reference's text.
    QString suggestionText(int number, const Suggestion& suggestion,
                           const QString& reference) const;
    // The reference's text of the current row, or of a place; empty when there is none.
    QString currentReference() const;
    QString referenceAt(ProblemPlace place) const;
    // While the person types a row, the suggestions for the row Ctrl+Enter goes to next are
    // looked up, so that going there does not wait for the memory.
    void lookAhead();
    // The row's own height for the current row, so that a long text wraps there.
    void fitCurrentRow();
    // Room under the table that the problems and suggestions leave of the most they took.
    void keepPanelHeight();

    const ReferenceSession& m_reference;
    const SpellingSession& m_spelling;
    const MemorySession& m_memory;
    WorkbenchModel& m_model;
    QComboBox* m_scope = nullptr;
    QComboBox* m_filter = nullptr;
    QLabel* m_progress = nullptr;
    QLabel* m_message = nullptr;
    QString m_lasting; // what m_message says when no step has said something for now
    bool m_forNow = false;
    QLabel* m_problems = nullptr;
    // The suggestion last taken, where, and its score.
    struct Taken {
        ProblemPlace place;
        QString text;
        int score = 0;
    } m_taken;
    // The current row's note, and the row it belongs to.
    QPlainTextEdit* m_note = nullptr;
    ProblemPlace m_notePlace;
    QTableView* m_table = nullptr;
    TranslationEditor* m_editor = nullptr;
    QList<QLabel*> m_suggestionLabels;
    const GlossarySession& m_glossary;
    QLabel* m_termLabel = nullptr;
    // The current row's terms, each once, and what insertTerm types for each.
    QList<QString> m_termTexts;
    QList<Suggestion> m_suggestions;
    ProblemPlace m_suggestedFor;
    QString m_suggestedText;
    // Suggestions looked up for a place, with what they were looked up by.
    struct Lookup {
        ProblemPlace place;
        QString reference, from, to;
        QList<Suggestion> suggestions;
        bool sameAs(const Lookup& other) const
        {
            return place == other.place && reference == other.reference && from == other.from &&
                   to == other.to;
        }
    };
    std::optional<Lookup> m_ahead;
    ProblemPlace m_lookedAheadFrom;
    QTimer* m_followLater = nullptr; // the current row changed in place: shown again soon
    int m_tallRow = -1;
    QSpacerItem* m_panelRest = nullptr;
    int m_panelHeight = 0, m_panelWidth = 0;
};
