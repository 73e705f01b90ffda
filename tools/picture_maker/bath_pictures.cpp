// The bench's bath: one tile per position (free, or holding a sample of a
// priority), the reload button and the oldest-rack marker.
#include "catalogue.h"
#include "paint_kit.h"

#include <QPainterPath>

namespace {

// A bath position holding a sample: a vial seen from above in a tile edged with
// the priority's colour. The tile's middle stays calm for the labels on it.
void occupied(QPainter& p, QSize s, const QColor& priority)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, s.width() - 4, s.height() - 4), 9, 9);
    QLinearGradient body(0, 0, 0, s.height());
    body.setColorAt(0, QColor(52, 70, 90));
    body.setColorAt(1, QColor(30, 44, 60));
    p.fillPath(tile, body);
    p.setPen(QPen(priority, 4));
    p.drawPath(tile);
    p.fillRect(QRectF(4, 4, s.width() - 8, 18), priority.darker(160));
    p.setPen(QPen(QColor(200, 170, 80, 150), 2));
    p.setBrush(QColor(180, 120, 20, 70));
    p.drawEllipse(QPointF(s.width() / 2.0, s.height() / 2.0 + 4), 26, 26);
}

void freePosition(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(3, 3, s.width() - 6, s.height() - 6), 9, 9);
    p.fillPath(tile, QColor(28, 40, 54));
    p.setPen(QPen(QColor(90, 104, 118), 2, Qt::DashLine));
    p.drawPath(tile);
    p.setPen(QPen(QColor(70, 84, 98), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(s.width() / 2.0, s.height() / 2.0 + 4), 26, 26);
}

void reload(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kSlate);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 5);
    p.setPen(QPen(QColor(240, 240, 240), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(10, 10, 22, 22);
    p.drawArc(ring, 30 * 16, 140 * 16);
    p.drawArc(ring, 210 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    p.drawPolygon(QPolygonF({QPointF(30, 8), QPointF(33, 17), QPointF(24, 15)}));
    p.drawPolygon(QPolygonF({QPointF(12, 34), QPointF(9, 25), QPointF(18, 27)}));
}

void oldestRack(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), QColor(40, 56, 74));
    p.setBrush(kit::kAmber);
    p.setPen(QPen(QColor(120, 80, 0), 1));
    p.drawEllipse(QRectF(1, 1, s.width() - 2, s.height() - 2));
    kit::centredText(p, QRectF(0, 0, s.width(), s.height()), QStringLiteral("!"), QColor(40, 30, 0), 14);
}

}  // namespace

QList<Picture> bathPictures()
{
    const std::pair<const char*, QColor> priorities[] = {{"", QColor(70, 150, 210)},        {"_NORMAL", QColor(70, 150, 210)},
                                                         {"_RUSH", QColor(236, 206, 30)},   {"_CRITICAL", QColor(214, 40, 40)},
                                                         {"_URGENT", QColor(240, 128, 20)}, {"_RETEST", QColor(150, 90, 200)}};
    QList<Picture> out;
    for (const auto& [suffix, colour] : priorities)
        out << Picture{QStringLiteral("bttn_bath%1.gif").arg(QString::fromLatin1(suffix)),
                       {109, 101},
                       [c = colour](QPainter& p, QSize s) { occupied(p, s, c); },
                       QStringLiteral("bench: bath position with a sample")};
    out << Picture{QStringLiteral("bttn_bath_idle.gif"), {109, 101}, freePosition, QStringLiteral("bench: free bath position")};
    out << Picture{QStringLiteral("bttn_refresh.gif"), {42, 42}, reload, QStringLiteral("bench: reload the bath")};
    out << Picture{QStringLiteral("img_oldrack.gif"), {20, 20}, oldestRack, QStringLiteral("bench: oldest-rack marker")};
    return out;
}
