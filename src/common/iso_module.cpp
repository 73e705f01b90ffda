#include "common/iso_module.h"

#include "common/alert.h"
#include "common/db_module.h"
#include "common/sql_text.h"
#include "common/station_config.h"
#include "platform/browser/browser.h"

namespace isoModule {

QString documentAddress(const QString& server, const QString& docId, const QString& docType)
{
    // The server keeps its instructions below "Feldspire/" + "/ISO9001-2000/LWI/",
    // two slashes in a row included.
    return QStringLiteral("http://") + server + QStringLiteral("/Feldspire/") + QStringLiteral("/ISO9001-2000/LWI/") + docId.trimmed() +
           QStringLiteral(".") + docType.trimmed();
}

namespace {

void tellCannotOpen(const QString& why)
{
    commonModule::Show_Alert(QStringLiteral("The work instruction cannot be opened.\r\n\r\n") + why);
}

}  // namespace

void Open_ISO_Document(const QString& sTestGroup)
{
    db::Recordset rs = dbModule::Get_Recordset(QStringLiteral("select * from sop.dbo.documents (nolock) where charindex(") +
                                                   sqlQuoted(sTestGroup.trimmed() + QLatin1Char(';')) + QStringLiteral(", Test_Group) > 0"),
                                               true);
    if (!rs.eof() && !rs.isNullAt(QStringLiteral("DOC_TYPE"))) {
        const StationConfig& config = stationConfig();
        const QString address = documentAddress(config.documentServer, db::textOf(rs.value(QStringLiteral("DOC_ID"))),
                                                db::textOf(rs.value(QStringLiteral("DOC_TYPE"))));
        QString why;
        if (config.documentServer.isEmpty())
            commonModule::Show_Alert(QStringLiteral("The work instruction cannot be opened: no document server is set for this station."));
        else if (!browser::openAddress(config.browserProgram, address, &why, tellCannotOpen))
            tellCannotOpen(why);
    }
    rs.close();
}

}  // namespace isoModule
