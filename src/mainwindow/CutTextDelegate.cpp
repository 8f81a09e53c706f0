#include "CutTextDelegate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>

QString cutToShow(const QString& text, const QFontMetrics& metrics, QSize box, bool wrapped)
{
    // A line break anywhere changes how the lines shown are placed.
    if (text.contains(u'\n') || text.contains(QChar::LineSeparator))
        return text;
    // The characters' own widths added up, without the kerning and ligatures of shaping, which
    // narrow a text by far less than the quarter allowed; a line wrapped at a word ends short,
    // so a wrapped text keeps two more lines than the box's.
    const qsizetype lines = wrapped ? box.height() / metrics.lineSpacing() + 3 : 1;
    const qint64 enough = lines * qint64(box.width()) * 5 / 4 + 2 * metrics.lineSpacing();
    qint64 width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // What may be drawn narrower or not at all counts for nothing; so does either half of a
        // surrogate pair, so that the text is never cut between the two.
        const bool counted = !c.isSurrogate() && c.category() != QChar::Other_Control &&
                             c.category() != QChar::Other_Format &&
                             c.category() != QChar::Mark_NonSpacing;
        width += counted ? metrics.horizontalAdvance(c) : 0;
        if (width > enough)
            return text.left(i + 1);
    }
    return text;
}

void CutTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, index);
    const QWidget* widget = option.widget;
    // An item wider than the view shows no further than the view's edge.
    QRect seen = shown.rect;
    if (const auto* view = qobject_cast<const QAbstractScrollArea*>(widget))
        seen.setRight(std::min(seen.right(), view->viewport()->rect().right()));
    shown.text = cutToShow(shown.text, shown.fontMetrics, seen.size(),
                           shown.features & QStyleOptionViewItem::WrapText);
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &shown, painter, widget);
}
