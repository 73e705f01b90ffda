#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// The path of a picture file whose name matches without regard to letter case
// (the station names one picture in two spellings); empty when there is none.
QString findPicture(const QString& path);

// The picture, or a null pixmap when the file is missing or unreadable.
QPixmap loadPicture(const QString& path);

}  // namespace ui
