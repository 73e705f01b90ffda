#pragma once

#include <QRect>
#include <QWidget>

// Screen units. The station's layout is given in twips (1440 to the inch); a
// control keeps its twip geometry, fractions included, and shows it in pixels.
namespace ui {

// Twips per pixel across and down: 1440 / the screen's logical DPI, unless fixed.
double twipsPerPixelX();
double twipsPerPixelY();
// Fixes the twips per pixel (tests fix 15); zero goes back to the screen's value.
void setTwipsPerPixel(double x, double y);

int toPixelsX(double twips);
int toPixelsY(double twips);

struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// A control's geometry in twips: the values last set, or its pixel geometry in twips.
TwipRect twipRect(const QWidget* w);
void setTwipRect(QWidget* w, const TwipRect& r);

double Left(const QWidget* w);
double Top(const QWidget* w);
double Width(const QWidget* w);
double Height(const QWidget* w);
void setLeft(QWidget* w, double twips);
void setTop(QWidget* w, double twips);
void setWidth(QWidget* w, double twips);
void setHeight(QWidget* w, double twips);
void setTwipGeometry(QWidget* w, double left, double top, double width, double height);

// A new control of a form, named as the form names it and placed in twips.
template <class W>
W* newControl(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    setTwipGeometry(w, left, top, width, height);
    return w;
}

// The screen's size in twips.
double screenWidthTwips();
double screenHeightTwips();

}  // namespace ui
