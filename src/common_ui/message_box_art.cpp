#include "common_ui/message_box_art.h"

#include "platform/ui/fonts.h"

#include <QPainter>
#include <QPainterPath>

namespace message_art {
namespace {

const QColor kPanel(33, 92, 158);
const QColor kPanelEdge(18, 52, 96);
const QColor kHelp(190, 196, 204);

void drawPanel(QPainter& p, QSize size)
{
    p.fillRect(QRect(QPoint(0, 0), size), kPanelEdge);
    p.fillRect(QRect(QPoint(2, 2), size - QSize(4, 4)), kPanel);
}

void drawButton(QPainter& p, QRect area, const QString& text, int points)
{
    const QRect r = area.adjusted(4, 4, -4, -4);
    QPainterPath path;
    path.addRoundedRect(r, 6, 6);
    p.fillPath(path, kPanel.darker(115));
    p.setPen(QPen(Qt::white, 2));
    p.drawPath(path);
    p.setFont(ui::stationFont(QStringLiteral("Arial"), points, true));
    p.drawText(r, Qt::AlignCenter, text);
}

}  // namespace

QPixmap alertPanel(QSize size, QRect okArea)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawPanel(p, size);
    const QRect r = okArea.adjusted(4, 4, -4, -4);
    drawButton(p, okArea, QString(), 12);
    p.setPen(Qt::white);
    p.setFont(ui::stationFont(QStringLiteral("Arial"), 14, true));
    p.drawText(r.adjusted(0, 2, 0, -r.height() / 3), Qt::AlignCenter, QStringLiteral("OK"));
    p.setPen(kHelp);
    p.setFont(ui::stationFont(QStringLiteral("Arial"), 6, false));
    p.drawText(r.adjusted(0, r.height() * 2 / 3 - 4, 0, -2), Qt::AlignCenter, QStringLiteral("touch here to close"));
    return pm;
}

QPixmap questionPanel(QSize size, QRect yesArea, QRect noArea, QRect exitArea)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawPanel(p, size);

    const int band = std::max(24, size.width() / 14);
    p.fillRect(QRect(2, 2, band, size.height() - 4), QColor(128, 132, 138));
    p.save();
    p.translate(2 + band / 2, size.height() / 2);
    p.rotate(-90);
    p.setPen(Qt::white);
    p.setFont(ui::stationFont(QStringLiteral("Arial"), 14, true));
    p.drawText(QRect(-size.height() / 2, -band / 2, size.height(), band), Qt::AlignCenter, QStringLiteral("ALERT"));
    p.restore();

    drawButton(p, yesArea, QStringLiteral("YES"), 14);
    drawButton(p, noArea, QStringLiteral("NO"), 14);
    drawButton(p, exitArea.adjusted(4, 4, -4, -4), QStringLiteral("X"), 10);
    return pm;
}

}  // namespace message_art
