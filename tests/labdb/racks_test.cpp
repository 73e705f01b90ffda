// The rack queries: a rack's positions, priorities, racks with outstanding work,
// and the rack a sample stands on.
#include "lab_fixture.h"

namespace {

class Racks : public LabDb {
protected:
    db::Recordset load(const QString& rack, const QString& group = QStringLiteral("PrtCount"))
    {
        return ok(QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = '%1', @test_group = '%2'").arg(rack, group));
    }
    QStringList racks(const QString& tail)
    {
        QStringList out;
        for (db::Recordset rs =
                 ok(QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' ") + tail);
             !rs.eof(); rs.moveNext())
            out << rs.value(QStringLiteral("RACK_DESC")).toString();
        return out;
    }
};

TEST_F(Racks, RackLoadGivesEveryOccupiedPositionInOrder)
{
    db::Recordset rs = load(QStringLiteral("R1001"));
    for (const char* c : {"RACK_ID", "CURRENT_RACK_STATUS", "CURR_USER", "CURR_STATION", "POSITION", "RECEIVED_DATETIME", "DESIRED_WEIGHT",
                          "STATUS", "PRIORITY", "RUN_NO", "WORK_ORDER_NO", "LAB_ID", "LAB_CODE", "COMPONENT_CODE", "DOPICTURE"})
        EXPECT_TRUE(rs.hasColumn(QString::fromLatin1(c))) << c;
    ASSERT_EQ(rs.rowCount(), 18);  // positions 19 and 20 are empty
    int last = 0;
    QStringList statuses;
    for (; !rs.eof(); rs.moveNext()) {
        const int position = rs.value(QStringLiteral("POSITION")).toInt();
        EXPECT_GT(position, last);
        last = position;
        statuses << rs.value(QStringLiteral("STATUS")).toString();
        EXPECT_EQ(rs.value(QStringLiteral("WORK_ORDER_NO")).toString().size(), 8);
        EXPECT_TRUE(rs.value(QStringLiteral("WORK_ORDER_NO")).toString().startsWith(QLatin1Char('0')));
        EXPECT_EQ(rs.value(QStringLiteral("RECEIVED_DATETIME")).typeId(), QMetaType::QDateTime);
    }
    EXPECT_TRUE(statuses.contains(QStringLiteral("DONE")));
    EXPECT_TRUE(statuses.contains(QStringLiteral("PENDING")));
    EXPECT_TRUE(statuses.contains(QStringLiteral("READY")));
}

TEST_F(Racks, GapsAndSecondRunsAreAsStored)
{
    db::Recordset rs = load(QStringLiteral("R1004"));
    QList<int> positions;
    for (; !rs.eof(); rs.moveNext()) {
        positions << rs.value(QStringLiteral("POSITION")).toInt();
        if (positions.last() == 7) {
            EXPECT_EQ(rs.value(QStringLiteral("RUN_NO")).toInt(), 2);
        }
    }
    EXPECT_FALSE(positions.contains(4));
    EXPECT_FALSE(positions.contains(9));
    EXPECT_TRUE(positions.contains(7));
    EXPECT_EQ(positions.last(), 15);
}

TEST_F(Racks, RackWithoutOutstandingWorkOrUnknownGivesNoRows)
{
    EXPECT_EQ(load(QStringLiteral("R1007")).rowCount(), 0);  // all done
    EXPECT_EQ(load(QStringLiteral("R9999")).rowCount(), 0);
    EXPECT_EQ(load(QStringLiteral("R1001"), QStringLiteral("NOSUCH")).rowCount(), 0);
    EXPECT_EQ(load(QStringLiteral("r1001 ")).rowCount(), 18);  // letter case and trailing blanks as SQL Server compares
}

TEST_F(Racks, ScaleStationSeesOnlyTestsToBeWeighed)
{
    db::Recordset rs = ok(QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1001', @test_group = 'KF', "
                                         "@weight_required = 1, @showWeighed = 0 "));
    ASSERT_GT(rs.rowCount(), 0);
    for (; !rs.eof(); rs.moveNext()) EXPECT_FALSE(rs.isNullAt(QStringLiteral("DESIRED_WEIGHT")));
}

TEST_F(Racks, PrioritiesPresentMostUrgentFirst)
{
    QStringList priorities;
    for (db::Recordset rs = ok(QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0")); !rs.eof(); rs.moveNext())
        priorities << rs.value(QStringLiteral("PRIORITY")).toString();
    EXPECT_EQ(priorities, (QStringList{QStringLiteral("CRITICAL"), QStringLiteral("URGENT"), QStringLiteral("RUSH"),
                                       QStringLiteral("RETEST"), QStringLiteral("NORMAL")}));
    EXPECT_EQ(ok(QStringLiteral("labrack.dbo.get_rack_priority 'OTHERLAB' , 'PrtCount' , 0, 0, 0")).rowCount(), 0);
}

TEST_F(Racks, OutstandingRacksWithPriorityFilter)
{
    const QStringList all = racks(QStringLiteral(", @priority = null"));
    EXPECT_FALSE(all.contains(QStringLiteral("R1007")));
    EXPECT_TRUE(all.contains(QStringLiteral("R1001")));
    EXPECT_EQ(all.size(), 7);
    QStringList sorted = all;
    sorted.sort();
    EXPECT_EQ(all, sorted);
    EXPECT_EQ(racks(QStringLiteral(", @priority = 'CRITICAL'")), (QStringList{QStringLiteral("R1003"), QStringLiteral("R1006")}));
    EXPECT_EQ(racks(QStringLiteral(", @priority = 'RETEST'")), (QStringList{QStringLiteral("R1005"), QStringLiteral("R1006")}));
    // Without a test group every group counts: R1007's screening is still to do.
    db::Recordset any = ok(QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @priority = null"));
    EXPECT_EQ(any.rowCount(), 8);
}

TEST_F(Racks, SampleLookupFindsItsRack)
{
    const QString call = QStringLiteral("exec labrack.dbo.Get_RackSample  @lab_number = '%1', @lab_code = 'ZIVIRUZEZ', @lab_id = null, "
                                        "@test_group = 'PrtCount', @weight_required = 0, @showWeighed = 0, @status = 'READY', @test = 'n' ");
    db::Recordset rs = ok(call.arg(labNumberAt("R1004", 2)));
    ASSERT_EQ(rs.rowCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("RACK_DESC")).toString(), QStringLiteral("R1004"));
    EXPECT_EQ(ok(call.arg(labNumberAt("R1007", 1))).rowCount(), 0);  // done, not READY
    EXPECT_EQ(ok(call.arg(QStringLiteral("00000000"))).rowCount(), 0);
}

}  // namespace
