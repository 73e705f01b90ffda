#include "platform/db/odbc_call.h"
#include "platform/db/odbc_connection.h"
#include "platform/db/station_connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Registers the SQLite ODBC driver and one data source in a private folder, so the
// real driver manager and a real driver run under the station's ODBC code.
class OdbcTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir();
        ASSERT_TRUE(folder->isValid());
        const QString dir = folder->path();
        writeFile(dir + "/odbcinst.ini", QStringLiteral("[ODBC]\nPooling = Yes\n\n[StationSQLite]\nDriver = %1\nCPTimeout = 60\n")
                                             .arg(QStringLiteral(SQLITE_ODBC_DRIVER)));
        writeFile(dir + "/odbc.ini", QStringLiteral("[stationlab]\nDriver = StationSQLite\nDatabase = %1/lab.db\n").arg(dir));
        qputenv("ODBCSYSINI", dir.toUtf8());
        qputenv("ODBCINI", (dir + "/odbc.ini").toUtf8());

        db::OdbcConnection setup;
        ASSERT_TRUE(setup.open("DSN=stationlab", "", "")) << describe(setup.errors());
        for (const char* sql :
             {"create table samples (lab_id integer, work_order text, priority text, volume real)",
              "insert into samples values (1, '00012345', 'RUSH', 20.5)", "insert into samples values (2, '', null, null)"}) {
            ASSERT_TRUE(setup.execute(sql, nullptr)) << sql << describe(setup.errors());
        }
    }
    static void TearDownTestSuite() { delete folder; }

    static void writeFile(const QString& path, const QString& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    static std::string describe(const db::ErrorList& errors)
    {
        QString s;
        for (const auto& e : errors) s += QStringLiteral(" [%1 %2] %3").arg(e.sqlState).arg(e.number).arg(e.description);
        return s.toStdString();
    }

    static QTemporaryDir* folder;
};

QTemporaryDir* OdbcTest::folder = nullptr;

