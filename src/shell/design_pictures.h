#pragma once

#include <QString>

// The pictures a form shows from its design (buttons, splash, background) lie in
// the station folder, the folder the station runs in.
QString designPicture(const QString& fileName);
