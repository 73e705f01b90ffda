#include "shell/design_pictures.h"

#include "platform/files/text_file.h"

#include <QDir>

QString designPicture(const QString& fileName) { return QDir(files::absolutePathName()).filePath(fileName); }
