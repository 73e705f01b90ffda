// The bath of the particle-count bench: its open batch of up to 30 samples at
// positions 1 to 30, which samples stand where, since when, and from which rack.
#include "labdb/lab_records.h"
#include "labdb/procedure.h"

namespace labdb {

namespace {

constexpr int kBathPositions = 30;

struct BathKey {
    QString instrument;
    QString labCode;
    QString testGroup;
};

BathKey bathOf(const Args& a)
{
    return BathKey{a.trimmed(QStringLiteral("@instrument_id")), a.trimmed(QStringLiteral("@lab_code")),
                   a.trimmed(QStringLiteral("@test_group"))};
}

QVariant openBatch(Database& db, const BathKey& k)
{
    return db.scalar("SELECT BATCH_ID FROM pc_batches WHERE INSTRUMENT_ID = ? AND LAB_CODE = ? AND TEST_GROUP = ? "
                     "AND DATE_COMPLETED IS NULL",
                     {k.instrument, k.labCode, k.testGroup});
}

qlonglong openNewBatch(ProcContext& c, const BathKey& k)
{
    const QString name = k.instrument + QLatin1Char('-') + c.now.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    c.db.exec("INSERT INTO pc_batches (BATCH_NAME, INSTRUMENT_ID, LAB_CODE, TEST_GROUP, DATE_CREATED) VALUES (?, ?, ?, ?, ?)",
              {name, k.instrument, k.labCode, k.testGroup, c.now});
    return c.db.lastInsertId();
}

// The rack named in the entry's extra text ("RD=" description "RID=" id), or
// else the rack the sample stands on.
QString rackOf(Database& db, const QString& extra, qlonglong labId)
{
    if (extra.startsWith(QLatin1String("RD="))) {
        const qsizetype rid = extra.indexOf(QLatin1String("RID="), 3);
        return (rid < 0 ? extra.mid(3) : extra.mid(3, rid - 3)).trimmed();
    }
    return db.scalar("SELECT r.RACK_DESC FROM rack_positions p JOIN racks r ON r.RACK_ID = p.RACK_ID WHERE p.LAB_ID = ?", {labId}).toString();
}

db::Recordset addToBath(ProcContext& c, const Args& a, const BathKey& k, qlonglong position)
{
    const QString sampleId = a.trimmed(QStringLiteral("@sampleId"));
    if (sampleId.isEmpty()) return errorReply(1, QStringLiteral("No sample named for the bath."));
    if (!activeEmployee(c.db, a.integer(QStringLiteral("@empNum"))))
        return errorReply(1, QStringLiteral("Employee %1 is not an active employee.").arg(a.text(QStringLiteral("@empNum"))));
    const std::optional<SampleRow> sample = findSample(c.db, k.labCode, sampleId);
    if (!sample) return errorReply(1, QStringLiteral("Sample %1 is not known.").arg(sampleId));
    const std::optional<TestRow> test = latestTest(c.db, sample->labId, k.testGroup);
    if (!test || test->status != QLatin1String("READY"))
        return errorReply(1, QStringLiteral("Sample %1 has no outstanding %2 test.").arg(sampleId, k.testGroup));

    QVariant batch = openBatch(c.db, k);
    if (!db::isNull(batch)) {
        const QVariantList taken = c.db.firstRow(
            "SELECT s.LAB_NUMBER FROM pc_batch_details d JOIN samples s ON s.LAB_ID = d.LAB_ID WHERE d.BATCH_ID = ? AND d.POSITION = ?",
            {batch, position});
        if (!taken.isEmpty())
            return errorReply(1, QStringLiteral("Bath position %1 already holds sample %2.").arg(position).arg(taken[0].toString()));
        const QVariant at = c.db.scalar("SELECT POSITION FROM pc_batch_details WHERE BATCH_ID = ? AND LAB_ID = ?", {batch, sample->labId});
        if (!db::isNull(at))
            return errorReply(1, QStringLiteral("Sample %1 is already in the bath at position %2.").arg(sampleId, at.toString()));
    } else {
        batch = openNewBatch(c, k);
    }
    const QVariant extra = a.value(QStringLiteral("@extra"));
    c.db.exec("INSERT INTO pc_batch_details (BATCH_ID, POSITION, LAB_ID, RUN_NO, SAMPLE_TYPE, EXTRA, RACK_DESC, EMP_NUM, DATE_ADDED) "
              "VALUES (?, ?, ?, ?, 'SAMPLE', ?, ?, ?, ?)",
              {batch, position, sample->labId, test->runNo, extra, rackOf(c.db, db::textOf(extra).trimmed(), sample->labId),
               a.integer(QStringLiteral("@empNum")), c.now});
    return errorReply(0, QStringLiteral("Sample %1 placed at bath position %2.").arg(sampleId).arg(position));
}

db::Recordset deleteFromBath(ProcContext& c, const Args& a, const BathKey& k, qlonglong position)
{
    const QVariant batch = openBatch(c.db, k);
    const QVariantList entry =
        db::isNull(batch) ? QVariantList()
                          : c.db.firstRow("SELECT d.DETAIL_ID, s.LAB_NUMBER FROM pc_batch_details d JOIN samples s ON s.LAB_ID = d.LAB_ID "
                                          "WHERE d.BATCH_ID = ? AND d.POSITION = ?",
                                          {batch, position});
    if (entry.isEmpty()) return errorReply(1, QStringLiteral("Bath position %1 is already free.").arg(position));
    const QString sampleId = a.trimmed(QStringLiteral("@sampleId"));
    const QString there = entry[1].toString();
    if (!sampleId.isEmpty() && sampleId != there)
        return errorReply(1, QStringLiteral("Bath position %1 holds sample %2, not %3.").arg(position).arg(there, sampleId));
    c.db.exec("DELETE FROM pc_batch_details WHERE DETAIL_ID = ?", {entry[0]});
    // An empty bath closes its batch; the next sample opens a new one.
    c.db.exec("UPDATE pc_batches SET DATE_COMPLETED = ? WHERE BATCH_ID = ? "
              "AND NOT EXISTS (SELECT 1 FROM pc_batch_details WHERE BATCH_ID = ?)",
              {c.now, batch, batch});
    return errorReply(0, QStringLiteral("Sample %1 taken out of bath position %2.").arg(there).arg(position));
}

db::Recordset setPcBath(ProcContext& c, const Args& a)
{
    const QString action = a.trimmed(QStringLiteral("@action")).toUpper();
    const qlonglong position = a.integer(QStringLiteral("@position"));
    if (a.integer(QStringLiteral("@test")) != 0)
        return errorReply(1, QStringLiteral("Trial calls (@test other than 0) are not supported; nothing was recorded."));
    if (action != QLatin1String("ADD") && action != QLatin1String("DELETE"))
        return errorReply(1, QStringLiteral("Unknown bath action '%1'; use ADD or DELETE.").arg(a.text(QStringLiteral("@action"))));
    if (a.isNull(QStringLiteral("@position")) || position < 1 || position > kBathPositions)
        return errorReply(1, QStringLiteral("Bath position %1 does not exist; the bath has positions 1 to %2.")
                                 .arg(a.text(QStringLiteral("@position")))
                                 .arg(kBathPositions));
    const BathKey k = bathOf(a);
    return action == QLatin1String("ADD") ? addToBath(c, a, k, position) : deleteFromBath(c, a, k, position);
}

// The rows of the open batch (or of the named one), by position.
db::Recordset getBatchSamples(ProcContext& c, const Args& a)
{
    const QStringList columns = {QStringLiteral("ERROR"),      QStringLiteral("DETAIL_ID"), QStringLiteral("BATCH_ID"),
                                 QStringLiteral("BATCH_NAME"), QStringLiteral("POSITION"),  QStringLiteral("SAMPLE_ID"),
                                 QStringLiteral("LAB_ID"),     QStringLiteral("RUN_NO"),    QStringLiteral("SAMPLE_TYPE"),
                                 QStringLiteral("STATUS"),     QStringLiteral("WEIGHT"),    QStringLiteral("EXTRA"),
                                 QStringLiteral("PRIORITY"),   QStringLiteral("EMP_NUM"),   QStringLiteral("DATE_ADDED"),
                                 QStringLiteral("RACK_DESC")};
    const QVariant batch = a.isNull(QStringLiteral("@batch_id")) ? openBatch(c.db, bathOf(a)) : a.value(QStringLiteral("@batch_id"));
    if (db::isNull(batch)) return answer(columns);
    return answer(columns, c.db.rows("SELECT 0, d.DETAIL_ID, d.BATCH_ID, b.BATCH_NAME, d.POSITION, s.LAB_NUMBER, d.LAB_ID, d.RUN_NO,"
                                     " d.SAMPLE_TYPE, t.STATUS, t.WEIGHT, d.EXTRA, s.PRIORITY, d.EMP_NUM, d.DATE_ADDED, d.RACK_DESC"
                                     " FROM pc_batch_details d JOIN pc_batches b ON b.BATCH_ID = d.BATCH_ID"
                                     " JOIN samples s ON s.LAB_ID = d.LAB_ID"
                                     " LEFT JOIN lab_tracking t ON t.LAB_ID = d.LAB_ID AND t.TEST_GROUP = b.TEST_GROUP AND t.RUN_NO = d.RUN_NO"
                                     " WHERE d.BATCH_ID = ? ORDER BY d.POSITION",
                                     {batch}));
}

// The rack whose sample has stood longest in an open batch of the laboratory.
db::Recordset oldestRack(ProcContext& c, const Args& a)
{
    return answer({QStringLiteral("RACK_DESC"), QStringLiteral("RACK_ID"), QStringLiteral("SAMPLE_ID"), QStringLiteral("POSITION"),
                   QStringLiteral("DATE_ADDED")},
                  c.db.rows("SELECT d.RACK_DESC, r.RACK_ID, s.LAB_NUMBER, d.POSITION, d.DATE_ADDED"
                            " FROM pc_batches b JOIN pc_batch_details d ON d.BATCH_ID = b.BATCH_ID"
                            " JOIN samples s ON s.LAB_ID = d.LAB_ID LEFT JOIN racks r ON r.RACK_DESC = d.RACK_DESC"
                            " WHERE b.DATE_COMPLETED IS NULL AND b.LAB_CODE = ? AND ifnull(d.RACK_DESC, '') <> ''"
                            " ORDER BY d.DATE_ADDED, d.DETAIL_ID LIMIT 1",
                            {a.trimmed(QStringLiteral("@labcode"))}));
}

// Racks with outstanding tests of the group none of whose samples is in the
// instrument's open batch yet.
db::Recordset batchRacksAvailable(ProcContext& c, const Args& a)
{
    return answer({QStringLiteral("RACK_ID"), QStringLiteral("RACK_DESC"), QStringLiteral("SAMPLE_COUNT"), QStringLiteral("CURR_USER"),
                   QStringLiteral("CURR_STATION")},
                  c.db.rows("SELECT r.RACK_ID, r.RACK_DESC, count(*), r.CURR_USER, r.CURR_STATION"
                            " FROM lab_tracking t JOIN rack_positions p ON p.LAB_ID = t.LAB_ID JOIN racks r ON r.RACK_ID = p.RACK_ID"
                            " WHERE t.STATUS = 'READY' AND t.TEST_GROUP = ? AND NOT EXISTS (SELECT 1 FROM pc_batch_details d"
                            "   JOIN pc_batches b ON b.BATCH_ID = d.BATCH_ID WHERE b.DATE_COMPLETED IS NULL"
                            "   AND b.INSTRUMENT_ID = ? AND d.LAB_ID = t.LAB_ID)"
                            " GROUP BY r.RACK_ID ORDER BY r.RACK_DESC",
                            {a.trimmed(QStringLiteral("@test_group")), a.trimmed(QStringLiteral("@instrument_id"))}));
}

}  // namespace

void addBathProcedures(QList<Procedure>& out)
{
    const QVariant pc002 = QStringLiteral("PC002"), lab = defaultLabCode(), group = QStringLiteral("PrtCount");
    out << Procedure{QStringLiteral("labrack.dbo.set_PC_Bath"),
                     {textParam("@sampleId"), textParam("@extra"), integerParam("@empNum"), required(integerParam("@position")),
                      required(textParam("@action")), integerParam("@test", 0), textParam("@instrument_id", pc002),
                      textParam("@lab_code", lab), textParam("@test_group", group)},
                     true,
                     setPcBath};
    out << Procedure{QStringLiteral("labrack.dbo.get_batch_samples"),
                     {integerParam("@batch_id"), textParam("@lab_code", lab), textParam("@instrument_id", pc002),
                      textParam("@test_group", group)},
                     false,
                     getBatchSamples};
    out << Procedure{QStringLiteral("labrack.dbo.Get_PC_Bath_OldestRack"), {textParam("@labcode", lab)}, false, oldestRack};
    out << Procedure{QStringLiteral("labrack.dbo.get_BatchRacks_Available"),
                     {textParam("@instrument_id", pc002), textParam("@test_group", group)},
                     false,
                     batchRacksAvailable};
}

}  // namespace labdb
