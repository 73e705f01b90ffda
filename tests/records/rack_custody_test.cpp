#include "fake_database.h"
#include "records/rack.h"
#include "technician.h"

#include "qstring_printer.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

const QStringList kCustodyColumns = {"ERROR", "MESSAGE", "CURR_USER", "CURR_STATION"};

TEST(RackCustodyCalls, CustodyAsksForTheRackAndTakesTheAnswer)
{
    FakeDatabase database;
    TechnicianAtStation technician(QStringLiteral(" PARTICLE COUNT "), 412);
    Rack rack;
    rack.Rack_id = QStringLiteral("31");
    rack.Rack_Status = QStringLiteral("before");

    database.script(FakeDatabase::rows(kCustodyColumns, {{0, QVariant(), QVariant(), QVariant()}}));
    EXPECT_TRUE(rack.Rack_Status_Update(QStringLiteral("GET")));
    EXPECT_EQ(database.last(), "exec labrack.dbo.rack_acquisition_upd @rack_id = 31, @emp_num = 412, "
                               "@station = 'PARTICLE COUNT', @action = 'GET'");
    EXPECT_EQ(rack.Curr_User.toInt(), 412);
    EXPECT_EQ(rack.Curr_Station, "PARTICLE COUNT");
    EXPECT_EQ(rack.Rack_Status, "") << "a NULL message empties the status";

    database.script(FakeDatabase::rows(kCustodyColumns, {{1, "Rack held by SCREEN", 97, " SCREEN "}}));
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("PUT")));
    EXPECT_TRUE(database.last().endsWith("@action = 'PUT'"));
    EXPECT_EQ(rack.Curr_User.toInt(), 97);
    EXPECT_EQ(rack.Curr_Station, "SCREEN");
    EXPECT_EQ(rack.Rack_Status, "Rack held by SCREEN");

    // Nothing is sent for another action, without a rack, or with a rack id that
    // is no number (it would go into the call unquoted).
    database.clear();
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("get")));
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("TAKE")));
    rack.Rack_id.clear();
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
    rack.Rack_id = QStringLiteral("31; delete from racks");
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
    EXPECT_TRUE(database.statements().isEmpty());

    // No answer row, or no answer at all: refused, the holder fields stay.
    rack.Rack_id = QStringLiteral("31");
    database.script(FakeDatabase::noRows(kCustodyColumns));
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
    database.script(FakeDatabase::failure(2812, "Could not find stored procedure"));
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
    EXPECT_EQ(rack.Curr_User.toInt(), 97);
    EXPECT_EQ(rack.Rack_Status, "Rack held by SCREEN");

    EXPECT_FALSE(rack.isRackLoggedOut(false)) << "the rack is held elsewhere";

    // A give-back without an answer goes again first, in the name of whom the rack
    // was held for, before the next custody call; while it gets no answer, nothing
    // else is sent.
    rack.Emp_Num = 97;
    database.setDefault(FakeDatabase::timeOut());
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("PUT")));
    EXPECT_TRUE(rack.custodyUnanswered);
    EXPECT_FALSE(rack.heldByStation());
    database.clear();
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
    EXPECT_EQ(QSet<QString>(database.statements().begin(), database.statements().end()),
              QSet<QString>{"exec labrack.dbo.rack_acquisition_upd @rack_id = 31, @emp_num = 97, "
                            "@station = 'PARTICLE COUNT', @action = 'PUT'"});
    database.setDefault(FakeDatabase::Reply{});
    database.clear();
    database.script(FakeDatabase::rows(kCustodyColumns, {{0, "Available", QVariant(), QVariant()}}));
    database.script(FakeDatabase::rows(kCustodyColumns, {{0, QVariant(), QVariant(), QVariant()}}));
    EXPECT_TRUE(rack.Rack_Status_Update(QStringLiteral("GET")));
    ASSERT_EQ(database.statements().size(), 2);
    EXPECT_TRUE(database.statements()[0].contains("@emp_num = 97, @station = 'PARTICLE COUNT', @action = 'PUT'"));
    EXPECT_TRUE(database.statements()[1].contains("@emp_num = 412, @station = 'PARTICLE COUNT', @action = 'GET'"));
    EXPECT_TRUE(rack.lostGiveBacks.empty());
    EXPECT_FALSE(rack.custodyUnanswered);
}

