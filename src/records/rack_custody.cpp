#include "common/db_module.h"
#include "common/sql_text.h"
#include "records/employee.h"
#include "records/rack.h"
#include "records/value_reading.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The rack id goes into the custody call unquoted; only a whole number is sent.
bool isRackId(const QString& id)
{
    bool ok = false;
    id.trimmed().toLongLong(&ok);
    return ok;
}

QString custodyCall(const OwedRack& rack, const QString& action)
{
    return QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = ") + rack.rackId.trimmed() + QStringLiteral(", ") +
           QStringLiteral("@emp_num = ") + QString::number(rack.empNum) + QStringLiteral(", @station = ") + sqlQuoted(rack.station) +
           QStringLiteral(", @action = ") + sqlQuoted(action);
}

}  // namespace

bool Rack::Rack_Status_Update(const QString& sAction)
{
    if (sAction != QLatin1String("GET") && sAction != QLatin1String("PUT")) return false;
    if (!isRackId(Rack_id)) return false;

    const Employee& technician = commonModule::Curr_Employee();
    const QString station = technician.Station.trimmed();
    const bool giveBack = sAction == QLatin1String("PUT");
    // The laboratory lets only the holder give a rack back: the station gives it
    // back for whom it took it, who may have left the station since, or for whom it
    // asked for it when that take got no answer.
    qlonglong empNum = technician.Emp_Num;
    const OwedRack* asked = owed.find(Rack_id);
    if (giveBack && heldByStation())
        empNum = Emp_Num.toLongLong();
    else if (giveBack && asked)
        empNum = asked->empNum;
    const OwedRack call{Rack_id, empNum, station, Rack_Desc};

    // While a give-back is still kept nothing else is sent, so that a rack is never
    // taken while another is still held here.
    db::Recordset rs;
    const bool sent = Send_Kept_Give_Backs();
    if (sent) {
        // Owed from before the call on: a take may take effect though its answer never
        // comes back, and a give-back is owed until it is answered.
        owed.owe(call);
        rs = dbModule::Get_Recordset(custodyCall(call, sAction), !atTheEnd_);
    }
    if (rs.eof()) {
        // No answer row (no answer, or an error in its place): the station cannot
        // say that it holds the rack, and a give-back is kept to be sent again.
        if (sent) noteNoAnswerRow(nullptr);
        Emp_Num = QVariant();
        if (giveBack) keepGiveBack(call);
        return false;
    }
    custodyUnanswered = false;
    custodyError.clear();
    custodyOwedFirst.clear();
    custodyRefusalToTell.clear();

    bool granted = false;
    Curr_User = QString();
    Curr_Station.clear();
    Rack_Status.clear();
    Emp_Num = QVariant();
    if (records::int16Of(rs.value(QStringLiteral("ERROR"))) == std::int16_t(0)) {
        Curr_User = technician.Emp_Num;
        Curr_Station = station;
        if (!giveBack) Emp_Num = technician.Emp_Num;
        granted = true;
    } else {
        const QVariant user = rs.value(QStringLiteral("CURR_USER"));
        const QVariant holderStation = rs.value(QStringLiteral("CURR_STATION"));
        if (!db::isNull(user)) Curr_User = user;
        if (!db::isNull(holderStation)) Curr_Station = db::textOf(holderStation).trimmed();
    }
    // A give-back answered either way, and a refused take, leave nothing owed.
    if (giveBack || !granted)
        owed.settle(Rack_id, empNum);
    else
        owed.grantedTo(Rack_id, empNum);
    const QVariant message = rs.value(QStringLiteral("MESSAGE"));
    if (!db::isNull(message)) Rack_Status = db::textOf(message);
    rs.close();
    return granted;
}

