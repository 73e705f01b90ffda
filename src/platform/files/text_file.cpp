#include "platform/files/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace files {

QString absolutePathName(const QString& name)
{
    if (name.isEmpty()) return QDir::currentPath();
    return QFileInfo(name).absoluteFilePath();
}

bool fileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

TextStream::TextStream() = default;
TextStream::~TextStream() { close(); }
TextStream::TextStream(TextStream&&) noexcept = default;
TextStream& TextStream::operator=(TextStream&&) noexcept = default;

bool TextStream::isOpen() const { return file_ && file_->isOpen(); }

QString TextStream::path() const { return file_ ? file_->fileName() : QString(); }

bool TextStream::openWith(const QString& path, bool truncate)
{
    close();
    error_.clear();
    if (!truncate && !fileExists(path)) {
        error_ = QStringLiteral("the file does not exist");
        return false;
    }
    file_ = std::make_unique<QFile>(path);
    const QIODevice::OpenMode mode = truncate ? (QIODevice::WriteOnly | QIODevice::Truncate) : (QIODevice::WriteOnly | QIODevice::Append);
    if (!file_->open(mode)) {
        error_ = file_->errorString();
        file_.reset();
        return false;
    }
    return true;
}

bool TextStream::create(const QString& path) { return openWith(path, true); }

bool TextStream::openForAppending(const QString& path) { return openWith(path, false); }

bool TextStream::writeLine(const QString& line)
{
    if (!isOpen()) {
        if (error_.isEmpty()) error_ = QStringLiteral("the file is not open");
        return false;
    }
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (file_->write(bytes) != bytes.size() || !file_->flush()) {
        error_ = file_->errorString();
        return false;
    }
    return true;
}

void TextStream::close()
{
    if (file_) file_->close();
    file_.reset();
}

}  // namespace files
