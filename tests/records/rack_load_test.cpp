#include "common/db_module.h"
#include "common/station_config.h"
#include "fake_database.h"
#include "fixed_clock.h"
#include "records/prt_count.h"
#include "records/rack.h"
#include "records/weights.h"
#include "technician.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QStringList kLoadColumns = {"RACK_ID",        "CURRENT_RACK_STATUS",
                                  "CURR_USER",      "CURR_STATION",
                                  "POSITION",       "RECEIVED_DATETIME",
                                  "DESIRED_WEIGHT", "STATUS",
                                  "PRIORITY",       "RUN_NO",
                                  "WORK_ORDER_NO",  "LAB_ID",
                                  "LAB_CODE",       "COMPONENT_CODE",
                                  "DOPICTURE"};

QVariantList row(QVariant position, QVariant status = "READY", QVariant runNo = 1, QVariant received = QVariant())
{
    return {"31",
            "IN USE",
            412,
            "PARTICLE COUNT",
            position,
            received,
            QVariant(),
            status,
            " RUSH ",
            runNo,
            "WO-" + position.toString(),
            "7000" + position.toString(),
            "ZIVIRUZEZ",
            " HYD ",
            0};
}

// The places of the rack that hold a sample, as 1-based positions.
QList<int> occupied(const Rack& rack)
{
    QList<int> places;
    for (const RackPositions& p : rack.Pos)
        if (p.Active) places << p.Pos + 1;
    return places;
}

void expectTwentyInOrder(const Rack& rack)
{
    ASSERT_EQ(rack.Pos.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(rack.Pos[i].Pos, i);
}

TEST(RackLoadCalls, LoadSendsTheRackQueryAndPlacesTheRows)
{
    FakeDatabase database;
    TechnicianAtStation technician;
    Rack rack;
    FixedClock clock(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));

    database.script(FakeDatabase::rows(kLoadColumns, {row(3), row(7)}));
    rack.Rack_Load(QStringLiteral(" R'12 "), QStringLiteral(" PrtCount "));
    EXPECT_EQ(database.last(), "exec labrack.dbo.outstanding_rackTests @rack_desc = ' R''12 ', @test_group = 'PrtCount'");
    expectTwentyInOrder(rack);
    EXPECT_EQ(occupied(rack), (QList<int>{3, 7}));
    EXPECT_EQ(rack.Rack_id, "31");
    EXPECT_EQ(rack.Rack_Status, "IN USE");
    EXPECT_EQ(rack.Curr_User.toInt(), 412);
    EXPECT_EQ(rack.Curr_Station, "PARTICLE COUNT");
    EXPECT_EQ(rack.Rack_Date, QDateTime(QDate(2024, 3, 5), QTime(10, 0))) << "no row carries a time";

    const RackPositions& sample = rack.Pos_Item(3);
    EXPECT_EQ(sample.Priority, "RUSH");
    EXPECT_EQ(sample.Component_Code, "HYD");
    EXPECT_EQ(sample.Sample_Desc, "WO-3");
    EXPECT_EQ(sample.TargetWeight, "") << "NULL desired weight";
    auto* record = dynamic_cast<PrtCount*>(sample.Rec.get());
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->isEmpty);
    EXPECT_EQ(record->Lab_Id, "70003");
    EXPECT_EQ(record->Priority, "RUSH");

    // On the weighing station the query asks for weighed portions, and its
    // positions carry the weighing record.
    TechnicianAtStation scale(QStringLiteral("SCALE"));
    database.script(FakeDatabase::rows(kLoadColumns, {row(1)}));
    rack.Rack_Load(QStringLiteral("R12"), QStringLiteral("PrtCount"));
    EXPECT_EQ(database.last(), "exec labrack.dbo.outstanding_rackTests @rack_desc = 'R12', @test_group = 'PrtCount'"
                               ", @weight_required = 1, @showWeighed = 0 ");
    EXPECT_NE(dynamic_cast<Weights*>(rack.Pos_Item(1).Rec.get()), nullptr);
    EXPECT_NE(dynamic_cast<Weights*>(rack.Pos_Item(20).Rec.get()), nullptr);
}

