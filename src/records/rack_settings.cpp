#include "common/db_module.h"
#include "common/sql_text.h"
#include "records/rack.h"
#include "records/value_reading.h"

void Rack::Get_SoftwareId()
{
    softWare_id = QVariant();
    if (softWare_Name.isEmpty()) return;
    const QString sql = QStringLiteral("SELECT * ") + QStringLiteral("FROM   labrack.dbo.Lab_Software (nolock) ") +
                        QStringLiteral("WHERE  name = ") + sqlQuoted(softWare_Name.trimmed()) + QStringLiteral(" ");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    if (!rs.eof()) {
        const QVariant id = rs.value(QStringLiteral("SOFTWARE_ID"));
        if (!db::isNull(id)) softWare_id = id;
    }
    rs.close();
}

db::Recordset Rack::Software_GetSettings()
{
    Get_SoftwareId();
    // The id goes into the statement unquoted, so only a number is ever sent.
    if (!records::isNumeric(softWare_id)) return {};
    const QString sql = QStringLiteral("SELECT * ") + QStringLiteral("FROM   labrack.dbo.Lab_Software_Settings (nolock) ") +
                        QStringLiteral("WHERE  software_id = ") + db::textOf(softWare_id).trimmed() + QStringLiteral(" ") +
                        QStringLiteral("AND    type = 'NORMAL' ") + QStringLiteral("ORDER ") + QStringLiteral("BY     software_id, ") +
                        QStringLiteral("Setting");
    return dbModule::Get_Recordset(sql, true);
}

void Rack::Load_Software_settings()
{
    Settings.clear();
    if (softWare_Name.isEmpty()) return;
    db::Recordset rs = Software_GetSettings();
    for (; !rs.eof(); rs.moveNext()) {
        const QVariant name = rs.value(QStringLiteral("SETTING"));
        if (db::isNull(name)) continue;
        const QString key = db::textOf(name).trimmed();
        // Of two rows with one name (in any letter case) the first is kept.
        bool added = false;
        ::Settings& item = Settings.add(key, &added);
        if (!added) continue;
        item.Setting = key;
        item.Value = db::textOf(rs.value(QStringLiteral("VALUE"))).trimmed();
        item.Description = db::textOf(rs.value(QStringLiteral("DESCRIPTION"))).trimmed();
        item.Type_ = db::textOf(rs.value(QStringLiteral("TYPE"))).trimmed();
    }
    rs.close();
}
