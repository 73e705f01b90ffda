#pragma once

#include <QString>

// The bench's CSV logs in the station folder: every report the counter sent, and the
// reports of the process-control checks that passed or failed. A missing log starts
// with an empty line; each line is appended and the file closed at once.
namespace countLogs {

inline const QString Active_Log = QStringLiteral("PC_Active.csv");
inline const QString Passed_Log = QStringLiteral("PC_STD_Passed.csv");
inline const QString Error_Log = QStringLiteral("PC_STD_Error.csv");

// Appends one line. A log that cannot be created or written is named in a message
// to the technician and the result is false; the count goes on without that line.
bool Append_Line(const QString& file_name, const QString& line);

// Every report, before anything else is decided; an empty line is not written.
bool Write_Active_Log(const QString& line);

// A check's report: to the passed or the error log.
bool Write_STD_Log(bool passed, const QString& line);

}  // namespace countLogs