TEST(RackCustodyCalls, RackQueriesSendTheirCallTexts)
{
    FakeDatabase database;
    TechnicianAtStation technician;
    Rack rack;

    rack.Get_Rack_Priority(QStringLiteral(" ZIVIRUZEZ "), QStringLiteral("PrtCount"));
    EXPECT_EQ(database.last(), "labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0");
    rack.Get_Rack_Priority(QStringLiteral("ZIVIRUZEZ"), QString());
    EXPECT_EQ(database.last(), "labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , null, 0, 0, 0");

    rack.Get_Samples(QString(), QString());
    EXPECT_EQ(database.last(), "labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @priority = null");
    rack.Get_Samples(QStringLiteral("PrtCount"), QStringLiteral("  RUSH "));
    EXPECT_EQ(database.last(), "labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' "
                               ", @priority = 'RUSH'");
    rack.Get_Samples(QStringLiteral("Prt'Count"), QStringLiteral("O'NEIL"));
    EXPECT_TRUE(database.last().contains("@test_group = 'Prt''Count' , @priority = 'O''NEIL'"));

    rack.Rack_Outstanding_Tests(false, QStringLiteral(" PrtCount "));
    EXPECT_EQ(database.last(), "select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') ");
    rack.Rack_Outstanding_Tests(true, QStringLiteral("  "));
    EXPECT_EQ(database.last(), "select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', null) where isWeighed = 1 ");

    rack.Rack_Desc = QStringLiteral("R12");
    database.script(FakeDatabase::rows({"RACK_DESC"}, {{" R07 "}}));
    EXPECT_EQ(rack.Sample_Found(QStringLiteral(" WO'5 "), QStringLiteral(" PrtCount ")), "R07");
    EXPECT_EQ(database.last(), "exec labrack.dbo.Get_RackSample  @lab_number = 'WO''5', @lab_code = 'ZIVIRUZEZ', "
                               "@lab_id = null, @test_group = 'PrtCount', @weight_required = 0, @showWeighed = 0, "
                               "@status = 'READY', @test = 'n' ");
    database.script(FakeDatabase::noRows({"RACK_DESC"}));
    EXPECT_EQ(rack.Sample_Found(5501, QStringLiteral("PrtCount")), "R12") << "not found: the current rack";
    EXPECT_TRUE(database.last().contains("@lab_number = '5501'"));
    database.script(FakeDatabase::failure(2812, "Could not find stored procedure"));
    EXPECT_EQ(rack.Sample_Found(5501, QStringLiteral("PrtCount")), "R12");
}

TEST(RackCustodyCalls, StationNamesAddTheirPartsToTheRackQueries)
{
    FakeDatabase database;
    Rack rack;
    {
        TechnicianAtStation scale(QStringLiteral("SCALE"));
        rack.Get_Rack_Priority(QStringLiteral("ZIVIRUZEZ"), QStringLiteral("KF"));
        EXPECT_EQ(database.last(), "labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'KF' , 0, 0, 1, 0 , 0");
        rack.Get_Samples(QStringLiteral("KF"), QString());
        EXPECT_TRUE(database.last().endsWith(", @priority = null, @weight_required = 1, @isWeighed = 0 "));
    }
    {
        TechnicianAtStation spat(QStringLiteral("SPAT"));
        rack.Get_Samples(QString(), QString());
        EXPECT_TRUE(database.last().endsWith(", @priority = null, @spat = -1, @visual = null "));
    }
    {
        TechnicianAtStation visual(QStringLiteral("VISUAL"));
        rack.Get_Samples(QString(), QString());
        EXPECT_TRUE(database.last().endsWith(", @priority = null, @spat = null, @visual = -1 "));
    }
}

}  // namespace
