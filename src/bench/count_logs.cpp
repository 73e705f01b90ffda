#include "bench/count_logs.h"

#include "common/alert.h"
#include "common/open_log_file.h"
#include "platform/files/text_file.h"

namespace countLogs {

bool Append_Line(const QString& file_name, const QString& line)
{
    files::TextStream stream;
    if (!commonModule::Open_Log_File(stream, file_name, QStringLiteral(""))) return false;
    const bool written = stream.writeLine(line);
    const QString why = stream.errorString();
    stream.close();
    if (!written) {
        commonModule::Show_Alert(QStringLiteral("The log file %1 cannot be written (%2). The count is not logged there.").arg(file_name, why));
    }
    return written;
}

bool Write_Active_Log(const QString& line)
{
    if (line.isEmpty()) return true;
    return Append_Line(Active_Log, line);
}

bool Write_STD_Log(bool passed, const QString& line) { return Append_Line(passed ? Passed_Log : Error_Log, line); }

}  // namespace countLogs
