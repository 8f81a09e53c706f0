#include "ChoiceList.h"

#include <QMouseEvent>

namespace {

// What another button than the left one does is left alone (the event stays accepted, so no
// parent gets it either).
bool otherButton(const QMouseEvent* event)
{
    return event->button() != Qt::LeftButton;
}

} // namespace

ChoiceList::ChoiceList(QWidget* parent, bool repeatClicks)
    : QListWidget(parent)
    , m_repeatClicks(repeatClicks)
{
}

ChoiceList::State ChoiceList::state() const
{
    return {currentRow(), selectedItems()};
}

template <typename Handle>
bool ChoiceList::choosing(Handle handle)
{
    const State before = state();
    handle();
    if (state() == before)
        return false;
    emit chosen(currentRow());
    return true;
}

void ChoiceList::mousePressEvent(QMouseEvent* event)
{
    if (otherButton(event))
        return;
    m_pressChose = choosing([&] { QListWidget::mousePressEvent(event); });
}

void ChoiceList::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    if (choosing([&] { QListWidget::mouseMoveEvent(event); }))
        m_pressChose = true;
}

void ChoiceList::mouseReleaseEvent(QMouseEvent* event)
{
    if (otherButton(event))
        return;
    QListWidget::mouseReleaseEvent(event);
    const bool onItem = itemAt(event->position().toPoint()) != nullptr;
    if (m_repeatClicks && !m_pressChose && onItem)
        emit chosen(currentRow());
    m_pressChose = false;
}

void ChoiceList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (otherButton(event))
        return;
    QListWidget::mouseDoubleClickEvent(event);
}

void ChoiceList::keyPressEvent(QKeyEvent* event)
{
    // Focus arriving makes the first item current without choosing it: the first Down, Home or
    // Space then chooses that item, not the one after it.
    const int key = event->key();
    if (selectedItems().isEmpty() && count() > 0 &&
        (key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_Space)) {
        choosing([this] { setCurrentRow(0, QItemSelectionModel::ClearAndSelect); });
        return;
    }
    choosing([&] { QListWidget::keyPressEvent(event); });
}

void ChoiceList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles)
{
    // Items of one size take the size of the last item: a change to any other leaves each item
    // where it is and the width the list scrolls over as they were, so the items changed are
    // painted again without all of them being laid out (and painted) anew.
    if (uniformItemSizes() && bottomRight.row() < count() - 1)
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    else
        QListWidget::dataChanged(topLeft, bottomRight, roles);
}
