// The splash of the login screen, the header bar's two buttons and the work forms'
// shared background.
#include "catalogue.h"
#include "paint_kit.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace {

void splash(QPainter& p, QSize s)
{
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0, QColor(10, 22, 36));
    sky.setColorAt(1, QColor(2, 6, 10));
    p.fillRect(QRect(QPoint(0, 0), s), sky);

    // Particles drifting in oil: amber dots of many sizes, fixed by the seed.
    QRandomGenerator random(4406);
    for (int i = 0; i < 420; ++i) {
        const QPointF c(random.bounded(s.width()), random.bounded(s.height()));
        const double r = 1 + random.bounded(1.0) * random.bounded(1.0) * 9;
        QColor dot = kit::kAmber;
        dot.setAlpha(40 + random.bounded(120));
        p.setBrush(dot);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c, r, r);
    }

    // An oil drop with the counter's channels beside it.
    const QPointF drop(s.width() * 0.28, s.height() * 0.52);
    QPainterPath shape;
    shape.moveTo(drop + QPointF(0, -150));
    shape.cubicTo(drop + QPointF(40, -70), drop + QPointF(110, -10), drop + QPointF(110, 55));
    shape.cubicTo(drop + QPointF(110, 120), drop + QPointF(60, 160), drop + QPointF(0, 160));
    shape.cubicTo(drop + QPointF(-60, 160), drop + QPointF(-110, 120), drop + QPointF(-110, 55));
    shape.cubicTo(drop + QPointF(-110, -10), drop + QPointF(-40, -70), drop + QPointF(0, -150));
    QRadialGradient oil(drop + QPointF(-30, 40), 180);
    oil.setColorAt(0, QColor(250, 205, 80));
    oil.setColorAt(1, QColor(150, 92, 8));
    p.fillPath(shape, oil);
    p.setPen(QPen(QColor(255, 230, 160), 3));
    p.drawPath(shape);

    const int bars[] = {210, 170, 120, 80, 50, 30, 16};
    const char* channels[] = {"2", "5", "15", "25", "50", "100", "200"};
    for (int i = 0; i < 7; ++i) {
        const QRectF bar(s.width() * 0.42 + i * 46, s.height() * 0.68 - bars[i], 32, bars[i]);
        p.fillRect(bar, QColor(60, 140, 200));
        kit::centredText(p, QRectF(bar.left() - 8, bar.bottom() + 6, 48, 22), QString::fromLatin1(channels[i]), QColor(170, 190, 210), 15,
                         false);
    }

    kit::centredText(p, QRectF(0, s.height() * 0.12, s.width(), 90), QStringLiteral("PARTICLE COUNT STATION"), kit::kAmber, 64);
    kit::centredText(p, QRectF(0, s.height() * 0.12 + 90, s.width(), 40),
                     QStringLiteral("Oil analysis laboratory  \u00b7  ISO 4406 cleanliness"), QColor(190, 200, 210), 24, false);
    kit::centredText(p, QRectF(0, s.height() - 70, s.width(), 40), QStringLiteral("Touch Login to begin"), QColor(150, 160, 170), 22, false);
}

void openPadlock(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 5);
    // The shackle, swung open to the right.
    p.setPen(QPen(QColor(235, 235, 235), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(18, 6, 15, 16), 0, 180 * 16);
    p.drawLine(QPointF(33, 14), QPointF(33, 19));
    // The body with its keyhole.
    const QRectF body(8, 19, 21, 16);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(236, 200, 80));
    p.drawRoundedRect(body, 2.5, 2.5);
    p.setBrush(QColor(50, 50, 50));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(18.5, 25.5), 2.4, 2.4);
    p.drawRect(QRectF(17.6, 26, 1.8, 5.5));
}

void isoButton(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 5);
    kit::centredText(p, QRectF(0, 0, s.width(), s.height()), QStringLiteral("ISO"), Qt::white, 15);
}

void workFormBackground(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kSlate);
    p.setPen(QPen(kit::kSlate.darker(106), 1));
    for (int d = -s.height(); d < s.width(); d += 6) p.drawLine(d, 0, d + s.height(), s.height());
}

}  // namespace

QList<Picture> loginAndHeaderPictures()
{
    return {
        {QStringLiteral("splash.jpg"), {1280, 870}, splash, QStringLiteral("login screen: splash")},
        {QStringLiteral("bttn_login.gif"), {42, 42}, openPadlock, QStringLiteral("header bar: locks the station")},
        {QStringLiteral("bttn_iso.gif"), {42, 42}, isoButton, QStringLiteral("header bar: work instruction")},
        {QStringLiteral("bg_workform.gif"), {2000, 2000}, workFormBackground, QStringLiteral("background of the work forms")},
    };
}
