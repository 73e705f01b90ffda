// The bath of the bench: ADD and DELETE at its 30 positions, the open batch and
// the rack that has waited longest.
#include "lab_fixture.h"

namespace {

class Bath : public LabDb {
protected:
    db::Recordset bath(const QString& action, const QString& sample, int position, const QString& extra = QStringLiteral("null"),
                       int emp = 101)
    {
        db::Recordset rs = ok(QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = %2, @empNum = %3, @position = %4, "
                                             "@action = '%5', @test = 0")
                                  .arg(sample, extra)
                                  .arg(emp)
                                  .arg(position)
                                  .arg(action));
        EXPECT_EQ(rs.rowCount(), 1);
        EXPECT_TRUE(rs.hasColumn(QStringLiteral("MESSAGE")));
        return rs;
    }
    db::Recordset add(const QString& sample, int position, const char* rack = "R1001")
    {
        return bath(QStringLiteral("ADD"), sample, position, QStringLiteral("'RD=%1RID=5'").arg(QString::fromLatin1(rack)));
    }
    db::Recordset batch()
    {
        return ok(QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', @instrument_id = 'PC002', "
                                 "@test_group = 'PrtCount'"));
    }
    static int error(const db::Recordset& rs) { return rs.value(QStringLiteral("ERROR")).toInt(); }
    QString sampleAtBathPosition(int position)
    {
        for (db::Recordset rs = batch(); !rs.eof(); rs.moveNext())
            if (rs.value(QStringLiteral("POSITION")).toInt() == position) return rs.value(QStringLiteral("SAMPLE_ID")).toString();
        return QString();
    }
};

TEST_F(Bath, DemoBatchHoldsThreeSamplesOfR1002)
{
    db::Recordset rs = batch();
    for (const char* c :
         {"ERROR", "DETAIL_ID", "BATCH_ID", "POSITION", "SAMPLE_ID", "RUN_NO", "SAMPLE_TYPE", "STATUS", "WEIGHT", "EXTRA", "PRIORITY"})
        EXPECT_TRUE(rs.hasColumn(QString::fromLatin1(c))) << c;
    ASSERT_EQ(rs.rowCount(), 3);
    for (int p = 1; !rs.eof(); rs.moveNext(), ++p) {
        EXPECT_EQ(rs.value(QStringLiteral("POSITION")).toInt(), p);
        EXPECT_EQ(rs.value(QStringLiteral("ERROR")).toInt(), 0);
        EXPECT_TRUE(rs.value(QStringLiteral("EXTRA")).toString().startsWith(QStringLiteral("RD=R1002RID=")));
        EXPECT_EQ(rs.value(QStringLiteral("PRIORITY")).toString(), QStringLiteral("RUSH"));
    }
    EXPECT_EQ(ok(QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'")).value(QStringLiteral("RACK_DESC")).toString(),
              QStringLiteral("R1002"));
}

TEST_F(Bath, AddRecordsTheSampleAndRefusesTakenPlaces)
{
    const QString a = labNumberAt("R1001", 1), b = labNumberAt("R1001", 2);
    db::Recordset done = add(a, 10);
    EXPECT_EQ(error(done), 0);
    EXPECT_EQ(sampleAtBathPosition(10), a);

    const QString before = snapshot();
    db::Recordset taken = add(b, 10);
    EXPECT_NE(error(taken), 0);
    EXPECT_TRUE(taken.value(QStringLiteral("MESSAGE")).toString().contains(a));
    EXPECT_NE(error(add(a, 11)), 0);  // already in the bath
    EXPECT_NE(error(add(b, 0)), 0);   // no such position
    EXPECT_NE(error(add(b, 31)), 0);
    EXPECT_NE(error(add(labNumberAt("R1001", 5), 12)), 0);                                // its count is done
    EXPECT_NE(error(add(QStringLiteral("09999999"), 12)), 0);                             // unknown sample
    EXPECT_NE(error(bath(QStringLiteral("ADD"), b, 12, QStringLiteral("null"), -1)), 0);  // nobody logged in
    EXPECT_NE(error(bath(QStringLiteral("MOVE"), b, 12)), 0);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Bath, DeleteFreesThePositionOnce)
{
    const QString at1 = sampleAtBathPosition(1);
    ASSERT_FALSE(at1.isEmpty());
    // The wrong sample for the position is refused.
    EXPECT_NE(error(bath(QStringLiteral("DELETE"), labNumberAt("R1001", 1), 1)), 0);
    EXPECT_EQ(error(bath(QStringLiteral("DELETE"), at1, 1)), 0);
    EXPECT_TRUE(sampleAtBathPosition(1).isEmpty());
    db::Recordset again = bath(QStringLiteral("DELETE"), at1, 1);
    EXPECT_NE(error(again), 0);
    EXPECT_FALSE(again.value(QStringLiteral("MESSAGE")).toString().isEmpty());
    // The reload deletes a position without naming its sample.
    EXPECT_EQ(error(bath(QStringLiteral("DELETE"), QString(), 2)), 0);
    // The sample can go back in.
    EXPECT_EQ(error(add(at1, 1, "R1002")), 0);
}

TEST_F(Bath, EmptiedBathClosesItsBatchAndTheNextOpensOne)
{
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(error(bath(QStringLiteral("DELETE"), QString(), p)), 0);
    EXPECT_EQ(batch().rowCount(), 0);
    EXPECT_EQ(ok(QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'")).rowCount(), 0);
    EXPECT_EQ(error(add(labNumberAt("R1003", 1), 5, "R1003")), 0);
    db::Recordset rs = batch();
    ASSERT_EQ(rs.rowCount(), 1);
    EXPECT_NE(rs.value(QStringLiteral("BATCH_ID")).toInt(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM pc_batches WHERE DATE_COMPLETED IS NULL").toInt(), 1);
}

TEST_F(Bath, OldestRackIsThatOfTheLongestWaitingSample)
{
    for (int p = 1; p <= 3; ++p) bath(QStringLiteral("DELETE"), QString(), p);
    add(labNumberAt("R1004", 1), 8, "R1004");
    add(labNumberAt("R1003", 1), 2, "R1003");
    const auto oldest = [&] {
        return ok(QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'")).value(QStringLiteral("RACK_DESC")).toString();
    };
    EXPECT_EQ(oldest(), QStringLiteral("R1004"));  // entered first, although at a higher position
    bath(QStringLiteral("DELETE"), QString(), 8);
    EXPECT_EQ(oldest(), QStringLiteral("R1003"));
}

TEST_F(Bath, RacksAvailableForTheBatch)
{
    db::Recordset rs = ok(QStringLiteral("exec labrack.dbo.get_BatchRacks_Available @instrument_id = 'PC002', @test_group = 'PrtCount'"));
    QStringList racks;
    for (; !rs.eof(); rs.moveNext()) racks << rs.value(QStringLiteral("RACK_DESC")).toString();
    EXPECT_TRUE(racks.contains(QStringLiteral("R1001")));
    EXPECT_FALSE(racks.contains(QStringLiteral("R1007")));
}

}  // namespace
