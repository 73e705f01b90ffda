// The laboratory's test tracking: a new run of a test (Lab.dbo.labtrack_inserttest)
// and a test taken out of the work with a reason (lab.dbo.labtrack_testaction).
#include "labdb/lab_records.h"
#include "labdb/procedure.h"
#include "labdb/server_errors.h"

#include <QRegularExpression>

namespace labdb {

namespace {

db::Recordset insertReply(const QString& status, const QVariant& labId, const QVariant& runNo, const QString& message)
{
    return answer({QStringLiteral("STATUS"), QStringLiteral("LAB_ID"), QStringLiteral("RUN_NO"), QStringLiteral("MESSAGE")},
                  {{status, labId, runNo, message}});
}

// Class REDO: the next run of the sample's test, READY. While the latest run is
// still outstanding (nothing was stored for it) that run is the re-run.
db::Recordset insertTest(ProcContext& c, const Args& a)
{
    const bool reply = a.trimmed(QStringLiteral("@return_status")).compare(QLatin1String("N"), Qt::CaseInsensitive) != 0;
    const auto done = [&](const db::Recordset& rs) { return reply ? rs : db::Recordset(); };
    const QString labNumber = a.trimmed(QStringLiteral("@labnumber"));
    const QString group = a.trimmed(QStringLiteral("@testgrp"));
    if (a.trimmed(QStringLiteral("@class")).compare(QLatin1String("REDO"), Qt::CaseInsensitive) != 0)
        return done(insertReply(QStringLiteral("INVALID"), {}, {},
                                QStringLiteral("Test class '%1' is not taken here; only REDO.").arg(a.text(QStringLiteral("@class")))));
    const std::optional<SampleRow> sample = findSample(c.db, a.text(QStringLiteral("@labcode")), labNumber);
    if (!sample)
        return done(insertReply(QStringLiteral("NOT_FOUND"), {}, {}, QStringLiteral("Lab number %1 is not known.").arg(labNumber)));
    const std::optional<TestRow> last = latestTest(c.db, sample->labId, group);
    if (!last)
        return done(insertReply(QStringLiteral("NO_TEST"), sample->labId, {},
                                QStringLiteral("Lab number %1 has no %2 test to run again.").arg(labNumber, group)));
    if (last->status == QLatin1String("READY"))
        return done(insertReply(QStringLiteral("READY"), sample->labId, last->runNo,
                                QStringLiteral("Run %1 is still outstanding; it is the re-run.").arg(last->runNo)));
    const qlonglong run = last->runNo + 1;
    c.db.exec("INSERT INTO lab_tracking (LAB_ID, TEST_GROUP, RUN_NO, STATUS, CLASS, COMMENTS, DESIRED_WEIGHT, DATE_ADDED, EMP_NUM)"
              " SELECT LAB_ID, TEST_GROUP, ?, 'READY', 'REDO', ?, DESIRED_WEIGHT, ?, ? FROM lab_tracking WHERE TEST_ID = ?",
              {run, a.value(QStringLiteral("@comments")), c.now, a.value(QStringLiteral("@empnum")), last->testId});
    return done(insertReply(QStringLiteral("READY"), sample->labId, run, QStringLiteral("Run %1 registered.").arg(run)));
}

db::Recordset actionReply(const QString& status, const QVariant& priority, const QVariant& labId, const QVariant& runNo,
                          const QString& message)
{
    return answer({QStringLiteral("LAB_STATUS"), QStringLiteral("SAMPLE_PRIORITY"), QStringLiteral("LAB_ID"), QStringLiteral("RUN_NO"),
                   QStringLiteral("MESSAGE")},
                  {{status, priority, labId, runNo, message}});
}

// Records the action with its reason and closes the sample's outstanding test; an
// action that cannot be taken is refused with its reason.
db::Recordset testAction(ProcContext& c, const Args& a)
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9_]{1,30}$"));
    const QString action = a.trimmed(QStringLiteral("@testaction"));
    const QString group = a.trimmed(QStringLiteral("@testgrp"));
    const std::optional<SampleRow> sample = a.isNull(QStringLiteral("@labId"))
                                                ? findSample(c.db, a.text(QStringLiteral("@labcode")), a.text(QStringLiteral("@labnumber")))
                                                : findSampleById(c.db, a.integer(QStringLiteral("@labId")));
    if (!sample)
        refuse(QStringLiteral("Sample %1 is not known.")
                   .arg(a.isNull(QStringLiteral("@labId")) ? a.trimmed(QStringLiteral("@labnumber")) : a.text(QStringLiteral("@labId"))));
    if (!code.match(action).hasMatch())
        refuse(QStringLiteral("Test action '%1' is not an action code.").arg(a.text(QStringLiteral("@testaction"))));
    const qlonglong empNum = a.integer(QStringLiteral("@empnum"));
    if (!activeEmployee(c.db, empNum)) refuse(QStringLiteral("Employee %1 is not an active employee.").arg(empNum));
    const std::optional<TestRow> test = latestTest(c.db, sample->labId, group);
    if (!test || test->status != QLatin1String("READY"))
        refuse(QStringLiteral("Sample %1 has no outstanding %2 test.").arg(sample->labNumber, group));
    c.db.exec("INSERT INTO test_actions (TEST_ID, TEST_ACTION, EMP_NUM, ACTION_DATETIME) VALUES (?, ?, ?, ?)",
              {test->testId, action.toUpper(), empNum, c.now});
    c.db.exec("UPDATE lab_tracking SET STATUS = 'DONE', TEST_ACTION = ?, DATE_COMPLETED = ?, EMP_NUM = ? WHERE TEST_ID = ?",
              {action.toUpper(), c.now, empNum, test->testId});
    return actionReply(
        QStringLiteral("DONE"), sample->priority, sample->labId, test->runNo,
        QStringLiteral("%1 run %2 of sample %3 closed: %4.").arg(group).arg(test->runNo).arg(sample->labNumber, action.toUpper()));
}

}  // namespace

void addTestProcedures(QList<Procedure>& out)
{
    out << Procedure{QStringLiteral("Lab.dbo.labtrack_inserttest"),
                     {required(textParam("@labnumber")), textParam("@labcode", defaultLabCode()), required(textParam("@testgrp")),
                      required(textParam("@class")), textParam("@comments"), textParam("@return_status", QStringLiteral("Y")),
                      integerParam("@empnum")},
                     true,
                     insertTest};
    out << Procedure{QStringLiteral("lab.dbo.labtrack_testaction"),
                     {textParam("@labnumber"), integerParam("@labId"), required(integerParam("@empnum")), textParam("@labcode"),
                      required(textParam("@testgrp")), required(textParam("@testaction"))},
                     true,
                     testAction};
}

}  // namespace labdb
