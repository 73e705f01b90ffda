// Storing counts with their ISO 4406 codes, the history the bath shows, re-runs
// and removals with a reason.
#include "lab_fixture.h"

#include "labdb/iso4406.h"

namespace {

TEST(Iso4406, LimitsBelongToTheLowerScaleNumber)
{
    EXPECT_EQ(labdb::isoScaleNumber(0), 0);
    EXPECT_EQ(labdb::isoScaleNumber(0.01), 0);
    EXPECT_EQ(labdb::isoScaleNumber(0.011), 1);
    EXPECT_EQ(labdb::isoScaleNumber(40), 12);
    EXPECT_EQ(labdb::isoScaleNumber(40.01), 13);
    EXPECT_EQ(labdb::isoScaleNumber(80), 13);
    EXPECT_EQ(labdb::isoScaleNumber(80.5), 14);
    EXPECT_EQ(labdb::isoScaleNumber(1300), 17);  // the table's 1300, not 1280
    EXPECT_EQ(labdb::isoScaleNumber(1290), 17);
    EXPECT_EQ(labdb::isoScaleNumber(1301), 18);
    EXPECT_EQ(labdb::isoScaleNumber(2500), 18);
    EXPECT_EQ(labdb::isoScaleNumber(2501), 19);
    EXPECT_EQ(labdb::isoScaleNumber(2500000), 28);
    EXPECT_FALSE(labdb::isoScaleNumber(2500001));
    EXPECT_FALSE(labdb::isoScaleNumber(-1));
    EXPECT_EQ(labdb::isoScaleNumber(26.0 / 0.325), 13);  // 80 after a rounding division
}

class Counts : public LabDb {
protected:
    QString importCall(const QString& labNumber, const QString& volume, const QStringList& counts, int emp = 101)
    {
        QString sql = QStringLiteral("exec Lab.dbo.import_PC002 @labnumber = '%1', @instrumentid = 'PC002', @filename = 'USER_INTERFACE', "
                                     "@labcode = 'ZIVIRUZEZ', @method = 'ISO4406', @sampleVolume = '%2', @factorVolume = 1, ")
                          .arg(labNumber, volume);
        const char* names[] = {"@pc2m", "@pc5m", "@pc15m", "@pc25m", "@pc50m", "@pc100m", "@pc200m"};
        for (int i = 0; i < 7; ++i)
            sql += QStringLiteral("%1 = '%2', ").arg(QString::fromLatin1(names[i]), counts.value(i, QStringLiteral("0")));
        return sql + QStringLiteral("@empnum = %1, @test = 'N' ").arg(emp);
    }
    db::Recordset store(const QString& labNumber, const QString& volume, const QStringList& counts, int emp = 101)
    {
        return ok(importCall(labNumber, volume, counts, emp));
    }
    db::Recordset history(const QString& labNumber)
    {
        return ok(QStringLiteral("exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '%1'").arg(labNumber));
    }
    QString status(const db::Recordset& rs, const char* column = "STATUS") { return rs.value(QString::fromLatin1(column)).toString(); }
};

TEST_F(Counts, ReportLineCountsGiveTheirCodes)
{
    const QString sample = labNumberAt("R1001", 1);
    db::Recordset rs = store(sample, QStringLiteral("20"),
                             {QStringLiteral("4446"), QStringLiteral("908"), QStringLiteral("51"), QStringLiteral("13")});
    EXPECT_EQ(status(rs), QStringLiteral("DONE"));
    EXPECT_EQ(rs.value(QStringLiteral("LAB_CODE")).toString(), QStringLiteral("ZIVIRUZEZ"));
    EXPECT_EQ(rs.value(QStringLiteral("RUN_NO")).toInt(), 1);
    EXPECT_FALSE(rs.isNullAt(QStringLiteral("LAB_ID")));

    db::Recordset h = history(sample);
    ASSERT_EQ(h.rowCount(), 1);
    EXPECT_EQ(h.value(QStringLiteral("ISO_2")).toInt(), 15);
    EXPECT_EQ(h.value(QStringLiteral("ISO_5")).toInt(), 13);
    EXPECT_EQ(h.value(QStringLiteral("ISO_15")).toInt(), 9);
    EXPECT_EQ(h.value(QStringLiteral("ISO")).toString(), QStringLiteral("13/9"));
    EXPECT_NE(status(h), QStringLiteral("NOT_ENTERED"));
    EXPECT_EQ(scalar("SELECT PC2M || '/' || SAMPLE_VOLUME FROM pc_counts WHERE LAB_ID = ?", {rs.value(QStringLiteral("LAB_ID"))}).toString(),
              QStringLiteral("4446/20"));
    // Stored once: the test is done now.
    EXPECT_EQ(status(store(sample, QStringLiteral("20"), {QStringLiteral("1")})), QStringLiteral("NO_TEST"));
}

TEST_F(Counts, RefusedCountsStoreNothing)
{
    const QString sample = labNumberAt("R1001", 2);
    const QString before = snapshot();
    EXPECT_EQ(status(store(QStringLiteral("09999999"), QStringLiteral("20"), {QStringLiteral("10")})), QStringLiteral("NOT_FOUND"));
    EXPECT_EQ(status(store(labNumberAt("R1001", 5), QStringLiteral("20"), {QStringLiteral("10")})), QStringLiteral("NO_TEST"));
    EXPECT_EQ(status(store(sample, QStringLiteral("0"), {QStringLiteral("10")})), QStringLiteral("INVALID"));
    EXPECT_EQ(status(store(sample, QStringLiteral("abc"), {QStringLiteral("10")})), QStringLiteral("INVALID"));
    EXPECT_EQ(status(store(sample, QStringLiteral("20"), {QStringLiteral("-5")})), QStringLiteral("INVALID"));
    EXPECT_EQ(status(store(sample, QStringLiteral("20"), {QStringLiteral("x")})), QStringLiteral("INVALID"));
    EXPECT_EQ(status(store(sample, QStringLiteral("1"), {QStringLiteral("3000000")})), QStringLiteral("INVALID"));
    EXPECT_EQ(status(store(sample, QStringLiteral("20"), {QStringLiteral("10")}, -1)), QStringLiteral("INVALID"));
    EXPECT_EQ(fails(importCall(sample, QStringLiteral("20"), {}).replace(QStringLiteral("@pc200m = '0', "), QString())).number, 201);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Counts, CountsBeyondAnIntegerAreStoredAsReportedNotWrappedAround)
{
    const QString sample = labNumberAt("R1001", 1);
    db::Recordset rs = store(sample, QStringLiteral("20"),
                             {QStringLiteral("4446"), QStringLiteral("908"), QStringLiteral("51"), QStringLiteral("9999999999999999999999"),
                              QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1e19")});
    ASSERT_EQ(status(rs), QStringLiteral("DONE"));
    const QVariant labId = rs.value(QStringLiteral("LAB_ID"));
    EXPECT_EQ(scalar("SELECT PC25M FROM pc_counts WHERE LAB_ID = ?", {labId}).toDouble(), 1e22);
    EXPECT_EQ(scalar("SELECT PC200M FROM pc_counts WHERE LAB_ID = ?", {labId}).toDouble(), 1e19);
    EXPECT_EQ(scalar("SELECT PC2M FROM pc_counts WHERE LAB_ID = ?", {labId}).toLongLong(), 4446);
}

TEST_F(Counts, HistoryOfTheSample)
{
    EXPECT_EQ(history(labNumberAt("R1001", 1)).rowCount(), 0);  // first run, never counted
    db::Recordset notEntered = history(labNumberAt("R1001", 14));
    ASSERT_EQ(notEntered.rowCount(), 1);
    EXPECT_EQ(status(notEntered), QStringLiteral("NOT_ENTERED"));
    db::Recordset third = history(labNumberAt("R1005", 5));  // two counts: the later one
    ASSERT_EQ(third.rowCount(), 1);
    EXPECT_EQ(third.value(QStringLiteral("RUN_NO")).toInt(), 2);
    EXPECT_EQ(history(QStringLiteral("09999999")).rowCount(), 0);
}

TEST_F(Counts, DemoHistoriesAreCleanAndDirtyAndMatchTheirCounts)
{
    int clean = 0, dirty = 0;
    labdb::Database raw;
    raw.open(path, false, 1000);
    for (const QVariantList& r : raw.rows("SELECT PC2M, PC5M, PC15M, SAMPLE_VOLUME, ISO_2, ISO_5, ISO_15 FROM pc_counts")) {
        for (int i = 0; i < 3; ++i) EXPECT_EQ(labdb::isoScaleNumber(r[i].toDouble() / r[3].toDouble()), r[4 + i].toInt());
        (r[5].toInt() < 18 ? clean : dirty)++;
    }
    EXPECT_GE(clean, 10);
    EXPECT_GE(dirty, 10);
}

TEST_F(Counts, RerunAfterACountIsTheNextRun)
{
    const QString sample = labNumberAt("R1001", 3);  // run 2 outstanding
    const QString redo = QStringLiteral("exec Lab.dbo.labtrack_inserttest  @labnumber = '%1', @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                                        "@class = 'REDO', @comments = 'Test inserted by technician (Anna Berg)',@return_status = 'Y'");
    // While run 2 is still outstanding, it is the re-run: nothing new.
    db::Recordset same = ok(redo.arg(sample));
    EXPECT_EQ(status(same), QStringLiteral("READY"));
    EXPECT_EQ(same.value(QStringLiteral("RUN_NO")).toInt(), 2);
    store(sample, QStringLiteral("20"), {QStringLiteral("900"), QStringLiteral("300"), QStringLiteral("30")});
    db::Recordset next = ok(redo.arg(sample));
    EXPECT_EQ(status(next), QStringLiteral("READY"));
    EXPECT_EQ(next.value(QStringLiteral("RUN_NO")).toInt(), 3);
    EXPECT_EQ(scalar("SELECT COMMENTS FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID WHERE s.LAB_NUMBER = ? AND RUN_NO = 3",
                     {sample})
                  .toString(),
              QStringLiteral("Test inserted by technician (Anna Berg)"));
    // Its history is the count just stored: 300 and 30 in 20 are 15 and 1.5 per mL.
    EXPECT_EQ(history(sample).value(QStringLiteral("ISO")).toString(), QStringLiteral("11/8"));
    EXPECT_NE(status(ok(redo.arg(QStringLiteral("09999999")))), QStringLiteral("READY"));
    EXPECT_NE(status(ok(QString(redo).replace(QStringLiteral("'REDO'"), QStringLiteral("'NEW'")).arg(sample))), QStringLiteral("READY"));
}

TEST_F(Counts, RemovalWithAReasonClosesTheTest)
{
    const QString sample = labNumberAt("R1003", 1);
    const QString call = QStringLiteral("exec lab.dbo.labtrack_testaction @labnumber = '%1', @empnum = 101, @labcode = 'ZIVIRUZEZ', "
                                        "@testgrp = 'PrtCount', @testaction = '%2' ");
    db::Recordset rs = ok(call.arg(sample, QStringLiteral("HIGH_H2O")));
    EXPECT_EQ(status(rs, "LAB_STATUS"), QStringLiteral("DONE"));
    EXPECT_EQ(status(rs, "SAMPLE_PRIORITY"), QStringLiteral("CRITICAL"));
    EXPECT_EQ(scalar("SELECT a.TEST_ACTION FROM test_actions a JOIN lab_tracking t ON t.TEST_ID = a.TEST_ID JOIN samples s ON s.LAB_ID = t.LAB_ID "
                     "WHERE s.LAB_NUMBER = ?",
                     {sample})
                  .toString(),
              QStringLiteral("HIGH_H2O"));
    // Out of the outstanding work: a second removal finds nothing, and its history is "not entered".
    EXPECT_EQ(fails(call.arg(sample, QStringLiteral("TOO_DARK"))).number, 50000);
    EXPECT_EQ(status(history(sample)), QStringLiteral("NOT_ENTERED"));
    EXPECT_EQ(fails(call.arg(labNumberAt("R1003", 2), QStringLiteral("TOO DARK; x"))).number, 50000);
}

}  // namespace
