#include "ToolbarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(0x30, 0x30, 0x30);
const QColor Paper(0xfa, 0xfa, 0xfa);

// A sheet with a folded corner.
void page(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(5, 2);
    sheet.lineTo(14, 2);
    sheet.lineTo(19, 7);
    sheet.lineTo(19, 22);
    sheet.lineTo(5, 22);
    sheet.closeSubpath();
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({QPointF(14, 2), QPointF(14, 7), QPointF(19, 7)}));
}

void lines(QPainter& p, int from, int to)
{
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1.2));
    for (int y = from; y <= to; y += 3)
        p.drawLine(QPointF(8, y), QPointF(16, y));
}

void draw(QPainter& p, ToolbarPicture picture)
{
    switch (picture) {
    case ToolbarPicture::NewFile:
        page(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf5, 0xc2, 0x11));
        p.drawEllipse(QPointF(17, 18), 4.5, 4.5);
        break;
    case ToolbarPicture::OpenFile:
        p.setPen(QPen(QColor(0x8a, 0x62, 0x0a), 1.2));
        p.setBrush(QColor(0xe8, 0xb0, 0x3a));
        p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(9, 6), QPointF(11, 8), QPointF(21, 8),
                                 QPointF(21, 20), QPointF(2, 20)}));
        p.setBrush(QColor(0xf6, 0xd2, 0x70));
        p.drawPolygon(
            QPolygonF({QPointF(5, 11), QPointF(23, 11), QPointF(20, 20), QPointF(2, 20)}));
        break;
    case ToolbarPicture::SaveFile:
        p.setPen(QPen(QColor(0x1c, 0x3f, 0x7a), 1.2));
        p.setBrush(QColor(0x3b, 0x6e, 0xc2));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(Paper);
        p.drawRect(QRectF(6, 3, 12, 7));
        p.setBrush(QColor(0x1c, 0x3f, 0x7a));
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case ToolbarPicture::NewText:
        page(p);
        lines(p, 8, 14);
        p.setPen(QPen(QColor(0x2e, 0x9e, 0x3e), 3));
        p.drawLine(QPointF(17, 13), QPointF(17, 23));
        p.drawLine(QPointF(12, 18), QPointF(22, 18));
        break;
    case ToolbarPicture::DeleteText:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(0xc8, 0xc8, 0xc8));
        p.drawPolygon(QPolygonF({QPointF(6, 7), QPointF(18, 7), QPointF(17, 22), QPointF(7, 22)}));
        p.drawRect(QRectF(4, 4, 16, 3));
        p.drawRect(QRectF(10, 2, 4, 2));
        for (qreal x : {9.5, 12.0, 14.5})
            p.drawLine(QPointF(x, 10), QPointF(x, 19));
        break;
    case ToolbarPicture::EditText:
        page(p);
        lines(p, 8, 17);
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(0xf2, 0xb6, 0x2b));
        p.drawPolygon(
            QPolygonF({QPointF(20, 6), QPointF(23, 9), QPointF(13, 19), QPointF(10, 16)}));
        p.setBrush(Ink);
        p.drawPolygon(QPolygonF({QPointF(10, 16), QPointF(13, 19), QPointF(9, 20)}));
        break;
    case ToolbarPicture::Replace:
        page(p);
        lines(p, 8, 11);
        p.setPen(QPen(Ink, 2));
        p.setBrush(QColor(0xd8, 0xe8, 0xf8));
        p.drawEllipse(QPointF(13, 15), 4.5, 4.5);
        p.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16.5, 18.5), QPointF(21, 23));
        break;
    }
}

} // namespace

QIcon toolbarPicture(ToolbarPicture picture, int size, qreal pixelRatio)
{
    QPixmap pixmap(QSize(size, size) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    draw(painter, picture);
    painter.end();
    return QIcon(pixmap);
}
