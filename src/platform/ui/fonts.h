#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The installed family that stands in for a font the station names ("Arial",
// "Arial Narrow", "Eurostile", "verdana", ...), by letter-case-blind name.
QString familyFor(const QString& stationFontName);

// A font of that name, size in points and weight.
QFont stationFont(const QString& name, double points, bool bold);

}  // namespace ui
