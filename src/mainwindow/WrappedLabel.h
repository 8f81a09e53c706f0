#pragma once

#include <QLabel>
#include <QTextLayout>

#include <array>

// A text with bold and italic parts ("<b>", "<i>") and escaped characters ("&lt;", "&amp;", ...),
// as the plain text that shows, those parts' formats, and white space run together as a rich
// text label shows it.
struct StyledText {
    QString text;
    QList<QTextLayout::FormatRange> formats;
};
StyledText styledText(const QString& markup, const QFont& font);

// A label whose text wraps at the width it is given, for texts that change with each row: QLabel
// lays a wrapped text out at several widths to find its preferred and least sizes each time the
// text changes, and a rich text through a whole document, which for a long text costs more than
// painting it. This one takes the width it is given and is asked for its height at that width
// alone. A text that cannot be selected (a plain one, or a rich one of bold and italic parts) it
// lays out itself, once per text and width, and paints that layout. It keeps the layouts of the
// last two widths it was asked about: a layout that holds it asks at the width it prefers as
// well as at the width it gives.
// Without Q_OBJECT it is a QLabel to anyone who asks.
class WrappedLabel : public QLabel {
public:
    explicit WrappedLabel(QWidget* parent);
    QSize sizeHint() const override { return {0, heightForWidth(width())}; }
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;
    // Lays a text out before it is set, at the widths the label was asked about last, so that
    // setting it later asks nothing anew (a text that is not laid out by the label itself, or
    // set otherwise, is laid out as it is set).
    void layOutAhead(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct LaidOut {
        QTextLayout layout;
        int width = -1, height = 0;
    };
    bool drawsItself() const;
    // The text laid out at a width, the one of the two kept that was asked about last.
    const LaidOut& laidOut(int width) const;
    // A text laid out at the width of its contents within that of the label, and its height.
    void layOut(LaidOut& laid, const QString& text) const;

    // The layouts of the text, and those of m_aheadText at the same widths: they change places
    // as that text is set.
    mutable std::array<std::array<LaidOut, 2>, 2> m_sets;
    mutable std::size_t m_set = 0;
    std::array<LaidOut, 2>& laidSet() const { return m_sets[m_set]; }
    std::array<LaidOut, 2>& aheadSet() const { return m_sets[1 - m_set]; }
    mutable QString m_aheadText;
    mutable std::size_t m_last = 0; // the one of laidSet() asked about last
    mutable QString m_text;
};