TEST(RackLoadCalls, NewRackWorksOnTheStationsConfiguredDatabase)
{
    const StationConfig previous = stationConfig();
    const QString previousConnection = dbModule::Conn_String;
    StationConfig laboratory;
    laboratory.odbcDataSource = QStringLiteral("LabServer");
    setStationConfig(laboratory);
    dbModule::Conn_String = QStringLiteral("EMBEDDED=elsewhere.db");
    Rack rack;
    EXPECT_EQ(dbModule::Conn_String, "DSN=LabServer;UID=pellicott;PWD=kp5180rm;QuotedID=No");
    setStationConfig(previous);
    dbModule::Conn_String = previousConnection;
}

TEST(RackLoadCalls, UnusualAnswersStillGiveTwentyPositionsAtTheirPlaces)
{
    FakeDatabase database;
    TechnicianAtStation technician;
    Rack rack;

    // Out of order, repeated, beyond 20, below 1 and without a readable POSITION.
    database.script(FakeDatabase::rows(kLoadColumns, {row(7), row(3), row(7, "DONE"), row(21), row(0), row(QVariant()), row("x"), row(20)}));
    rack.Rack_Load(QStringLiteral("R1"), QStringLiteral("PrtCount"));
    expectTwentyInOrder(rack);
    EXPECT_EQ(occupied(rack), (QList<int>{3, 7, 20}));
    EXPECT_EQ(rack.Pos_Item(7).Status, "READY") << "the first row for a place keeps it";

    // NULL or unreadable columns: the row is held with empty text and 0.
    QVariantList nulls = row(2, QVariant(), "many");
    nulls[8] = QVariant();   // PRIORITY
    nulls[10] = QVariant();  // WORK_ORDER_NO
    nulls[11] = QVariant();  // LAB_ID
    nulls[14] = "yes";       // DOPICTURE
    QVariantList firstNull = row(1);
    firstNull[0] = QVariant();  // RACK_ID
    firstNull[1] = QVariant();  // CURRENT_RACK_STATUS
    firstNull[2] = QVariant();  // CURR_USER
    firstNull[3] = QVariant();  // CURR_STATION
    database.script(FakeDatabase::rows(kLoadColumns, {firstNull, nulls, row(4)}));
    rack.Rack_Load(QStringLiteral("R1"), QStringLiteral("PrtCount"));
    expectTwentyInOrder(rack);
    EXPECT_EQ(rack.Rack_id, "");
    EXPECT_EQ(rack.Rack_Status, "");
    EXPECT_EQ(rack.Curr_User.toString(), "");
    EXPECT_EQ(rack.Curr_Station, "");
    const RackPositions& held = rack.Pos_Item(2);
    EXPECT_EQ(held.Status, "");
    EXPECT_EQ(held.Run_No, 0);
    EXPECT_EQ(held.Priority, "");
    EXPECT_FALSE(held.doPicture);
    ASSERT_NE(held.Rec, nullptr);
    EXPECT_FALSE(held.Rec->isEmpty) << "a row was there";
    EXPECT_TRUE(rack.Pos_Item(4).Active) << "the rows after it still land";

    // A failed query is no empty rack: the rack stays as it was.
    database.script(FakeDatabase::failure(2812, "Could not find stored procedure"));
    EXPECT_FALSE(rack.Rack_Load(QStringLiteral("R1"), QStringLiteral("PrtCount")));
    expectTwentyInOrder(rack);
    EXPECT_EQ(occupied(rack), QList<int>({1, 4}));
    EXPECT_TRUE(rack.Pos_Item(20).Rec->isEmpty);
    EXPECT_THROW(rack.Pos_Item(21), std::out_of_range);
    EXPECT_THROW(rack.Pos_Item(0), std::out_of_range);

    // A station without a record class still gets 20 positions, without records.
    TechnicianAtStation other(QStringLiteral("LAB BENCH"));
    database.script(FakeDatabase::rows(kLoadColumns, {row(5)}));
    rack.Rack_Load(QStringLiteral("R1"), QStringLiteral("PrtCount"));
    expectTwentyInOrder(rack);
    for (const RackPositions& p : rack.Pos) EXPECT_EQ(p.Rec, nullptr);

    rack.Initialize_pos();
    EXPECT_TRUE(rack.Pos.empty());
    EXPECT_EQ(rack.Rack_Desc, "");
}

}  // namespace
