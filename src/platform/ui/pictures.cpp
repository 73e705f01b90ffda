#include "platform/ui/pictures.h"

#include <QDir>
#include <QFileInfo>

namespace ui {

QString findPicture(const QString& path)
{
    if (path.isEmpty()) return {};
    QString normal = path;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(normal);
    if (info.isFile()) return info.filePath();
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& name : entries)
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) return dir.filePath(name);
    return {};
}

QPixmap loadPicture(const QString& path)
{
    const QString found = findPicture(path);
    return found.isEmpty() ? QPixmap() : QPixmap(found);
}

}  // namespace ui
