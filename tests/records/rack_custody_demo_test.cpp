#include "alert_recorder.h"
#include "demo_laboratory.h"
#include "records/rack.h"
#include "technician.h"

#include "qstring_printer.h"

#include <QDir>
#include <QTemporaryFile>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class RackCustodyDemo : public ::testing::Test {
protected:
    RackCustodyDemo() { lab.connect(); }

    void load(const QString& desc)
    {
        rack.Initialize_pos();
        rack.Rack_Desc = desc;
        rack.Rack_Load(desc, QStringLiteral("PrtCount"));
    }

    QVariant holderOf(const QString& desc) { return lab.scalar("SELECT CURR_USER FROM racks WHERE RACK_DESC = ?", {desc}); }

    static QStringList rackNames(db::Recordset rs)
    {
        QStringList out;
        for (; !rs.eof(); rs.moveNext()) out << db::textOf(rs.value(QStringLiteral("RACK_DESC"))).trimmed();
        return out;
    }

    TechnicianAtStation technician{QStringLiteral("PARTICLE COUNT"), 101, QStringLiteral("Anna Berg")};
    Rack rack;
    DemoLaboratory lab;
};

TEST_F(RackCustodyDemo, TakingAndGivingBackARack)
{
    load(QStringLiteral("R1001"));
    ASSERT_TRUE(rack.Rack_Status_Update(QStringLiteral("GET")));
    EXPECT_EQ(rack.Curr_User.toInt(), 101);
    EXPECT_EQ(rack.Curr_Station, "PARTICLE COUNT");
    EXPECT_TRUE(rack.Rack_Status.contains("Anna Berg")) << rack.Rack_Status.toStdString();
    EXPECT_EQ(holderOf("R1001").toInt(), 101);

    ASSERT_TRUE(rack.Rack_Status_Update(QStringLiteral("PUT")));
    EXPECT_TRUE(db::isNull(holderOf("R1001")));

    // "get" in small letters is no action: the rack stays free.
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("get")));
    EXPECT_TRUE(db::isNull(holderOf("R1001")));

    // Without a rack nothing is asked.
    rack.Initialize_pos();
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
}

TEST_F(RackCustodyDemo, ARackHeldElsewhereIsRefusedWithItsHolder)
{
    load(QStringLiteral("R1008"));
    EXPECT_FALSE(rack.Rack_Status_Update(QStringLiteral("GET")));
    EXPECT_EQ(rack.Curr_User.toInt(), 102);
    EXPECT_EQ(rack.Curr_Station, "SCREENING");
    EXPECT_TRUE(rack.Rack_Status.contains("in use", Qt::CaseInsensitive)) << rack.Rack_Status.toStdString();
    EXPECT_EQ(holderOf("R1008").toInt(), 102);
}

TEST_F(RackCustodyDemo, RackQueriesFindOutstandingWork)
{
    const QStringList all = rackNames(rack.Get_Samples(QStringLiteral("PrtCount"), QString()));
    EXPECT_TRUE(all.contains("R1001"));
    EXPECT_TRUE(all.contains("R1008"));
    EXPECT_FALSE(all.contains("R1007")) << "every count of R1007 is done";
    const QStringList rush = rackNames(rack.Get_Samples(QStringLiteral("PrtCount"), QStringLiteral(" RUSH ")));
    EXPECT_FALSE(rush.isEmpty());
    EXPECT_TRUE(rush.contains("R1002"));
    EXPECT_FALSE(rush.contains("R1001")) << "R1001 is all NORMAL";
    for (const QString& r : rush) EXPECT_TRUE(all.contains(r));

    db::Recordset priorities = rack.Get_Rack_Priority(QStringLiteral("ZIVIRUZEZ"), QStringLiteral("PrtCount"));
    QStringList found;
    for (; !priorities.eof(); priorities.moveNext()) found << db::textOf(priorities.value("PRIORITY")).trimmed();
    EXPECT_TRUE(found.contains("RUSH"));
    EXPECT_TRUE(found.contains("CRITICAL"));

    db::Recordset before = rack.Rack_Outstanding_Tests(false, QStringLiteral("PrtCount"));
    ASSERT_FALSE(before.eof());
    const int outstanding = before.value("COUNT").toInt();
    EXPECT_GT(outstanding, 0);
    lab.change("UPDATE lab_tracking SET STATUS = 'DONE' WHERE TEST_ID = (SELECT min(TEST_ID) FROM lab_tracking"
               " WHERE TEST_GROUP = 'PrtCount' AND STATUS = 'READY')");
    EXPECT_EQ(rack.Rack_Outstanding_Tests(false, QStringLiteral("PrtCount")).value("COUNT").toInt(), outstanding - 1);
}

