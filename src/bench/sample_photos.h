#pragma once

#include <QString>

// The sample photographs on the laboratory's image share: the bottom view
// "BTM_<id>_01.jpg" and the colour view "CLR_<id>_01.jpg" in
// virtual_directories/IMG_SAMPLES/<laboratory>/ below the share. Every part of the
// path is found without regard to letter case.
namespace samplePhotos {

enum class View { Bottom, Colour };

// The file's path, or empty when the share, the folder or the file is missing. A
// sample id that holds a path separator names no photograph.
QString find(const QString& share, const QString& sampleId, View view);

}  // namespace samplePhotos
