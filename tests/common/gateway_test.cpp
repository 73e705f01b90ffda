#include "alert_recorder.h"
#include "common/db_module.h"
#include "fake_database.h"

#include <gtest/gtest.h>

namespace {

const QString kSql = QStringLiteral("exec labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @priority = null");

class GatewayTest : public ::testing::Test {
protected:
    void SetUp() override { dbModule::Conn_String = QStringLiteral("DSN=lab;UID=pellicott"); }
    void TearDown() override { dbModule::Conn_String.clear(); }

    FakeDatabase database;
    AlertRecorder alerts;
};

TEST_F(GatewayTest, TimeOutTwiceThenRowsGivesTheThirdAttemptsRows)
{
    database.script(FakeDatabase::timeOut());
    database.script(FakeDatabase::timeOut());
    database.script(FakeDatabase::rows({"RACK_DESC", "RACK_ID"}, {{"R12", 345}}));

    db::Recordset rs = dbModule::Get_Recordset(kSql, true);

    ASSERT_TRUE(rs.isOpen());
    EXPECT_EQ(rs.value("rack_desc").toString(), "R12");
    EXPECT_EQ(database.statements().size(), 3);
    EXPECT_EQ(database.opened(), 3) << "each attempt runs on a fresh connection";
    EXPECT_EQ(dbModule::Get_Recordset_Counters().Try_Count, 0);
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(GatewayTest, AlwaysTimingOutIsTriedExactlyFiveTimesAndStaysQuiet)
{
    database.setDefault(FakeDatabase::timeOut());

    db::Recordset rs = dbModule::Get_Recordset(kSql, true);
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(database.statements().size(), 5);
    EXPECT_EQ(dbModule::Get_Recordset_Counters().Try_Count, 0);
    EXPECT_FALSE(dbModule::Last_Call_Answered());

    database.clear();
    EXPECT_FALSE(dbModule::Execute_SQL(QStringLiteral("update lab.dbo.lab_tracking set weight = null"), true));
    EXPECT_EQ(database.statements().size(), 5);
    EXPECT_EQ(dbModule::Execute_SQL_Counters().Try_Count, 0);
    EXPECT_FALSE(dbModule::Last_Call_Answered());
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(GatewayTest, SyntaxErrorIsTriedOnceAndShowsNothing)
{
    database.setDefault(FakeDatabase::failure(102, "Incorrect syntax near 'exce'."));

    EXPECT_FALSE(dbModule::Get_Recordset(QStringLiteral("exce x"), true).isOpen());
    EXPECT_TRUE(dbModule::Last_Call_Answered()) << "a refusal is an answer";
    EXPECT_FALSE(dbModule::Execute_SQL(QStringLiteral("exce x"), true));
    EXPECT_TRUE(dbModule::Last_Call_Answered());
    EXPECT_EQ(database.statements().size(), 2);
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(GatewayTest, ErrorsLeftInTheListAreShownOnceInListOrder)
{
    database.script(FakeDatabase::withErrors(
        {{0, 0, "01000", "informational, not counted"}, {50001, 50001, "42000", "Rack is locked"}, {-2, -2, "HY000", "Second problem"}}));

    db::Recordset rs = dbModule::Get_Recordset(kSql, true);
    EXPECT_FALSE(rs.isOpen());
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_EQ(alerts.messages[0], QStringLiteral("Error[50001]\r\n\r\nRack is locked\r\n\r\n\r\n"
                                                 "Error[-2]\r\n\r\nSecond problem\r\n\r\n\r\n"));
}

TEST_F(GatewayTest, CheckDbErrorsCountsNonZeroNumbersAndShowsOnlyWhenAsked)
{
    FakeConnection cn(&database);
    database.script(FakeDatabase::withErrors({{0, 0, "01000", "x"}, {7, 7, "42000", "y"}, {8, 8, "42000", "z"}}));
    cn.open("DSN=x", "", "");
    cn.execute("select 1", nullptr);

    EXPECT_EQ(dbModule::Check_DB_Errors(cn, false), 2);
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(dbModule::Check_DB_Errors(cn, true), 2);
    EXPECT_EQ(alerts.messages.size(), 1);
}

TEST_F(GatewayTest, ExecuteSqlIsFalseWhenErrorsAreLeftAfterRunning)
{
    database.script(FakeDatabase::withErrors({{547, 547, "23000", "The UPDATE conflicted"}}));
    EXPECT_FALSE(dbModule::Execute_SQL(QStringLiteral("update x set y = 1"), true));
    EXPECT_EQ(alerts.messages.size(), 1);

    database.script(FakeDatabase::withErrors({}));
    EXPECT_TRUE(dbModule::Execute_SQL(QStringLiteral("update x set y = 1"), true));
    EXPECT_EQ(database.statements().size(), 2);
}

TEST_F(GatewayTest, EmptyConnectionStringBecomesTheEmbeddedDatabaseAndStays)
{
    dbModule::Conn_String.clear();
    database.setDefault(FakeDatabase::rows({"COUNT"}, {{3}}));

    dbModule::Get_Recordset(kSql, true);
    EXPECT_EQ(dbModule::Conn_String, QStringLiteral("EMBEDDED=labdata.db"));
    dbModule::Execute_SQL(kSql, true);
    EXPECT_EQ(database.connectionStrings(), QStringList({"EMBEDDED=labdata.db", "EMBEDDED=labdata.db"}));
}

TEST_F(GatewayTest, UnreachableDatabaseIsReportedAndAnswersAsAFailedStatement)
{
    database.refuseConnections("[unixODBC][Driver Manager]Data source name not found");

    db::Recordset rs = dbModule::Get_Recordset(kSql, true);
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(dbModule::Execute_SQL(kSql, true));
    EXPECT_FALSE(dbModule::Last_Call_Answered());
    EXPECT_TRUE(database.statements().isEmpty());
    ASSERT_EQ(alerts.messages.size(), 2);
    EXPECT_TRUE(alerts.messages[0].startsWith(dbModule::kUnreachableMessage));
    EXPECT_TRUE(alerts.messages[0].contains("Data source name not found"));
    EXPECT_EQ(dbModule::Get_Recordset_Counters().Try_Count, 0);
}

TEST(RecordsetTest, UnopenedRecordsetReadsAsNoRows)
{
    db::Recordset rs;
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.rowCount(), 0);
    EXPECT_TRUE(db::isNull(rs.value("STATUS")));
    rs.moveNext();
    rs.moveFirst();
    EXPECT_TRUE(rs.eof());
}

TEST(RecordsetTest, ColumnsByNameIgnoreCaseAndNullDiffersFromEmptyText)
{
    db::Recordset rs({"EMP_NUM", "FirstName", "Zolt_Func"}, {{QVariant(), "", "LAB"}, {12, " Ann ", QVariant()}});
    ASSERT_FALSE(rs.eof());
    EXPECT_TRUE(rs.isNullAt("emp_num"));
    EXPECT_FALSE(rs.isNullAt("FIRSTNAME"));
    EXPECT_EQ(rs.value("firstname").toString(), "");
    EXPECT_TRUE(rs.isNullAt("NO_SUCH_COLUMN"));
    rs.moveNext();
    EXPECT_EQ(rs.value("EMP_NUM").toInt(), 12);
    EXPECT_TRUE(rs.isNullAt("zolt_func"));
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveFirst();
    EXPECT_TRUE(rs.isNullAt("EMP_NUM"));
}

}  // namespace
