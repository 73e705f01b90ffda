#include "common/open_log_file.h"

#include "common/alert.h"
#include "platform/db/recordset.h"

namespace commonModule {

bool Open_Log_File(files::TextStream& oStream, const QVariant& vFileName, const QVariant& vHeader)
{
    const QString name = db::textOf(vFileName);
    bool ok = false;
    if (!files::fileExists(name)) {
        ok = oStream.create(name);
        if (ok && !db::isNull(vHeader)) ok = oStream.writeLine(vHeader.toString());
    } else {
        ok = oStream.openForAppending(name);
    }
    if (ok) return true;

    const QString why = oStream.errorString();
    oStream.close();
    Show_Alert(QStringLiteral("The log file %1 cannot be written (%2). The count is not logged there.")
                   .arg(name.isEmpty() ? QStringLiteral("(no name)") : name, why));
    return false;
}

}  // namespace commonModule
