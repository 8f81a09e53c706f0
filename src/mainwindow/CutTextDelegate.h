#pragma once

#include <QStyledItemDelegate>

// Paints an item as QStyledItemDelegate does, its text first cut to the characters its cell can
// show: a long text is laid out no further than it is seen. What shows does not change: a text
// that fits is painted whole, and a cut text still runs past the cell and is elided there alike.
class CutTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// The text cut after the characters that could show in a box of that size and font, on one line
// or wrapped (with room to spare), or the text whole when it is short enough or breaks lines
// itself.
QString cutToShow(const QString& text, const QFontMetrics& metrics, QSize box, bool wrapped);
