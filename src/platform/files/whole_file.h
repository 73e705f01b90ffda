#pragma once

#include <QByteArray>
#include <QString>

// Small files the station keeps whole and replaces whole.
namespace files {

// Puts contents in place of the whole file, as one step that reaches the disk: a
// station that ends at any moment, by a power cut too, leaves the old file or the
// new one, never a part of either. False, with the reason in error, when the file
// or its folder cannot be written.
bool replaceWholeFile(const QString& path, const QByteArray& contents, QString* error);

}  // namespace files
