// labrack.dbo.rack_acquisition_upd: who holds a rack. A rack is worked on by one
// technician at one station at a time; GET takes it, PUT gives it back.
#include "labdb/lab_records.h"
#include "labdb/procedure.h"

namespace labdb {

namespace {

const QStringList kExtraColumns = {QStringLiteral("CURR_USER"), QStringLiteral("CURR_STATION"), QStringLiteral("RACK_ID"),
                                   QStringLiteral("RACK_DESC")};

QString holderName(Database& db, const QVariant& empNum)
{
    const QVariant name = db.scalar("SELECT FIRST_NAME || ' ' || LAST_NAME FROM employees WHERE EMP_NUM = ?", {empNum});
    return db::isNull(name) ? QStringLiteral("employee %1").arg(empNum.toString()) : name.toString();
}

QString inUseText(const QString& name, const QVariant& empNum, const QString& station)
{
    return QStringLiteral("In use by %1 (%2) at %3").arg(name, empNum.toString(), station);
}

db::Recordset rackAcquisition(ProcContext& c, const Args& a)
{
    const qlonglong rackId = a.integer(QStringLiteral("@rack_id"));
    const qlonglong empNum = a.integer(QStringLiteral("@emp_num"));
    const QString station = a.trimmed(QStringLiteral("@station"));
    const QString action = a.trimmed(QStringLiteral("@action")).toUpper();

    const QVariantList rack = c.db.firstRow("SELECT RACK_ID, RACK_DESC, CURR_USER, CURR_STATION FROM racks WHERE RACK_ID = ?", {rackId});
    if (a.isNull(QStringLiteral("@rack_id")) || rack.isEmpty())
        return errorReply(1, QStringLiteral("Rack %1 does not exist.").arg(a.text(QStringLiteral("@rack_id"))), kExtraColumns);
    const QString desc = rack[1].toString();
    const QVariant holder = rack[2];
    const QString holderStation = rack[3].toString();
    const QVariantList holderValues{holder, db::isNull(holder) ? QVariant() : QVariant(holderStation), rackId, desc};

    if (action != QLatin1String("GET") && action != QLatin1String("PUT"))
        return errorReply(1, QStringLiteral("Unknown rack action '%1'; use GET or PUT.").arg(a.text(QStringLiteral("@action"))),
                          kExtraColumns, holderValues);
    const std::optional<EmployeeRow> employee = activeEmployee(c.db, empNum);
    if (!employee) return errorReply(1, QStringLiteral("Employee %1 is not an active employee.").arg(empNum), kExtraColumns, holderValues);
    if (station.isEmpty()) return errorReply(1, QStringLiteral("No station named for rack %1.").arg(desc), kExtraColumns, holderValues);

    const bool free = db::isNull(holder);
    const bool heldHere = !free && holder.toLongLong() == empNum && holderStation.compare(station, Qt::CaseInsensitive) == 0;
    if (!free && !heldHere) {
        const QString name = holderName(c.db, holder);
        const QString why = action == QLatin1String("GET")
                                ? QStringLiteral("Rack %1 is in use by %2 (%3) at %4.")
                                : QStringLiteral("Rack %1 is held by %2 (%3) at %4; only the holder can return it.");
        return errorReply(1, why.arg(desc, name, holder.toString(), holderStation), kExtraColumns, holderValues);
    }
    if (action == QLatin1String("GET")) {
        const QString status = inUseText(employee->fullName, empNum, station);
        c.db.exec("UPDATE racks SET CURR_USER = ?, CURR_STATION = ?, RACK_STATUS = ?, STATUS_DATETIME = ? WHERE RACK_ID = ?",
                  {empNum, station, status, c.now, rackId});
        return errorReply(0, status, kExtraColumns, {empNum, station, rackId, desc});
    }
    const QString status = QStringLiteral("Available");
    if (!free)
        c.db.exec("UPDATE racks SET CURR_USER = NULL, CURR_STATION = NULL, RACK_STATUS = ?, STATUS_DATETIME = ? WHERE RACK_ID = ?",
                  {status, c.now, rackId});
    return errorReply(0, status, kExtraColumns, {QVariant(), QVariant(), rackId, desc});
}

}  // namespace

void addCustodyProcedures(QList<Procedure>& out)
{
    out << Procedure{QStringLiteral("labrack.dbo.rack_acquisition_upd"),
                     {required(integerParam("@rack_id")), required(integerParam("@emp_num")), required(textParam("@station")),
                      required(textParam("@action"))},
                     true,
                     rackAcquisition};
}

}  // namespace labdb
