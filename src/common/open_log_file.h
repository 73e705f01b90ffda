#pragma once

#include "platform/files/text_file.h"

#include <QVariant>

namespace commonModule {

// Opens a log file for appending and leaves oStream open for the caller. A missing
// file is created first and, unless vHeader is NULL, gets vHeader as its first line
// (an empty text gives an empty first line). A file that cannot be created or
// opened is reported to the technician in a message, and the result is false: the
// caller skips its lines and the station goes on.
bool Open_Log_File(files::TextStream& oStream, const QVariant& vFileName, const QVariant& vHeader);

}  // namespace commonModule
