// The counter dialog's run button in its three states, its five removal reasons,
// the plain removal and the close button.
#include "catalogue.h"
#include "paint_kit.h"

#include <QPainterPath>

namespace {

void runButton(QPainter& p, QSize s, const QColor& face, const QString& text, const QColor& ink, bool stop)
{
    p.fillRect(QRect(QPoint(0, 0), s), QColor(41, 46, 53));
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), face, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (stop) {
        p.drawRect(QRectF(16, 18, 24, 24));
    } else {
        p.drawPolygon(QPolygonF({QPointF(17, 16), QPointF(41, 30), QPointF(17, 44)}));
    }
    kit::centredText(p, QRectF(50, 0, s.width() - 56, s.height()), text, ink, 19);
}

// A reason tile: an icon in the upper part; the dialog writes the reason under it.
void reasonTile(QPainter& p, QSize s, int reason)
{
    p.fillRect(QRect(QPoint(0, 0), s), QColor(41, 46, 53));
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), QColor(60, 72, 86), 7);
    const QPointF c(s.width() / 2.0, 26);
    p.setPen(QPen(Qt::white, 2));
    switch (reason) {
    case 0:  // not enough sample: a nearly empty bottle
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(c.x() - 10, c.y() - 16, 20, 32), 3, 3);
        p.fillRect(QRectF(c.x() - 9, c.y() + 10, 18, 5), kit::kAmber);
        break;
    case 1:  // water: a drop
    {
        QPainterPath drop;
        drop.moveTo(c + QPointF(0, -17));
        drop.cubicTo(c + QPointF(12, -2), c + QPointF(13, 15), c + QPointF(0, 15));
        drop.cubicTo(c + QPointF(-13, 15), c + QPointF(-12, -2), c + QPointF(0, -17));
        p.fillPath(drop, QColor(70, 150, 230));
        p.drawPath(drop);
        break;
    }
    case 2:  // fire retardant: a flame
    {
        QPainterPath flame;
        flame.moveTo(c + QPointF(0, -18));
        flame.cubicTo(c + QPointF(14, -4), c + QPointF(12, 16), c + QPointF(0, 16));
        flame.cubicTo(c + QPointF(-12, 16), c + QPointF(-12, 0), c + QPointF(-3, -6));
        flame.cubicTo(c + QPointF(-2, 2), c + QPointF(4, 2), c + QPointF(0, -18));
        p.fillPath(flame, QColor(240, 120, 30));
        p.drawPath(flame);
        break;
    }
    case 3:  // too dark
        p.setBrush(QColor(25, 20, 15));
        p.drawEllipse(c, 15, 15);
        break;
    default:  // opaque
        p.setBrush(QColor(190, 190, 185));
        p.drawEllipse(c, 15, 15);
        p.setPen(QPen(QColor(150, 150, 145), 3));
        p.drawLine(c + QPointF(-8, -4), c + QPointF(8, -4));
        p.drawLine(c + QPointF(-9, 4), c + QPointF(9, 4));
        break;
    }
}

void removeTile(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), QColor(41, 46, 53));
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), QColor(130, 50, 50), 7);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.width() / 2.0, 36), QPointF(s.width() / 2.0, 10));
    p.drawLine(QPointF(s.width() / 2.0 - 8, 18), QPointF(s.width() / 2.0, 10));
    p.drawLine(QPointF(s.width() / 2.0 + 8, 18), QPointF(s.width() / 2.0, 10));
}

void closeButton(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), QColor(41, 46, 53));
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 8);
    kit::centredText(p, QRectF(0, 0, s.width(), s.height()), QStringLiteral("CLOSE"), Qt::white, 20);
}

}  // namespace

QList<Picture> counterDialogPictures()
{
    QList<Picture> out{
        {QStringLiteral("bttn_startcounter_idle.jpg"),
         {217, 60},
         [](QPainter& p, QSize s) { runButton(p, s, QColor(88, 92, 98), "START COUNTER", QColor(150, 150, 150), false); },
         QStringLiteral("counter dialog: run button, not ready")},
        {QStringLiteral("bttn_startCounter_on.jpg"),
         {217, 60},
         [](QPainter& p, QSize s) { runButton(p, s, QColor(40, 150, 60), "START COUNTER", Qt::white, false); },
         QStringLiteral("counter dialog: run button, ready")},
        {QStringLiteral("bttn_stopCounter_on.jpg"),
         {217, 60},
         [](QPainter& p, QSize s) { runButton(p, s, QColor(190, 40, 40), "STOP COUNTER", Qt::white, true); },
         QStringLiteral("counter dialog: run button, counting")},
    };
    for (int reason = 0; reason < 5; ++reason)
        out << Picture{QStringLiteral("bttn_reason_%1.gif").arg(reason),
                       {131, 80},
                       [reason](QPainter& p, QSize s) { reasonTile(p, s, reason); },
                       QStringLiteral("counter dialog: removal reason %1").arg(reason)};
    out << Picture{QStringLiteral("bttn_remove.gif"), {131, 80}, removeTile, QStringLiteral("counter dialog: remove from bath")};
    out << Picture{QStringLiteral("bttn_close.gif"), {131, 60}, closeButton, QStringLiteral("counter dialog: close")};
    return out;
}
