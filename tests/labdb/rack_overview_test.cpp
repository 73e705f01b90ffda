// The rack screen's overview of outstanding work: the priorities on racks and the
// number of outstanding tests per rack, checked against the tests themselves.
#include "lab_fixture.h"

#include "labdb/sql_functions.h"

#include <sqlite3.h>

namespace {

class RackOverview : public LabDb {
protected:
    QStringList priorities(const char* group = "'PrtCount'")
    {
        QStringList out;
        for (db::Recordset rs = ok(QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , %1 , 0, 0, 0").arg(QLatin1String(group)));
             !rs.eof(); rs.moveNext())
            out << rs.value(QStringLiteral("PRIORITY")).toString();
        return out;
    }

    // A new sample of the demo laboratory with an outstanding particle count,
    // standing on the given rack (0: on none).
    void outstandingSample(const char* labNumber, const char* priority, int rackId)
    {
        rawExec("INSERT INTO samples (LAB_NUMBER, LAB_CODE, PRIORITY) VALUES (?, 'ZIVIRUZEZ', ?)",
                {QString::fromLatin1(labNumber), QString::fromLatin1(priority)});
        const QVariant labId = scalar("SELECT LAB_ID FROM samples WHERE LAB_NUMBER = ?", {QString::fromLatin1(labNumber)});
        rawExec("INSERT INTO lab_tracking (LAB_ID, TEST_GROUP, RUN_NO, STATUS) VALUES (?, 'PrtCount', 1, 'READY')", {labId});
        if (rackId) {
            const int position = scalar("SELECT count(*) + 1 FROM rack_positions WHERE RACK_ID = ?", {rackId}).toInt();
            rawExec("INSERT INTO rack_positions (RACK_ID, POSITION, LAB_ID) VALUES (?, ?, ?)", {rackId, position, labId});
        }
    }
};

TEST_F(RackOverview, PriorityCountsOnlyOnceASampleOfItStandsOnARack)
{
    rawExec("INSERT INTO racks (RACK_ID, RACK_DESC, LAB_CODE, RACK_STATUS) VALUES (2000, 'R2000', 'ZIVIRUZEZ', 'Available')");
    // Met first, and on no rack: not yet a priority of the rack screen.
    outstandingSample("90000001", "LOW", 0);
    EXPECT_FALSE(priorities().contains(QStringLiteral("LOW")));
    // A later sample of the same priority on a rack makes it one, after the known ones.
    outstandingSample("90000002", "LOW", 2000);
    EXPECT_EQ(priorities(), (QStringList{QStringLiteral("CRITICAL"), QStringLiteral("URGENT"), QStringLiteral("RUSH"),
                                         QStringLiteral("RETEST"), QStringLiteral("NORMAL"), QStringLiteral("LOW")}));
    // Letter case is part of the priority, as in the laboratory's tables.
    outstandingSample("90000003", "rush", 2000);
    EXPECT_EQ(priorities().mid(5), (QStringList{QStringLiteral("LOW"), QStringLiteral("rush")}));
    EXPECT_TRUE(priorities("null").contains(QStringLiteral("LOW")));
}

TEST_F(RackOverview, NoOutstandingTestOnAnyRackGivesNoPriorityAndNoRack)
{
    rawExec("UPDATE lab_tracking SET STATUS = 'DONE' WHERE TEST_GROUP = 'PrtCount'");
    outstandingSample("90000004", "RUSH", 0);
    EXPECT_TRUE(priorities().isEmpty());
    db::Recordset rs = ok(
        QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = null"));
    EXPECT_TRUE(rs.isOpen());
    EXPECT_EQ(rs.rowCount(), 0);
}

TEST_F(RackOverview, OutstandingCountOfEveryRackMatchesItsTests)
{
    rawExec("INSERT INTO racks (RACK_ID, RACK_DESC, LAB_CODE, RACK_STATUS) VALUES (2000, 'R2000', 'ZIVIRUZEZ', 'Available')");
    outstandingSample("90000005", "RUSH", 2000);
    for (const char* priority : {"null", "'RUSH'"}) {
        const QString filter = QString::fromLatin1(priority);
        db::Recordset rs = ok(
            QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = %1").arg(filter));
        ASSERT_GT(rs.rowCount(), 1);
        for (; !rs.eof(); rs.moveNext()) {
            const QVariant rackId = rs.value(QStringLiteral("RACK_ID"));
            const qlonglong expected =
                scalar("SELECT count(*) FROM lab_tracking t JOIN rack_positions p ON p.LAB_ID = t.LAB_ID JOIN samples s ON s.LAB_ID = t.LAB_ID"
                       " WHERE p.RACK_ID = ? AND t.STATUS = 'READY' AND t.TEST_GROUP = 'PrtCount' AND (? = 'null' OR s.PRIORITY = 'RUSH')",
                       {rackId, filter})
                    .toLongLong();
            EXPECT_EQ(rs.value(QStringLiteral("OUTSTANDING")).toLongLong(), expected)
                << rs.value(QStringLiteral("RACK_DESC")).toString().toStdString();
            EXPECT_EQ(rs.value(QStringLiteral("OUTSTANDING")).typeId(), QMetaType::LongLong);
        }
    }
}

TEST(JsonTally, CountsEachWholeNumberAndSkipsNulls)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    labdb::registerSqlFunctions(db);
    const auto one = [db](const char* sql) {
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        QStringList rows;
        while (sqlite3_step(st) == SQLITE_ROW) rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return rows.join(QLatin1Char(' '));
    };
    EXPECT_EQ(one("SELECT key || '=' || value FROM json_each((SELECT json_tally(column1) FROM (VALUES (7), (-2), (7), (NULL), (7), (-2)))) "
                  "ORDER BY 0 + key"),
              QStringLiteral("-2=2 7=3"));
    EXPECT_EQ(one("SELECT json_tally(v) FROM (SELECT 1 AS v WHERE 0)"), QStringLiteral("{}"));
    sqlite3_close(db);
}

}  // namespace
