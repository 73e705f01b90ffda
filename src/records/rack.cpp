#include "records/rack.h"

#include "common/db_module.h"
#include "common/laboratory.h"
#include "common/sql_text.h"
#include "common/station_config.h"
#include "platform/clock/clock.h"
#include "records/employee.h"
#include "records/station_record.h"
#include "records/value_reading.h"

#include <array>
#include <optional>

namespace {

QString loadStatement(const QString& sId, const QString& sTestGroup)
{
    QString sql = QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = ") + sqlQuoted(sId) +
                  QStringLiteral(", @test_group = ") + sqlQuoted(sTestGroup.trimmed());
    if (commonModule::Curr_Employee().Station == QLatin1String("SCALE")) sql += QStringLiteral(", @weight_required = 1, @showWeighed = 0 ");
    return sql;
}

// Text of a column, or the fallback when the column is NULL.
QString textOr(const db::Recordset& rs, const QString& column, const QString& fallback)
{
    const QVariant v = rs.value(column);
    return db::isNull(v) ? fallback : db::textOf(v);
}

// One position built from the current row of rRS, or an empty one for null. A NULL
// or unreadable column keeps the value an empty position has.
RackPositions buildPosition(const db::Recordset* rRS, std::int16_t vPosition)
{
    QString weight, status, priority, workOrder, labCode, component;
    QString labId = QStringLiteral("0");
    std::int16_t runNo = 0;
    bool photo = false;
    bool empty = true;

    if (rRS) {
        const db::Recordset& rs = *rRS;
        weight = textOr(rs, QStringLiteral("DESIRED_WEIGHT"), weight).trimmed();
        status = textOr(rs, QStringLiteral("STATUS"), status).trimmed();
        priority = textOr(rs, QStringLiteral("PRIORITY"), priority).trimmed();
        runNo = records::int16Of(rs.value(QStringLiteral("RUN_NO"))).value_or(0);
        workOrder = textOr(rs, QStringLiteral("WORK_ORDER_NO"), workOrder);
        labId = textOr(rs, QStringLiteral("LAB_ID"), labId);
        labCode = textOr(rs, QStringLiteral("LAB_CODE"), labCode);
        component = textOr(rs, QStringLiteral("COMPONENT_CODE"), component).trimmed();
        photo = records::int16Of(rs.value(QStringLiteral("DOPICTURE"))) == std::int16_t(1);
        empty = false;
    }
    if (status == QLatin1String("PENDING")) status = QStringLiteral("DONE");

    RackPositions p;
    p.Pos = vPosition;
    p.Status = status;
    p.Init_Status = p.Status;
    p.Run_No = runNo;
    p.Priority = priority;
    p.Active = !status.isEmpty();
    p.Sample_Desc = workOrder;
    p.Lab_Id = labId;
    p.Component_Code = component;
    p.doPicture = photo;
    p.TargetWeight = weight;

    p.Rec = records::makeTestRecord(commonModule::Curr_Employee().Station);
    if (p.Rec) {
        p.Rec->Lab_Id = labId;
        p.Rec->Lab_Code = labCode;
        p.Rec->Run_No = runNo;
        p.Rec->Priority = priority;
        p.Rec->Status = status;
        p.Rec->isEmpty = empty;
    }
    return p;
}

}  // namespace

Rack::Rack()
{
    Lab_Code = laboratory::Lab_Code;
    // The rack record works on the station's database, as the login screen sets it.
    dbModule::Conn_String = stationConnectionString(stationConfig());
    Initialize_pos();
}

void Rack::Initialize_pos()
{
    Rack_id.clear();
    Rack_Desc.clear();
    Pos_Release();
}

void Rack::Pos_Release() { Pos.clear(); }

void Rack::Rack_Set(const db::Recordset* rRS, std::int16_t vPosition) { Pos.push_back(buildPosition(rRS, vPosition)); }

bool Rack::Rack_Load(const QString& sId, const QString& sTestGroup)
{
    db::Recordset rs = dbModule::Get_Recordset(loadStatement(sId, sTestGroup), true);
    // No answer is no empty rack: the rack stays as it was.
    if (!rs.isOpen()) return false;
    Pos_Release();

    QDateTime rackDate = stationClock::now();
    Rack_Status.clear();
    Curr_User = QString();
    Curr_Station.clear();
    Rack_id.clear();
    Emp_Num = QVariant();
    custodyUnanswered = false;
    custodyError.clear();
    custodyOwedFirst.clear();
    custodyRefusalToTell.clear();

    if (!rs.eof()) {
        Rack_id = db::textOf(rs.value(QStringLiteral("RACK_ID")));
        const QVariant status = rs.value(QStringLiteral("CURRENT_RACK_STATUS"));
        const QVariant user = rs.value(QStringLiteral("CURR_USER"));
        const QVariant station = rs.value(QStringLiteral("CURR_STATION"));
        if (!db::isNull(status)) Rack_Status = db::textOf(status);
        if (!db::isNull(user)) Curr_User = user;
        if (!db::isNull(station)) Curr_Station = db::textOf(station);
    }

    // Each row goes to the place its POSITION names. A row without a readable
    // POSITION between 1 and 20, or for a place already taken, has no place on the
    // rack and is left out, so the rack never holds more than 20 positions.
    std::array<std::optional<RackPositions>, kPositions> places;
    for (; !rs.eof(); rs.moveNext()) {
        const std::optional<std::int16_t> position = records::int16Of(rs.value(QStringLiteral("POSITION")));
        if (!position || *position < 1 || *position > kPositions) continue;
        const std::int16_t index = *position - 1;
        if (places[index]) continue;
        places[index] = buildPosition(&rs, index);
        const std::optional<QDateTime> received = records::dateTimeOf(rs.value(QStringLiteral("RECEIVED_DATETIME")));
        if (received && rackDate > *received) rackDate = *received;
    }
    rs.close();

    for (std::int16_t i = 0; i < kPositions; ++i) {
        if (places[i])
            Pos.push_back(std::move(*places[i]));
        else
            Rack_Set(nullptr, i);
    }
    Rack_Date = rackDate;
    return true;
}

namespace commonModule {

Rack& Curr_Rack()
{
    static Rack rack;
    return rack;
}

}  // namespace commonModule
