#pragma once

#include <QRect>

class QWidget;

// Window geometry is designed in twips, 1,440 to the inch, for a small system font. Twips are
// turned into pixels at the screen's logical DPI, and the whole layout is scaled up evenly when
// the desktop's font needs more room than the design gave its texts (the way a larger-font
// setting raises the logical DPI), so nothing is clipped and proportions stay.
class Twips {
public:
    explicit Twips(const QWidget* widget);

    int px(int twips) const { return qRound(twips * m_pixelsPerTwip); }
    QRect rect(int left, int top, int width, int height) const
    {
        return {px(left), px(top), px(width), px(height)};
    }
    int toTwips(int pixels) const { return qRound(pixels / m_pixelsPerTwip); }
    double scale() const { return m_scale; }

private:
    double m_pixelsPerTwip;
    double m_scale;
};