TEST_F(OdbcTest, ReadsRowsWithColumnNamesAndNulls)
{
    db::StationConnection cn;
    cn.setCommandTimeout(20);
    ASSERT_TRUE(cn.open("DSN=stationlab;QuotedID=No", "", "")) << describe(cn.errors());
    db::Recordset rs;
    ASSERT_TRUE(cn.execute("select lab_id as LAB_ID, work_order, priority, volume from samples order by lab_id", &rs))
        << describe(cn.errors());
    ASSERT_TRUE(rs.isOpen());
    EXPECT_EQ(rs.rowCount(), 2);
    EXPECT_EQ(rs.value("lab_id").toInt(), 1);
    EXPECT_EQ(rs.value("WORK_ORDER").toString(), "00012345") << "text stays text, leading zeros included";
    EXPECT_EQ(rs.value("Priority").toString(), "RUSH");
    EXPECT_DOUBLE_EQ(rs.value("volume").toDouble(), 20.5);
    rs.moveNext();
    EXPECT_FALSE(rs.isNullAt("work_order"));
    EXPECT_EQ(rs.value("work_order").toString(), "");
    EXPECT_TRUE(rs.isNullAt("priority"));
    EXPECT_TRUE(rs.isNullAt("volume"));
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST_F(OdbcTest, BadStatementFillsTheErrorListWithStateAndText)
{
    db::OdbcConnection cn;
    ASSERT_TRUE(cn.open("DSN=stationlab", "", ""));
    db::Recordset rs;
    EXPECT_FALSE(cn.execute("selec * frm nowhere", &rs));
    EXPECT_FALSE(rs.isOpen());
    ASSERT_FALSE(cn.errors().isEmpty());
    EXPECT_EQ(cn.errors()[0].sqlState.size(), 5);
    EXPECT_FALSE(cn.errors()[0].description.isEmpty());
    EXPECT_LT(cn.errors().size(), 100) << "the diagnostic loop ends";

    // The connection stays usable after a failed statement, and the list is fresh.
    EXPECT_TRUE(cn.execute("select count(*) from samples", &rs));
    EXPECT_TRUE(cn.errors().isEmpty());
    EXPECT_EQ(rs.value(0).toInt(), 2);
}

TEST_F(OdbcTest, StatementWithoutAnswerGivesAnUnopenedRecordset)
{
    db::OdbcConnection cn;
    ASSERT_TRUE(cn.open("DSN=stationlab", "", ""));
    db::Recordset rs({"X"}, {{1}});
    EXPECT_TRUE(cn.execute("update samples set priority = priority where lab_id = 999", &rs)) << describe(cn.errors());
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(rs.eof());
}

TEST_F(OdbcTest, LongTextComesWholeAndItsPiecesLeaveNoWarnings)
{
    db::OdbcConnection cn;
    ASSERT_TRUE(cn.open("DSN=stationlab", "", ""));
    db::Recordset rs;
    // Three and a half read buffers of text, and a value after it in the same row.
    ASSERT_TRUE(cn.execute("select substr(replace(hex(zeroblob(2000)), '00', 'ab'), 1, 3600) as LONG_TEXT, 7 as AFTER_IT", &rs))
        << describe(cn.errors());
    const QString text = rs.value("LONG_TEXT").toString();
    EXPECT_EQ(text.size(), 3600);
    EXPECT_EQ(text.count(QStringLiteral("ab")), 1800);
    EXPECT_EQ(rs.value("AFTER_IT").toInt(), 7);
    EXPECT_TRUE(cn.errors().isEmpty()) << "a piecewise read is no warning:" << describe(cn.errors());
}

TEST_F(OdbcTest, ClosedConnectionRefusesStatementsAndCanOpenAgain)
{
    db::OdbcConnection cn;
    ASSERT_TRUE(cn.open("DSN=stationlab", "", ""));
    cn.close();
    cn.close();
    EXPECT_FALSE(cn.isOpen());
    db::Recordset rs({"X"}, {{1}});
    EXPECT_FALSE(cn.execute("select 1", &rs));
    EXPECT_FALSE(rs.isOpen());
    ASSERT_EQ(cn.errors().size(), 1);
    EXPECT_EQ(cn.errors()[0].sqlState, "08003");

    ASSERT_TRUE(cn.open("DSN=stationlab", "", "")) << describe(cn.errors());
    EXPECT_TRUE(cn.execute("select count(*) from samples", &rs));
    EXPECT_EQ(rs.value(0).toInt(), 2);
}

TEST_F(OdbcTest, UnknownDataSourceIsReportedNotCrashedOn)
{
    db::StationConnection cn;
    EXPECT_FALSE(cn.open("DSN=no_such_source;UID=pellicott;PWD=kp5180rm", "", ""));
    EXPECT_FALSE(cn.isOpen());
    ASSERT_FALSE(cn.errors().isEmpty());
    EXPECT_FALSE(cn.errors()[0].description.isEmpty());
    db::Recordset rs;
    EXPECT_FALSE(cn.execute("select 1", &rs));
    EXPECT_FALSE(rs.isOpen());
}

// After the suite set the driver manager up: its configuration is read at the
// first environment of the process.
TEST_F(OdbcTest, HandleIsFreedOnceAndMovesWithItsOwner)
{
    db::ErrorList errors;
    db::odbc::Handle env;
    ASSERT_TRUE(env.allocate(SQL_HANDLE_ENV, SQL_HANDLE_ENV, SQL_NULL_HANDLE, errors));
    ASSERT_TRUE(env);
    const SQLHANDLE raw = env.get();
    db::odbc::Handle moved(std::move(env));
    EXPECT_FALSE(env);
    EXPECT_EQ(moved.get(), raw);
    db::odbc::Handle assigned;
    assigned = std::move(moved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(assigned.get(), raw);
    EXPECT_EQ(assigned.type(), SQL_HANDLE_ENV);
    assigned.reset();
    EXPECT_FALSE(assigned);
    EXPECT_TRUE(errors.isEmpty());
}

TEST(BackendChoiceTest, ConnectionStringChoosesTheBackend)
{
    EXPECT_EQ(db::backendFor("DSN=LabServer;UID=pellicott;PWD=kp5180rm;QuotedID=No"), db::Backend::Odbc);
    EXPECT_EQ(db::backendFor("DRIVER={SQLite3};Database=x.db"), db::Backend::Odbc);
    EXPECT_EQ(db::backendFor("EMBEDDED=labdata.db"), db::Backend::Embedded);
    EXPECT_EQ(db::backendFor("labdata.db"), db::Backend::Unknown);

    db::StationConnection cn;
    EXPECT_FALSE(cn.open("nonsense", "", ""));
    ASSERT_EQ(cn.errors().size(), 1);
    EXPECT_TRUE(cn.errors()[0].description.contains("names no data source"));
}

}  // namespace
