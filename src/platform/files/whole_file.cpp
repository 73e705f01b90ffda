#include "platform/files/whole_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace files {

namespace {

// The new name of the file reaches the disk with its folder.
void syncFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool replaceWholeFile(const QString& path, const QByteArray& contents, QString* error)
{
    // Written beside the file under another name, on the disk before it is renamed
    // over the file.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.flush() &&
                         ::fsync(file.handle()) == 0;
    if (!written || !file.commit()) {
        if (error) *error = file.error() != QFileDevice::NoError ? file.errorString() : QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    syncFolder(path);
    return true;
}

}  // namespace files
