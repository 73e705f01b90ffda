#pragma once

#include <QImage>
#include <QString>

// Writes the picture in the format its name asks for: ".gif" through giflib (the
// colours reduced to one table of at most 256), ".jpg" through Qt. False with
// *error set when the file could not be written.
bool writePicture(const QImage& image, const QString& path, QString* error);