TEST_F(RackCustodyDemo, SampleFoundNamesTheRackOfASample)
{
    load(QStringLiteral("R1001"));
    rack.Rack_Desc = QStringLiteral("R1001");
    const QVariant onThisRack = lab.labNumberAt("R1001", 1);
    const QVariant onAnother = lab.labNumberAt("R1003", 1);
    EXPECT_EQ(rack.Sample_Found(onThisRack, QStringLiteral("PrtCount")), "R1001");
    EXPECT_EQ(rack.Sample_Found(QStringLiteral(" ") + onAnother.toString() + QStringLiteral(" "), QStringLiteral("PrtCount")), "R1003");
    EXPECT_EQ(rack.Sample_Found(QStringLiteral("99999999"), QStringLiteral("PrtCount")), "R1001") << "found nowhere";
    EXPECT_EQ(rack.Sample_Found(QStringLiteral("0425'0001"), QStringLiteral("PrtCount")), "R1001");
}

// What the station writes on its standard error while f runs.
QString standardErrorOf(const std::function<void()>& f)
{
    QTemporaryFile said;
    EXPECT_TRUE(said.open());
    std::fflush(stderr);
    const int before = ::dup(2);
    ::dup2(said.handle(), 2);
    f();
    std::fflush(stderr);
    ::dup2(before, 2);
    ::close(before);
    return said.seek(0) ? QString::fromLocal8Bit(said.readAll()) : QString();
}

TEST_F(RackCustodyDemo, TheEndSaysWhetherARackLeftOwedIsNotedForTheNextStart)
{
    QTemporaryDir station;
    ASSERT_TRUE(QDir(station.path()).mkdir("folder"));
    const QString file = station.filePath("folder/owed_racks.txt");
    rack.Keep_Owed_Racks_In(file);
    const char* underAudit = "CREATE TRIGGER audit BEFORE UPDATE OF CURR_USER ON racks WHEN NEW.CURR_USER IS NULL"
                             " BEGIN SELECT RAISE(ABORT, 'rack under audit'); END";
    load(QStringLiteral("R1001"));
    ASSERT_TRUE(rack.Rack_Status_Update(QStringLiteral("GET")));
    lab.change(underAudit);
    QString said = standardErrorOf([&] { rack.Give_Back_At_The_End(); });
    EXPECT_TRUE(said.contains("Rack R1001 (id 501) stays held for employee 101 at PARTICLE COUNT: the laboratory did not take it back. The "
                              "station gives it back at the first login or Exit after its next start (" +
                              file + ")."))
        << said.toStdString();
    EXPECT_FALSE(said.contains("could not be noted")) << said.toStdString();
    lab.change("DROP TRIGGER audit");

    // The folder can no longer be written (so for root too): the next rack is held
    // but not noted.
    AlertRecorder alerts;
    ASSERT_TRUE(QDir(station.filePath("folder")).removeRecursively());
    ASSERT_TRUE(rack.Rack_Status_Update(QStringLiteral("PUT")));
    load(QStringLiteral("R1002"));
    ASSERT_TRUE(rack.Rack_Status_Update(QStringLiteral("GET")));
    lab.change(underAudit);

    said = standardErrorOf([&] { rack.Give_Back_At_The_End(); });
    EXPECT_TRUE(said.contains("Rack R1002 (id 502) stays held for employee 101 at PARTICLE COUNT: the laboratory did not take it back. It "
                              "could not be noted in " +
                              file + ": it stays held at the laboratory until it is given back by hand."))
        << said.toStdString();
    EXPECT_FALSE(said.contains("The station gives it back")) << said.toStdString();
}

}  // namespace
