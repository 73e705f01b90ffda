#include "bench/sample_photos.h"

#include "common/laboratory.h"

#include <QDir>
#include <QFileInfo>

namespace samplePhotos {

namespace {

// The entry of a folder whose name matches without regard to letter case.
QString entryOf(const QDir& dir, const QString& name, QDir::Filters kind)
{
    if (QFileInfo(dir.filePath(name)).exists()) return name;
    for (const QString& entry : dir.entryList(kind | QDir::NoDotAndDotDot))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    return {};
}

}  // namespace

QString find(const QString& share, const QString& sampleId, View view)
{
    const QString id = sampleId.trimmed();
    if (share.trimmed().isEmpty() || id.isEmpty()) return {};
    if (id.contains(QLatin1Char('/')) || id.contains(QLatin1Char('\\'))) return {};

    QDir dir(share.trimmed());
    if (!dir.exists()) return {};
    const QStringList folders{QStringLiteral("virtual_directories"), QStringLiteral("IMG_SAMPLES"), laboratory::Lab_Code};
    for (const QString& folder : folders) {
        const QString entry = entryOf(dir, folder, QDir::Dirs);
        if (entry.isEmpty() || !dir.cd(entry)) return {};
    }
    const QString file = (view == View::Bottom ? QStringLiteral("BTM_") : QStringLiteral("CLR_")) + id + QStringLiteral("_01.jpg");
    const QString entry = entryOf(dir, file, QDir::Files);
    if (entry.isEmpty()) return {};
    const QFileInfo info(dir.filePath(entry));
    return info.isFile() ? info.filePath() : QString();
}

}  // namespace samplePhotos
