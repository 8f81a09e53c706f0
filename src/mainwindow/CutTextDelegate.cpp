#include "CutTextDelegate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QtMath>

#include <cstring>

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

namespace {

QStyle* styleOf(const QWidget* widget)
{
    return widget ? widget->style() : QApplication::style();
}

// Qt's own styles draw an item's text laid out at the width its cell leaves it and placed by its
// alignment; others (themes, style sheets) may draw it otherwise.
bool drawsTextAsLaidOut(const QStyle* style)
{
    const char* name = style->metaObject()->className();
    return std::strcmp(name, "QFusionStyle") == 0 || std::strcmp(name, "QWindowsStyle") == 0;
}

// The room the style leaves at either side of an item's text.
int textMargin(const QWidget* widget)
{
    return styleOf(widget)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

} // namespace

const CutTextDelegate::LaidOut* CutTextDelegate::laidOut(const QStyleOptionViewItem& item) const
{
    using Item = QStyleOptionViewItem;
    if (!(item.features & Item::WrapText) || !(item.features & Item::HasDisplay) ||
        item.features & (Item::HasDecoration | Item::HasCheckIndicator) || item.text.isEmpty() ||
        !item.rect.isValid() || !drawsTextAsLaidOut(styleOf(item.widget)))
        return nullptr;
    const int width = item.rect.width() - 2 * textMargin(item.widget);
    const Qt::Alignment alignment = QStyle::visualAlignment(item.direction, item.displayAlignment);
    auto found = std::find_if(m_laid.begin(), m_laid.end(), [&](const auto& laid) {
        return laid && laid->width == width && laid->direction == item.direction &&
               laid->alignment == alignment && laid->text == item.text && laid->font == item.font;
    });
    if (found == m_laid.end()) {
        found = std::prev(m_laid.end()); // the one used longest ago
        *found = std::make_unique<LaidOut>();
        LaidOut& laid = **found;
        laid.text = item.text;
        laid.font = item.font;
        laid.width = width;
        laid.direction = item.direction;
        laid.alignment = alignment;
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        option.setTextDirection(item.direction);
        option.setAlignment(alignment);
        laid.layout.setFont(item.font);
        laid.layout.setText(item.text);
        laid.layout.setTextOption(option);
        qreal height = 0, widest = 0;
        laid.layout.beginLayout();
        for (QTextLine line = laid.layout.createLine(); line.isValid();
             line = laid.layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition({0, height});
            height += line.height();
            widest = std::max(widest, line.naturalTextWidth());
        }
        laid.layout.endLayout();
        laid.size = {widest, height};
    }
    std::rotate(m_laid.begin(), found, std::next(found));
    return m_laid.front().get();
}

QSize CutTextDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const LaidOut* laid = index.data(Qt::SizeHintRole).isValid() ? nullptr : laidOut(item);
    if (!laid)
        return QStyledItemDelegate::sizeHint(option, index);
    return {qCeil(laid->size.width()) + 2 * textMargin(item.widget), qCeil(laid->size.height())};
}

void CutTextDelegate::paintWithoutText(QPainter* painter, QStyleOptionViewItem item) const
{
    item.text.clear();
    styleOf(item.widget)->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
}

void CutTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, index);
    const QWidget* widget = option.widget;
    QStyle* style = styleOf(widget);
    // An item wider than the view shows no further than the view's edge.
    QRect seen = shown.rect;
    if (const auto* view = qobject_cast<const QAbstractScrollArea*>(widget))
        seen.setRight(std::min(seen.right(), view->viewport()->rect().right()));
    const QString whole = shown.text;
    shown.text = cutToShow(shown.text, shown.fontMetrics, seen.size(),
                           shown.features & QStyleOptionViewItem::WrapText);
    // A text that may fit its cell whole, where the style would show it whole too: if it does,
    // the cell drawn without it, and the text as the style places it, from the layout kept.
    const int margin = textMargin(widget);
    const QRect textBox = shown.rect.adjusted(margin, 0, -margin, 0);
    const LaidOut* laid = shown.text.size() == whole.size() && shown.showDecorationSelected &&
                                  !(shown.state & (QStyle::State_HasFocus | QStyle::State_Editing))
                              ? laidOut(shown)
                              : nullptr;
    if (laid && laid->size.width() <= textBox.width() &&
        qCeil(laid->size.height()) <= textBox.height()) {
        paintWithoutText(painter, shown);
        QPalette::ColorGroup group =
            shown.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(shown.state & QStyle::State_Active))
            group = QPalette::Inactive;
        painter->save();
        painter->setClipRect(shown.rect);
        painter->setPen(shown.palette.color(group, shown.state & QStyle::State_Selected
                                                       ? QPalette::HighlightedText
                                                       : QPalette::Text));
        const QRect placed =
            QStyle::alignedRect(Qt::LayoutDirectionAuto, shown.displayAlignment,
                                laid->layout.boundingRect().size().toSize(), textBox);
        laid->layout.draw(painter, QPointF(textBox.x(), placed.top()),
                          marks ? marks(index) : QList<QTextLayout::FormatRange>());
        painter->restore();
        return;
    }
    style->drawControl(QStyle::CE_ItemViewItem, &shown, painter, widget);
}
