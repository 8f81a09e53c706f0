#pragma once

#include <QDockWidget>

class LanguageSession;
class QTableWidget;
class ReferenceSession;

// The reference beside the document: the selected form's rows of both files, by the index the
// application reads, with the problems of each row. It repaints once per change the person
// makes, however many signals that change sends, and says its counts for the status bar.
class ReferenceDock : public QDockWidget {
    Q_OBJECT
public:
    ReferenceDock(const ReferenceSession& reference, const LanguageSession& session,
                  QWidget* parent);

    QTableWidget* table() const { return m_table; }
    // Repaints now what a change asked for.
    void repaint();
    // Puts the current cell on the row and shows it.
    void showRow(int row);

signals:
    void rowChosen(int row);
    void countsChanged(const QString& text);

private:
    void schedule();
    // The current cell on the row selected in the row list.
    void followSelection();

    const ReferenceSession& m_reference;
    const LanguageSession& m_session;
    QTableWidget* m_table = nullptr;
    bool m_scheduled = false;
};
