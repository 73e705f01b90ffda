#pragma once

#include <QString>
#include <memory>

class QFile;

// Text files the station writes line by line (the CSV logs), and the folder it runs in.
namespace files {

// The absolute path of a file or folder name; an empty name is the current folder.
QString absolutePathName(const QString& name = QString());
bool fileExists(const QString& path);

// A text file open for writing lines at its end. Each line ends in CR LF, as the
// laboratory's log files always have, and reaches the disk when it is written, so a
// station that ends at once loses nothing.
class TextStream {
public:
    TextStream();
    ~TextStream();
    TextStream(TextStream&&) noexcept;
    TextStream& operator=(TextStream&&) noexcept;

    bool isOpen() const;
    QString path() const;
    // False when the line could not be written; errorString() then says why.
    bool writeLine(const QString& line);
    void close();
    QString errorString() const { return error_; }

    // Creates the file anew (an existing one is emptied) and leaves it open.
    bool create(const QString& path);
    // Opens an existing file for writing at its end; a missing file is not created.
    bool openForAppending(const QString& path);

private:
    bool openWith(const QString& path, bool truncate);
    std::unique_ptr<QFile> file_;
    QString error_;
};

}  // namespace files
