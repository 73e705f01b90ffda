#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <cmath>

namespace ui {
namespace {

double fixedX = 0;
double fixedY = 0;
const char* const kTwipRect = "stationTwipRect";

double screenTwipsPerPixel(bool across)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? (across ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

}  // namespace

double twipsPerPixelX() { return fixedX > 0 ? fixedX : screenTwipsPerPixel(true); }
double twipsPerPixelY() { return fixedY > 0 ? fixedY : screenTwipsPerPixel(false); }

void setTwipsPerPixel(double x, double y)
{
    fixedX = x;
    fixedY = y;
}

int toPixelsX(double twips) { return static_cast<int>(std::lround(twips / twipsPerPixelX())); }
int toPixelsY(double twips) { return static_cast<int>(std::lround(twips / twipsPerPixelY())); }

TwipRect twipRect(const QWidget* w)
{
    const QVariant stored = w->property(kTwipRect);
    const QRect g = w->isWindow() ? QRect(w->pos(), w->size()) : w->geometry();
    TwipRect r{g.x() * twipsPerPixelX(), g.y() * twipsPerPixelY(), g.width() * twipsPerPixelX(), g.height() * twipsPerPixelY()};
    if (stored.isValid()) {
        const QRectF s = stored.toRectF();
        // A value set in twips is kept as long as the pixel geometry still shows it.
        if (toPixelsX(s.x()) == g.x()) r.left = s.x();
        if (toPixelsY(s.y()) == g.y()) r.top = s.y();
        if (toPixelsX(s.width()) == g.width()) r.width = s.width();
        if (toPixelsY(s.height()) == g.height()) r.height = s.height();
    }
    return r;
}

void setTwipRect(QWidget* w, const TwipRect& r)
{
    w->setProperty(kTwipRect, QRectF(r.left, r.top, r.width, r.height));
    const QRect pixels(toPixelsX(r.left), toPixelsY(r.top), std::max(0, toPixelsX(r.width)), std::max(0, toPixelsY(r.height)));
    if (w->isWindow()) {
        w->move(pixels.topLeft());
        w->resize(pixels.size());
    } else {
        w->setGeometry(pixels);
    }
}

double Left(const QWidget* w) { return twipRect(w).left; }
double Top(const QWidget* w) { return twipRect(w).top; }
double Width(const QWidget* w) { return twipRect(w).width; }
double Height(const QWidget* w) { return twipRect(w).height; }

namespace {

void setSide(QWidget* w, double TwipRect::*side, double twips)
{
    TwipRect r = twipRect(w);
    r.*side = twips;
    setTwipRect(w, r);
}

}  // namespace

void setLeft(QWidget* w, double twips) { setSide(w, &TwipRect::left, twips); }
void setTop(QWidget* w, double twips) { setSide(w, &TwipRect::top, twips); }
void setWidth(QWidget* w, double twips) { setSide(w, &TwipRect::width, twips); }
void setHeight(QWidget* w, double twips) { setSide(w, &TwipRect::height, twips); }

void setTwipGeometry(QWidget* w, double left, double top, double width, double height) { setTwipRect(w, {left, top, width, height}); }

double screenWidthTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return (screen ? screen->geometry().width() : 1280) * twipsPerPixelX();
}

double screenHeightTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return (screen ? screen->geometry().height() : 1024) * twipsPerPixelY();
}

}  // namespace ui
