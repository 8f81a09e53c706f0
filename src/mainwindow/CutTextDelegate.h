#pragma once

#include <QStyledItemDelegate>
#include <QTextLayout>

#include <array>
#include <functional>
#include <memory>

// Paints an item as QStyledItemDelegate does, its text first cut to the characters its cell can
// show: a long text is laid out no further than it is seen. What shows does not change: a text
// that fits is painted whole, and a cut text still runs past the cell and is elided there alike.
// A wrapped text that fits its cell whole is laid out once for its size and its painting alike
// (the style lays it out for each, and several times to paint it): the last few are kept.
class CutTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Formats for parts of an item's text (its display text), where the text fits its cell whole
    // and is laid out here: never more than the style would draw.
    std::function<QList<QTextLayout::FormatRange>(const QModelIndex&)> marks;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    // The item as the style draws it without its text: its background, selection and focus.
    void paintWithoutText(QPainter* painter, QStyleOptionViewItem item) const;

private:
    struct LaidOut {
        QString text;
        QFont font;
        int width = -1;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        Qt::Alignment alignment;
        QTextLayout layout;
        QSizeF size; // the widest line's natural width, and the lines' height
    };
    // The item's text wrapped at the width its cell leaves it, as the style lays it out to paint
    // it; null when the style does more than draw such a text (a picture, a check box, ...).
    const LaidOut* laidOut(const QStyleOptionViewItem& item) const;

    mutable std::array<std::unique_ptr<LaidOut>, 6> m_laid; // the one used last first
};

// The text cut after the characters that could show in a box of that size and font, on one line
// or wrapped (with room to spare), or the text whole when it is short enough or breaks lines
// itself.
QString cutToShow(const QString& text, const QFontMetrics& metrics, QSize box, bool wrapped);
