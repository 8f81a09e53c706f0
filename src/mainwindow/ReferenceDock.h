#pragma once

#include "ReferenceChecks.h"
#include "TranslationMemory.h"

#include <QDockWidget>

class LanguageSession;
class MemorySession;
class ProblemList;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class ReferenceSession;
class SpellingSession;
class TranslationEditor;

// The workbench beside the document: the rows of the selected form (or of all forms) of the
// reference and of this file, each text beside the reference row it translates, with the
// problems of each row, filtered to what needs work on request; this file's texts are edited in
// place. It repaints once per change the person makes, however many signals that change sends,
// and says its counts for the status bar.
class ReferenceDock : public QDockWidget {
    Q_OBJECT
public:
    // What the table shows.
    enum class Filter { All, NeedsWork, Untranslated, FirstCheck };

    ReferenceDock(const ReferenceSession& reference, const ProblemList& problems,
                  const SpellingSession& spelling, const MemorySession& memory,
                  const LanguageSession& session, QWidget* parent);

    QTableWidget* table() const { return m_table; }
    QComboBox* scopeBox() const { return m_scope; }
    QComboBox* filterBox() const { return m_filter; }
    QLabel* progressLabel() const { return m_progress; }

    // Repaints now what a change asked for.
    void repaint();
    // Puts the current cell on a row (of the selected form when form is 0) and shows it; with
    // edit, opens its editor there too.
    void showRow(int form, int row, bool edit = false);
    // The form and reference row of the current cell; form 0 when there is none.
    std::pair<int, int> currentRow() const;
    // Ends the editing of the open editor, storing its text; with next, asks for the next row
    // that needs work. Returns false when no editor was open.
    bool finishEditing(bool next);
    // The editor of this file's column while one is open.
    QPlainTextEdit* openEditor() const;
    // Puts the reference's text of the current row in its editor, opening it.
    void copyReferenceText();
    // Opens the editor on a row with the text in it, as typed.
    void editRow(int form, int row, const QString& text);
    // The row list highlights this item (-1: none); the table highlights the row it translates.
    void showListItem(int item);
    // A short word in the workbench, such as that nothing is left to translate.
    void say(const QString& text);
    // Opens the editor on the current row with the memory's suggestion 1 to 3 in it.
    void takeSuggestion(int number);
    QLabel* suggestionLabel(int number) const { return m_suggestionLabels.value(number - 1); }

signals:
    void rowChosen(int form, int row);
    // The person stored a text for a reference row; with next, they asked for the next row.
    void textStored(int form, int row, const QString& text, bool next);
    void countsChanged(const QString& text);
    // A word added to the spelling language's dictionary from the editor's menu.
    void wordAdded(const QString& word);

private:
    struct Entry {
        int form, row;
    };
    void schedule();
    // The current cell on the row the row list highlights.
    void followSelection();
    bool shows(const QList<Problem>& problems, bool translated) const;
    int entryOf(int form, int row) const;
    // The memory's suggestions for the current row, under the table.
    void showSuggestions();

    const ReferenceSession& m_reference;
    const ProblemList& m_problems;
    const SpellingSession& m_spelling;
    const MemorySession& m_memory;
    const LanguageSession& m_session;
    QComboBox* m_scope = nullptr;
    QComboBox* m_filter = nullptr;
    QLabel* m_progress = nullptr;
    QLabel* m_message = nullptr;
    QTableWidget* m_table = nullptr;
    TranslationEditor* m_editor = nullptr;
    QList<Entry> m_entries;
    QList<QLabel*> m_suggestionLabels;
    QList<Suggestion> m_suggestions;
    bool m_scheduled = false;
    int m_listItem = -1;
};
