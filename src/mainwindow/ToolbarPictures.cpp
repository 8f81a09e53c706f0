#include "ToolbarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStringList>

namespace {

// Each picture is a list of shapes on the 24 by 24 grid, drawn in order: "fill stroke width
// outline", where the outline is "M x y" (move), "L x y" (line), "Z" (close), "R x y w h"
// (rectangle) and "O x y r" (circle). "none" leaves a shape unfilled or unstroked.
const char* const Page = "#fafafa #303030 1.2 M 5 2 L 14 2 L 19 7 L 19 22 L 5 22 Z;"
                         "none #303030 1.2 M 14 2 L 14 7 L 19 7";
const char* const Lines = "none #909090 1.2 M 8 8 L 16 8 M 8 11 L 16 11 M 8 14 L 16 14";

QString shapesOf(ToolbarPicture picture)
{
    const QString page = QLatin1String(Page);
    const QString lines = QLatin1String(Lines);
    switch (picture) {
    case ToolbarPicture::NewFile:
        return page + QLatin1String(";#f5c211 none 0 O 17 18 4.5");
    case ToolbarPicture::OpenFile:
        return QStringLiteral("#e8b03a #8a620a 1.2 M 2 6 L 9 6 L 11 8 L 21 8 L 21 20 L 2 20 Z;"
                              "#f6d270 #8a620a 1.2 M 5 11 L 23 11 L 20 20 L 2 20 Z");
    case ToolbarPicture::SaveFile:
        return QStringLiteral("#3b6ec2 #1c3f7a 1.2 R 3 3 18 18;#fafafa #1c3f7a 1.2 R 6 3 12 7;"
                              "#1c3f7a #1c3f7a 1.2 R 7 14 10 7");
    case ToolbarPicture::NewText:
        return page + u';' + lines +
               QLatin1String(";none #2e9e3e 3 M 17 13 L 17 23 M 12 18 L 22 18");
    case ToolbarPicture::DeleteText:
        return QStringLiteral("#c8c8c8 #303030 1.2 M 6 7 L 18 7 L 17 22 L 7 22 Z;"
                              "#c8c8c8 #303030 1.2 R 4 4 16 3;#c8c8c8 #303030 1.2 R 10 2 4 2;"
                              "none #303030 1.2 M 9.5 10 L 9.5 19 M 12 10 L 12 19 M 14.5 10 "
                              "L 14.5 19");
    case ToolbarPicture::EditText:
        return page + u';' + lines +
               QLatin1String(";#f2b62b #303030 1 M 20 6 L 23 9 L 13 19 L 10 16 Z;"
                             "#303030 #303030 1 M 10 16 L 13 19 L 9 20 Z");
    case ToolbarPicture::Replace:
        return page + u';' + lines +
               QLatin1String(";#d8e8f8 #303030 2 O 13 15 4.5;none #303030 3 M 16.5 18.5 L 21 23");
    }
    return {};
}

QPainterPath outline(const QStringList& words)
{
    QPainterPath path;
    const auto at = [&words](qsizetype i) { return words.value(i).toDouble(); };
    // A verb's numbers follow it; the loop passes over them, as no number is a verb.
    for (qsizetype i = 3; i < words.size(); ++i) {
        const QString& verb = words.at(i);
        if (verb == u'M') {
            path.moveTo(at(i + 1), at(i + 2));
        } else if (verb == u'L') {
            path.lineTo(at(i + 1), at(i + 2));
        } else if (verb == u'Z') {
            path.closeSubpath();
        } else if (verb == u'R') {
            path.addRect(at(i + 1), at(i + 2), at(i + 3), at(i + 4));
        } else if (verb == u'O') {
            path.addEllipse(QPointF(at(i + 1), at(i + 2)), at(i + 3), at(i + 3));
        }
    }
    return path;
}

QColor colour(const QString& name)
{
    return name == QLatin1String("none") ? QColor(Qt::transparent) : QColor(name);
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
    for (const QString& shape : shapesOf(picture).split(u';')) {
        const QStringList words = shape.split(u' ', Qt::SkipEmptyParts);
        const qreal width = words.value(2).toDouble();
        painter.setBrush(colour(words.value(0)));
        painter.setPen(width > 0 ? QPen(colour(words.value(1)), width, Qt::SolidLine, Qt::RoundCap)
                                 : QPen(Qt::NoPen));
        painter.drawPath(outline(words));
    }
    painter.end();
    return QIcon(pixmap);
}
