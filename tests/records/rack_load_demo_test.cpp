#include "demo_laboratory.h"
#include "fixed_clock.h"
#include "records/prt_count.h"
#include "records/rack.h"
#include "technician.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

class RackLoadDemo : public ::testing::Test {
protected:
    RackLoadDemo() { lab.connect(); }  // the rack's creation names the station's own database

    void load(const QString& desc)
    {
        rack.Initialize_pos();
        rack.Rack_Desc = desc;
        rack.Rack_Load(desc, QStringLiteral("PrtCount"));
    }

    // Moves the samples of a rack position to new values of a column.
    void setSampleColumn(const char* column, const QString& rackDesc, int position, const QVariant& value)
    {
        lab.change(QByteArray("UPDATE samples SET ") + column +
                       " = ? WHERE LAB_ID = (SELECT p.LAB_ID FROM rack_positions p JOIN racks r ON r.RACK_ID = p.RACK_ID"
                       " WHERE r.RACK_DESC = ? AND p.POSITION = ?)",
                   {value, rackDesc, position});
    }

    TechnicianAtStation technician;
    Rack rack;
    DemoLaboratory lab;
};

TEST_F(RackLoadDemo, SamplesAtThreeAndSevenOnlyLeaveTheOtherPlacesEmpty)
{
    lab.change("DELETE FROM rack_positions WHERE POSITION NOT IN (3, 7)"
               " AND RACK_ID = (SELECT RACK_ID FROM racks WHERE RACK_DESC = 'R1001')");
    load(QStringLiteral("R1001"));

    ASSERT_EQ(rack.Pos.size(), 20u);
    for (int k = 1; k <= 20; ++k) {
        const RackPositions& p = rack.Pos_Item(k);
        EXPECT_EQ(p.Pos, k - 1);
        const bool sample = k == 3 || k == 7;
        EXPECT_EQ(p.Active, sample) << "position " << k;
        ASSERT_NE(p.Rec, nullptr);
        EXPECT_NE(dynamic_cast<PrtCount*>(p.Rec.get()), nullptr);
        EXPECT_EQ(p.Rec->isEmpty, !sample);
        if (sample) continue;
        EXPECT_EQ(p.Status, "");
        EXPECT_EQ(p.Init_Status, "");
        EXPECT_EQ(p.Run_No, 0);
        EXPECT_EQ(p.Lab_Id, "0");
        EXPECT_EQ(p.Priority, "");
        EXPECT_FALSE(p.doPicture);
    }
    EXPECT_EQ(rack.Pos_Item(3).Sample_Desc, lab.labNumberAt("R1001", 3));
    EXPECT_EQ(rack.Pos_Item(7).Status, "READY");
    EXPECT_EQ(rack.Pos_Item(7).Rec->Lab_Code, "ZIVIRUZEZ");
    EXPECT_EQ(rack.Rack_id, "501");
    EXPECT_EQ(rack.Rack_Status, "Available");

    // Loading again gives the same 20, not 40.
    rack.Rack_Load(QStringLiteral("R1001"), QStringLiteral("PrtCount"));
    EXPECT_EQ(rack.Pos.size(), 20u);
    EXPECT_EQ(rack.Pos_Item(20).Pos, 19);
}

TEST_F(RackLoadDemo, PositionsShowStatusPhotoWishAndRun)
{
    // R1001 holds a counted sample waiting for review at 10 and re-runs at 3 and 7.
    setSampleColumn("DOPICTURE", "R1001", 1, 1);
    setSampleColumn("DOPICTURE", "R1001", 2, 0);
    setSampleColumn("DOPICTURE", "R1001", 4, 2);
    setSampleColumn("DOPICTURE", "R1001", 5, -1);
    load(QStringLiteral("R1001"));

    EXPECT_TRUE(rack.Pos_Item(1).doPicture);
    EXPECT_FALSE(rack.Pos_Item(2).doPicture);
    EXPECT_FALSE(rack.Pos_Item(4).doPicture);
    EXPECT_FALSE(rack.Pos_Item(5).doPicture);

    const RackPositions& pending = rack.Pos_Item(10);
    EXPECT_EQ(pending.Status, "DONE");
    EXPECT_EQ(pending.Init_Status, "DONE");
    EXPECT_TRUE(pending.Active);
    EXPECT_EQ(pending.Rec->Status, "DONE");

    EXPECT_EQ(rack.Pos_Item(3).Run_No, 2) << "a re-run";
    EXPECT_EQ(rack.Pos_Item(3).Rec->Run_No, 2);
    EXPECT_EQ(rack.Pos_Item(1).Run_No, 1);
    EXPECT_EQ(rack.Pos_Item(1).Priority, "NORMAL");
    EXPECT_FALSE(rack.Pos_Item(1).Component_Code.isEmpty());
    EXPECT_FALSE(rack.Pos_Item(19).Active) << "R1001 ends in two empty places";

    // A rack held at another station says who holds it.
    load(QStringLiteral("R1008"));
    EXPECT_EQ(rack.Curr_User.toInt(), 102);
    EXPECT_EQ(rack.Curr_Station, "SCREENING");

    // A rack the laboratory does not know: 20 empty places and an empty header.
    load(QStringLiteral("R9999"));
    EXPECT_EQ(rack.Pos.size(), 20u);
    EXPECT_EQ(rack.Rack_id, "");
    EXPECT_EQ(rack.Rack_Status, "");
    EXPECT_EQ(rack.Curr_Station, "");
}

TEST_F(RackLoadDemo, RackDateIsTheEarliestReceptionOrTheTimeOfTheLoad)
{
    const QDateTime loadTime = QDateTime::currentDateTime().addSecs(-120);
    const QDate day = loadTime.date().addDays(-1);
    FixedClock clock(loadTime);
    lab.change("UPDATE samples SET RECEIVED_DATETIME = NULL");
    setSampleColumn("RECEIVED_DATETIME", "R1001", 1, QDateTime(day, QTime(8, 0)));
    setSampleColumn("RECEIVED_DATETIME", "R1001", 2, QDateTime(day, QTime(7, 30)));
    setSampleColumn("RECEIVED_DATETIME", "R1001", 3, QDateTime(day, QTime(9, 0)));
    load(QStringLiteral("R1001"));
    EXPECT_EQ(rack.Rack_Date, QDateTime(day, QTime(7, 30)));

    for (int p = 1; p <= 3; ++p) setSampleColumn("RECEIVED_DATETIME", "R1001", p, loadTime.addSecs(3600 * p));
    load(QStringLiteral("R1001"));
    EXPECT_EQ(rack.Rack_Date, loadTime) << "every reception lies after the load";
}

}  // namespace
