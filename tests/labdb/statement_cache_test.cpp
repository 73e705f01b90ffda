// The embedded database prepares each statement of a procedure once per kept
// handle; SQLite must not have to prepare it anew at every call (it does when a
// query's plan hangs on the value bound to it).
#include "station_call_texts.h"

#include "labdb/connection_pool.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

class StatementCache : public WithStationCalls {};

TEST_F(StatementCache, EveryStationCallRunsOnStatementsPreparedOnce)
{
    const QStringList calls = stationCalls();
    for (int round = 0; round < 3; ++round)
        for (const QString& c : calls) {
            db::Recordset rs;
            const bool ran = cn.execute(c, &rs);
            // From the second round on, the calls on a test the first round closed are refused.
            const bool refused = !ran && round > 0 && cn.errors().value(0).number == 50000;
            ASSERT_TRUE(ran || refused) << c.toStdString() << "\n" << errorText().toStdString();
        }
    cn.close();
    const QString file = QFileInfo(path).canonicalFilePath();
    std::unique_ptr<labdb::Database> kept = labdb::ConnectionPool::take(file);
    ASSERT_TRUE(kept);
    int statements = 0;
    for (sqlite3_stmt* st = sqlite3_next_stmt(kept->handle(), nullptr); st; st = sqlite3_next_stmt(kept->handle(), st)) {
        ++statements;
        EXPECT_EQ(sqlite3_stmt_status(st, SQLITE_STMTSTATUS_REPREPARE, 0), 0) << sqlite3_sql(st);
    }
    EXPECT_GT(statements, 20);
    labdb::ConnectionPool::give(file, std::move(kept));
}

}  // namespace
