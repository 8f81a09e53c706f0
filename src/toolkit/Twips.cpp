#include "Twips.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

Twips::Twips(const QWidget* widget)
{
    const double atDpi = widget->logicalDpiX() / 1440.0;
    const QFontMetrics metrics(widget->font());
    // The designed widths of the tightest texts of the main window, which all windows share:
    // the "Application:" label (975 twips) and a date of 8 characters in its box (735 twips,
    // less the box's frame and margins).
    const double label =
        (metrics.horizontalAdvance(QStringLiteral("Application:")) + 2) / (975 * atDpi);
    const double date =
        (metrics.horizontalAdvance(QStringLiteral("00-00-00")) + 10) / (735 * atDpi);
    m_scale = std::max({1.0, label, date});
    m_pixelsPerTwip = atDpi * m_scale;
}
