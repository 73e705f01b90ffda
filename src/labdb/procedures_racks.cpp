// The rack queries: a rack's positions with their tests, the priorities and racks
// with outstanding work, and the rack a sample stands on.
#include "labdb/lab_records.h"
#include "labdb/procedure.h"

#include <algorithm>
#include <iterator>

namespace labdb {

namespace {

// Priorities from the most to the least urgent; others after them.
int priorityRank(QByteArrayView priority)
{
    static const char* const ranked[] = {"CRITICAL", "URGENT", "RUSH", "RETEST", "NORMAL"};
    for (int i = 0; i < int(std::size(ranked)); ++i)
        if (priority == ranked[i]) return i;
    return int(std::size(ranked));
}

QString rightTrimmed(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1].isSpace()) --n;
    return s.left(n);
}

// One row per occupied position of the rack whose sample has a test of the
// group (its latest run), in ascending position; no rows at all when none of
// them is still to be done (READY).
db::Recordset outstandingRackTests(ProcContext& c, const Args& a)
{
    const QStringList columns = {QStringLiteral("RACK_ID"),
                                 QStringLiteral("RACK_DESC"),
                                 QStringLiteral("CURRENT_RACK_STATUS"),
                                 QStringLiteral("CURR_USER"),
                                 QStringLiteral("CURR_STATION"),
                                 QStringLiteral("POSITION"),
                                 QStringLiteral("RECEIVED_DATETIME"),
                                 QStringLiteral("DESIRED_WEIGHT"),
                                 QStringLiteral("STATUS"),
                                 QStringLiteral("PRIORITY"),
                                 QStringLiteral("RUN_NO"),
                                 QStringLiteral("WORK_ORDER_NO"),
                                 QStringLiteral("LAB_ID"),
                                 QStringLiteral("LAB_CODE"),
                                 QStringLiteral("COMPONENT_CODE"),
                                 QStringLiteral("DOPICTURE"),
                                 QStringLiteral("TEST_GROUP")};
    const QByteArray sql = "SELECT r.RACK_ID, r.RACK_DESC, r.RACK_STATUS, r.CURR_USER, r.CURR_STATION, p.POSITION, s.RECEIVED_DATETIME,"
                           " t.DESIRED_WEIGHT, t.STATUS, s.PRIORITY, t.RUN_NO, s.LAB_NUMBER, s.LAB_ID, s.LAB_CODE, s.COMPONENT_CODE,"
                           " s.DOPICTURE, t.TEST_GROUP"
                           " FROM racks r JOIN rack_positions p ON p.RACK_ID = r.RACK_ID JOIN samples s ON s.LAB_ID = p.LAB_ID"
                           " JOIN lab_tracking t ON t.TEST_ID = (SELECT x.TEST_ID FROM lab_tracking x WHERE x.LAB_ID = s.LAB_ID"
                           "   AND x.TEST_GROUP = ? ORDER BY x.RUN_NO DESC LIMIT 1)"
                           " WHERE r.RACK_DESC = ?" +
                           stationTestFilter(a).toUtf8() + " ORDER BY p.POSITION";
    const QList<QVariantList> rows = c.db.rows(sql, {a.trimmed(QStringLiteral("@test_group")),
                                                     rightTrimmed(a.text(QStringLiteral("@rack_desc")))});
    const int status = int(columns.indexOf(QStringLiteral("STATUS")));
    for (const QVariantList& r : rows)
        if (r[status].toString() == QLatin1String("READY")) return answer(columns, rows);
    return answer(columns);
}

// The priorities present among the outstanding tests on racks, most urgent first.
// Positional: lab code, test group, spat, visual, weight required, weighed, test.
// One pass over the outstanding tests with their sample's priority; whether the
// sample stands on a rack is asked only while its priority is not yet known to be
// present, which spares nearly every rack look-up.
db::Recordset getRackPriority(ProcContext& c, const Args& a)
{
    Params params{a.trimmed(QStringLiteral("@lab_code"))};
    QByteArray sql = "SELECT s.PRIORITY, t.LAB_ID FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                     " WHERE t.STATUS = 'READY' AND s.LAB_CODE = ?";
    if (!a.isNull(QStringLiteral("@test_group"))) {
        sql += " AND t.TEST_GROUP = ?";
        params << a.trimmed(QStringLiteral("@test_group"));
    }
    sql += stationTestFilter(a).toUtf8();
    QList<QByteArray> present;
    Statement tests = c.db.run(sql, params);
    Statement onRack = c.db.run("SELECT 1 FROM rack_positions WHERE LAB_ID = ?");
    while (tests.step()) {
        const QByteArrayView priority = tests.text(0);
        if (std::find(present.cbegin(), present.cend(), priority) != present.cend()) continue;
        onRack.bindAll({tests.integer(1)});
        const bool racked = onRack.step();
        onRack.reset();
        if (racked) present << priority.toByteArray();
    }
    tests.reset();
    std::sort(present.begin(), present.end(),
              [](const QByteArray& x, const QByteArray& y) { return std::pair(priorityRank(x), x) < std::pair(priorityRank(y), y); });
    QList<QVariantList> rows;
    for (const QByteArray& p : std::as_const(present)) rows << QVariantList{QString::fromUtf8(p)};
    return answer({QStringLiteral("PRIORITY")}, rows);
}

