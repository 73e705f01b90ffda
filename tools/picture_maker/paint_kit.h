#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

// Small drawing helpers shared by the pictures.
namespace kit {

// The station's palette, as the pictures use it.
inline const QColor kSlate(74, 80, 85);
inline const QColor kNavy(23, 49, 74);
inline const QColor kBorder(87, 99, 110);
inline const QColor kGrey(91, 101, 110);
inline const QColor kAmber(233, 176, 25);
inline const QColor kButtonGrey(120, 124, 130);

QFont font(double pixelSize, bool bold = true, const QString& family = QStringLiteral("Liberation Sans"));

// A raised button face filling r: light top edge, dark bottom edge, rounded corners.
void buttonFace(QPainter& p, const QRectF& r, const QColor& base, double radius = 5);

// Text centred in r.
void centredText(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, double pixelSize, bool bold = true);

}  // namespace kit
