#include "WrappedLabel.h"

#include <QEvent>
#include <QPainter>
#include <QTextOption>

#include <cmath>

StyledText styledText(const QString& markup, const QFont& font)
{
    static const std::pair<QLatin1String, QChar> escaped[] = {{QLatin1String("&lt;"), u'<'},
                                                              {QLatin1String("&gt;"), u'>'},
                                                              {QLatin1String("&amp;"), u'&'},
                                                              {QLatin1String("&quot;"), u'"'},
                                                              {QLatin1String("&#39;"), u'\''}};
    StyledText styled;
    int bold = 0, italic = 0;
    qsizetype from = 0; // where the text of the present format began
    const auto flush = [&] {
        if (styled.text.size() == from || (bold == 0 && italic == 0))
            return;
        QTextCharFormat format;
        if (bold > 0)
            format.setFontWeight(QFont::Bold);
        if (italic > 0)
            format.setFontItalic(true);
        format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
        styled.formats.append({int(from), int(styled.text.size() - from), format});
    };
    const auto tag = [&](QStringView name, int& depth, int step) {
        flush();
        from = styled.text.size();
        depth = std::max(0, depth + step);
        return name.size();
    };
    for (qsizetype i = 0; i < markup.size();) {
        const QStringView rest = QStringView(markup).mid(i);
        if (rest.startsWith(u"<b>"))
            i += tag(u"<b>", bold, 1);
        else if (rest.startsWith(u"</b>"))
            i += tag(u"</b>", bold, -1);
        else if (rest.startsWith(u"<i>"))
            i += tag(u"<i>", italic, 1);
        else if (rest.startsWith(u"</i>"))
            i += tag(u"</i>", italic, -1);
        else {
            QChar c = markup.at(i++);
            for (const auto& [name, character] : escaped) {
                if (rest.startsWith(name)) {
                    c = character;
                    i += name.size() - 1;
                    break;
                }
            }
            // White space runs together into one space, and none begins the text.
            if (c.isSpace()) {
                if (styled.text.isEmpty() || styled.text.back() == u' ')
                    continue;
                c = u' ';
            }
            styled.text.append(c);
        }
    }
    flush();
    return styled;
}

WrappedLabel::WrappedLabel(QWidget* parent)
    : QLabel(parent)
{
    setWordWrap(true);
}

QSize WrappedLabel::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {0, fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin()};
}

bool WrappedLabel::drawsItself() const
{
    return !(textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)) &&
           (textFormat() == Qt::RichText || textFormat() == Qt::PlainText);
}

int WrappedLabel::heightForWidth(int width) const
{
    return laidOut(width).height;
}

const WrappedLabel::LaidOut& WrappedLabel::laidOut(int width) const
{
    if (text() != m_text) {
        m_text = text();
        if (m_text == m_aheadText && drawsItself()) {
            m_set = 1 - m_set; // laid out already
        } else {
            for (LaidOut& laid : laidSet())
                laid.width = -1;
        }
        m_aheadText.clear();
        for (LaidOut& laid : aheadSet())
            laid.width = -1;
    }
    std::array<LaidOut, 2>& kept = laidSet();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i].width == width) {
            m_last = i;
            return kept[i];
        }
    }
    m_last = 1 - m_last; // the other one, asked about longer ago
    LaidOut& laid = kept[m_last];
    laid.width = width;
    if (drawsItself())
        layOut(laid, m_text);
    else
        laid.height = QLabel::heightForWidth(width);
    return laid;
}

void WrappedLabel::layOutAhead(const QString& text)
{
    if (!drawsItself() || text == this->text() || text == m_aheadText)
        return;
    m_aheadText = text;
    for (std::size_t i = 0; i < 2; ++i) {
        LaidOut& ahead = aheadSet()[i];
        ahead.width = laidSet()[i].width;
        if (ahead.width >= 0)
            layOut(ahead, text);
    }
}

void WrappedLabel::layOut(LaidOut& laid, const QString& text) const
{
    const QMargins margins = contentsMargins();
    const int inner = std::max(1, laid.width - margins.left() - margins.right() - 2 * margin());
    StyledText styled =
        textFormat() == Qt::RichText ? styledText(text, font()) : StyledText{text, {}};
    QTextLayout& layout = laid.layout;
    layout.clearLayout();
    layout.setFont(font());
    layout.setText(styled.text);
    layout.setFormats(styled.formats);
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const int leading = fontMetrics().leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(inner);
        height += leading;
        line.setPosition({0, height});
        height += line.height();
    }
    layout.endLayout();
    laid.height = int(std::ceil(std::max<qreal>(height, fontMetrics().height()))) + margins.top() +
                  margins.bottom() + 2 * margin();
}

void WrappedLabel::paintEvent(QPaintEvent* event)
{
    if (!drawsItself()) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const LaidOut& laid = laidOut(width());
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    laid.layout.draw(&painter, box.topLeft());
}

void WrappedLabel::changeEvent(QEvent* event)
{
    // Another font or style: laid out again.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        for (LaidOut& laid : laidSet())
            laid.width = -1;
        m_aheadText.clear();
    }
    QLabel::changeEvent(event);
}