bool Rack::Send_Kept_Give_Backs()
{
    while (!lostGiveBacks.empty()) {
        const OwedRack lost = lostGiveBacks.front();
        db::Recordset again = dbModule::Get_Recordset(custodyCall(lost, QStringLiteral("PUT")), !atTheEnd_);
        // Only the procedure's answer row settles it; a refusal in that row (the rack
        // is another technician's by now) settles it too.
        if (again.eof()) {
            noteNoAnswerRow(&lost);
            return false;
        }
        again.close();
        lostGiveBacks.erase(lostGiveBacks.begin());
        owed.settle(lost.rackId, lost.empNum);
        forgetUntold(lost);
    }
    return true;
}

void Rack::Keep_Owed_Racks_In(const QString& path)
{
    for (const OwedRack& left : owed.keepIn(path)) {
        keepGiveBack(left);
        untold_.push_back(left);
    }
}

void Rack::keepGiveBack(const OwedRack& rack)
{
    if (std::any_of(lostGiveBacks.begin(), lostGiveBacks.end(), [&](const OwedRack& l) { return l.is(rack.rackId, rack.empNum); })) return;
    owed.owe(rack);
    lostGiveBacks.push_back(rack);
}

void Rack::Give_Back_At_The_End()
{
    // Nothing is asked at the end: what the laboratory does not take back stays
    // owed (in the file, for the next start) and is named on standard error.
    const bool wasQuiet = std::exchange(owed.quiet, true);
    atTheEnd_ = true;
    if (mayHoldShownRack())
        Rack_Status_Update(QStringLiteral("PUT"));
    else
        Send_Kept_Give_Backs();
    atTheEnd_ = false;
    owed.quiet = wasQuiet;
    for (const OwedRack& left : owed.racks()) {
        QString line = QStringLiteral("Rack %1 (id %2) stays held for employee %3 at %4: the laboratory did not take it back.")
                           .arg(left.rackDesc, left.rackId)
                           .arg(left.empNum)
                           .arg(left.station);
        if (owed.noted(left))
            line += QStringLiteral(" The station gives it back at the first login or Exit after its next start (%1).").arg(owed.path());
        else if (!owed.path().isEmpty())
            line += QStringLiteral(" It could not be noted in %1: it stays held at the laboratory until it is given back by hand.")
                        .arg(owed.path());
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
}

void Rack::noteNoAnswerRow(const OwedRack* keptBefore)
{
    custodyUnanswered = true;
    custodyError.clear();
    custodyOwedFirst.clear();
    custodyRefusalToTell.clear();
    if (!dbModule::Last_Call_Answered()) return;
    custodyError = dbModule::Last_Call_Error();
    if (custodyError.isEmpty()) custodyError = QStringLiteral("the custody call came back without its answer.");
    if (!keptBefore) return;
    if (forgetUntold(*keptBefore)) custodyRefusalToTell = keptBefore->rackDesc;
    // The laboratory refused another rack's give-back: that is why this rack's call
    // was not sent.
    if (keptBefore->rackId != Rack_id) custodyOwedFirst = keptBefore->rackDesc;
}

bool Rack::forgetUntold(const OwedRack& rack)
{
    const auto untold = std::remove_if(untold_.begin(), untold_.end(), [&](const OwedRack& u) { return u.is(rack.rackId, rack.empNum); });
    const bool found = untold != untold_.end();
    untold_.erase(untold, untold_.end());
    return found;
}

bool Rack::heldByStation() const { return !Rack_id.isEmpty() && records::isNumeric(Emp_Num); }

bool Rack::mayHoldShownRack() const
{
    if (heldByStation()) return true;
    const bool kept = std::any_of(lostGiveBacks.begin(), lostGiveBacks.end(), [&](const OwedRack& l) { return l.rackId == Rack_id; });
    return !Rack_id.isEmpty() && !kept && owed.find(Rack_id);
}

bool Rack::heldHereByAnother() const
{
    const Employee& technician = commonModule::Curr_Employee();
    return !Rack_id.isEmpty() && records::isNumeric(Curr_User) && Curr_User.toLongLong() != technician.Emp_Num &&
           Curr_Station.trimmed().compare(technician.Station.trimmed(), Qt::CaseInsensitive) == 0;
}

bool Rack::isRackLoggedOut(bool) { return heldByStation() && Emp_Num.toLongLong() == commonModule::Curr_Employee().Emp_Num; }

db::Recordset Rack::Get_Rack_Priority(const QString& sLabCode, const QString& sTestGroup)
{
    const QString testGroup = sTestGroup.isEmpty() ? QStringLiteral(", null")
                                                   : QStringLiteral(", ") + sqlQuoted(sTestGroup) + QStringLiteral(" ");
    const QString scale = commonModule::Curr_Employee().Station == QLatin1String("SCALE") ? QStringLiteral(", 1, 0 ") : QString();
    const QString sql = QStringLiteral("labrack.dbo.get_rack_priority ") + sqlQuoted(sLabCode.trimmed()) + QStringLiteral(" ") + testGroup +
                        QStringLiteral(", 0, 0") + scale + QStringLiteral(", 0");
    return dbModule::Get_Recordset(sql, true);
}

db::Recordset Rack::Get_Samples(const QString& sTestGroup, const QString& sPriority)
{
    const Employee& technician = commonModule::Curr_Employee();
    QString sql = QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = ") + sqlQuoted(technician.Lab_Code.trimmed()) +
                  QStringLiteral(" ");
    if (!sTestGroup.isEmpty()) sql += QStringLiteral(", @test_group = ") + sqlQuoted(sTestGroup) + QStringLiteral(" ");
    if (sPriority.isEmpty())
        sql += QStringLiteral(", @priority = null");
    else
        sql += QStringLiteral(", @priority = ") + sqlQuoted(sPriority.trimmed());
    if (technician.Station == QLatin1String("SCALE"))
        sql += QStringLiteral(", @weight_required = 1, @isWeighed = 0 ");
    else if (technician.Station == QLatin1String("SPAT"))
        sql += QStringLiteral(", @spat = -1, @visual = null ");
    else if (technician.Station == QLatin1String("VISUAL"))
        sql += QStringLiteral(", @spat = null, @visual = -1 ");
    return dbModule::Get_Recordset(sql, true);
}

db::Recordset Rack::Rack_Outstanding_Tests(bool isWeighed, const QString& vTestGroup)
{
    const QString group = vTestGroup.trimmed();
    const QString testGroup = group.isEmpty() ? QStringLiteral("null") : sqlQuoted(group);
    QString sql = QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count(") + sqlQuoted(Lab_Code.trimmed()) + QStringLiteral(", ") +
                  testGroup + QStringLiteral(") ");
    if (isWeighed) sql += QStringLiteral("where isWeighed = 1 ");
    return dbModule::Get_Recordset(sql, true);
}

QString Rack::Sample_Found(const QVariant& Lab_Number, const QVariant& Test_Group)
{
    QString found = Rack_Desc;
    const QString sql = QStringLiteral("exec labrack.dbo.Get_RackSample  @lab_number = ") + sqlQuoted(db::textOf(Lab_Number).trimmed()) +
                        QStringLiteral(", @lab_code = ") + sqlQuoted(Lab_Code.trimmed()) +
                        QStringLiteral(", @lab_id = null, @test_group = ") + sqlQuoted(db::textOf(Test_Group).trimmed()) +
                        QStringLiteral(", ") + QStringLiteral("@weight_required = 0, ") + QStringLiteral("@showWeighed = 0, ") +
                        QStringLiteral("@status = 'READY', ") + QStringLiteral("@test = 'n' ");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    if (!rs.eof()) {
        const QVariant desc = rs.value(QStringLiteral("RACK_DESC"));
        if (!db::isNull(desc)) found = db::textOf(desc).trimmed();
        rs.close();
    }
    return found;
}
