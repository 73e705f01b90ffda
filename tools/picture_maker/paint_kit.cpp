#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace kit {

QFont font(double pixelSize, bool bold, const QString& family)
{
    QFont f(family);
    f.setPixelSize(static_cast<int>(pixelSize));
    f.setBold(bold);
    return f;
}

void buttonFace(QPainter& p, const QRectF& r, const QColor& base, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, base.lighter(135));
    shade.setColorAt(0.5, base);
    shade.setColorAt(1, base.darker(140));
    p.fillPath(path, shade);
    p.setPen(QPen(base.darker(200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void centredText(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, double pixelSize, bool bold)
{
    p.setFont(font(pixelSize, bold));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

}  // namespace kit
