#pragma once

#include <QListWidget>

// A list whose item is chosen by the user alone: a left click, a drag with the left button, or
// a key (arrows, Home, End, Page Up and Down, a typed letter) while the list has focus. Focus
// arriving, which gives an empty list a current item, another mouse button, and anything the
// program does to the items choose nothing. chosen() reports each choice with the current row.
class ChoiceList : public QListWidget {
    Q_OBJECT
public:
    // With repeatClicks, a left click on the item already chosen chooses it again.
    explicit ChoiceList(QWidget* parent, bool repeatClicks);

signals:
    void chosen(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

private:
    struct State {
        int current;
        QList<QListWidgetItem*> selected;
        bool operator==(const State&) const = default;
    };
    State state() const;
    // Runs the list's own handling of a user's input and reports a choice when it made one.
    template <typename Handle>
    bool choosing(Handle handle);

    bool m_repeatClicks;
    bool m_pressChose = false;
};