// The racks of the laboratory with outstanding tests of the group (and
// priority), by description.
db::Recordset outstandingRacks(ProcContext& c, const Args& a)
{
    const QString group = a.trimmed(QStringLiteral("@test_group"));
    const QString priority = a.trimmed(QStringLiteral("@priority"));
    Params params;
    // Counted with json_tally rather than GROUP BY, which sorts every outstanding test;
    // the sample's priority is read before its rack is looked up (CROSS JOIN keeps
    // that order), so a sample of another priority costs no rack look-up; the rack
    // comes from the index from sample to rack, not from the table behind the unique one.
    QByteArray sql =
        "SELECT r.RACK_DESC, r.RACK_ID, x.value AS OUTSTANDING, r.CURR_USER, r.CURR_STATION FROM json_each((SELECT json_tally(p.RACK_ID)"
        " FROM lab_tracking t";
    if (!priority.isEmpty()) sql += " CROSS JOIN samples s ON s.LAB_ID = t.LAB_ID";
    sql += " CROSS JOIN rack_positions p INDEXED BY rack_positions_sample ON p.LAB_ID = t.LAB_ID WHERE t.STATUS = 'READY'";
    if (!group.isEmpty()) {
        sql += " AND t.TEST_GROUP = ?";
        params << group;
    }
    if (!priority.isEmpty()) {
        sql += " AND s.PRIORITY = ?";
        params << priority;
    }
    sql += stationTestFilter(a).toUtf8() + ")) x JOIN racks r ON r.RACK_ID = x.key WHERE r.LAB_CODE = ? ORDER BY r.RACK_DESC";
    params << a.trimmed(QStringLiteral("@lab_code"));
    return answer({QStringLiteral("RACK_DESC"), QStringLiteral("RACK_ID"), QStringLiteral("OUTSTANDING"), QStringLiteral("CURR_USER"),
                   QStringLiteral("CURR_STATION")},
                  c.db.rows(sql, params));
}

// The rack a sample stands on, when its test of the group is in the asked status.
db::Recordset getRackSample(ProcContext& c, const Args& a)
{
    const QStringList columns = {QStringLiteral("RACK_DESC"), QStringLiteral("RACK_ID"),       QStringLiteral("POSITION"),
                                 QStringLiteral("LAB_ID"),    QStringLiteral("WORK_ORDER_NO"), QStringLiteral("STATUS")};
    const std::optional<SampleRow> sample = a.isNull(QStringLiteral("@lab_id"))
                                                ? findSample(c.db, a.text(QStringLiteral("@lab_code")), a.text(QStringLiteral("@lab_number")))
                                                : findSampleById(c.db, a.integer(QStringLiteral("@lab_id")));
    if (!sample) return answer(columns);
    Params params{sample->labId};
    QByteArray sql = "SELECT r.RACK_DESC, r.RACK_ID, p.POSITION, s.LAB_ID, s.LAB_NUMBER, t.STATUS"
                     " FROM rack_positions p JOIN racks r ON r.RACK_ID = p.RACK_ID JOIN samples s ON s.LAB_ID = p.LAB_ID"
                     " LEFT JOIN lab_tracking t ON t.TEST_ID = (SELECT x.TEST_ID FROM lab_tracking x WHERE x.LAB_ID = s.LAB_ID"
                     "   AND x.TEST_GROUP = ? ORDER BY x.RUN_NO DESC LIMIT 1)"
                     " WHERE p.LAB_ID = ?";
    params.prepend(a.trimmed(QStringLiteral("@test_group")));
    if (!a.isNull(QStringLiteral("@test_group"))) {
        sql += " AND t.TEST_ID IS NOT NULL";
        if (!a.isNull(QStringLiteral("@status"))) {
            sql += " AND t.STATUS = ?";
            params << a.trimmed(QStringLiteral("@status"));
        }
        sql += stationTestFilter(a).toUtf8();
    }
    return answer(columns, c.db.rows(sql, params));
}

}  // namespace

void addRackProcedures(QList<Procedure>& out)
{
    out << Procedure{QStringLiteral("labrack.dbo.outstanding_rackTests"),
                     {required(textParam("@rack_desc")), required(textParam("@test_group")), integerParam("@weight_required", 0),
                      integerParam("@showWeighed", 1)},
                     false,
                     outstandingRackTests};
    out << Procedure{QStringLiteral("labrack.dbo.get_rack_priority"),
                     {required(textParam("@lab_code")), textParam("@test_group"), integerParam("@spat", 0), integerParam("@visual", 0),
                      integerParam("@weight_required", 0), integerParam("@isWeighed"), integerParam("@test", 0)},
                     false,
                     getRackPriority};
    out << Procedure{QStringLiteral("labrack.dbo.outstanding_racks"),
                     {required(textParam("@lab_code")), textParam("@test_group"), textParam("@priority"),
                      integerParam("@weight_required", 0), integerParam("@isWeighed"), integerParam("@spat"), integerParam("@visual")},
                     false,
                     outstandingRacks};
    out << Procedure{QStringLiteral("labrack.dbo.Get_RackSample"),
                     {textParam("@lab_number"), textParam("@lab_code"), integerParam("@lab_id"), textParam("@test_group"),
                      integerParam("@weight_required", 0), integerParam("@showWeighed", 1), textParam("@status"), textParam("@test")},
                     false,
                     getRackSample};
}

}  // namespace labdb
