// The station ends while it owes the laboratory a rack: a shutdown's SIGTERM, a
// kill (a crash, a power cut), its red EXIT while the database file is gone. It
// gives back what it can at its end, asks nothing there, and its next start gives
// back the rest before the login takes a rack.
#include "fault_fixture.h"

#include "qstring_printer.h"

namespace {

struct StationEnd {
    const char* name;
    enum { Shutdown, Kill, ExitWithoutDatabase } how;
    bool givenBackAtTheEnd;
};

class StationEnds : public FaultyDay, public ::testing::WithParamInterface<StationEnd> {
protected:
    int racksHeldBy(int empNum) { return scalar("SELECT count(*) FROM racks WHERE CURR_USER = ?", {empNum}).toInt(); }
    QVariant holderOf(const QString& desc) { return scalar("SELECT CURR_USER FROM racks WHERE RACK_DESC = ?", {desc}); }
};

TEST_P(StationEnds, NextStartAndLoginLeaveOneRackHeld)
{
    const StationEnd& end = GetParam();
    const QString database = folder.filePath("labdata.db");
    {
        HelperProcess station(QStringLiteral("station"), database);
        ASSERT_TRUE(station.waitFor(QStringLiteral("holding R1002"))) << station.output().toStdString();
        ASSERT_EQ(holderOf("R1002").toInt(), 101);
        ASSERT_EQ(racksHeldBy(101), 1);
        switch (end.how) {
        case StationEnd::Shutdown:
            station.terminate();
            EXPECT_TRUE(station.finishedNormally(10000)) << "ended by its exit\n" << station.errorOutput().toStdString();
            break;
        case StationEnd::Kill:
            station.killHard();
            break;
        case StationEnd::ExitWithoutDatabase:
            ASSERT_TRUE(QFile::rename(database, database + ".away"));
            station.send("exit");
            EXPECT_TRUE(station.finishedNormally(10000)) << "ended without waiting for a tap";
            EXPECT_TRUE(QFile::rename(database + ".away", database));
            {
                const QString said = station.errorOutput();
                EXPECT_TRUE(said.contains("Rack R1002 (id 502) stays held for employee 101 at PARTICLE COUNT")) << said.toStdString();
            }
            break;
        }
        EXPECT_FALSE(station.output().contains("fault-helper: told")) << station.output().toStdString();
    }
    EXPECT_EQ(racksHeldBy(101), end.givenBackAtTheEnd ? 0 : 1);

    // The station starts again in its folder; Anna logs in.
    commonModule::Curr_Rack().Keep_Owed_Racks_In(folder.filePath(OwedRacks::kFileName));
    logIn();
    EXPECT_EQ(racksHeldBy(101), 1);
    EXPECT_TRUE(db::isNull(holderOf("R1002")));
    EXPECT_TRUE(contents(OwedRacks::kFileName).endsWith("\n501\t101\tPARTICLE COUNT\tR1001\n")) << "only the rack it holds now";
}

INSTANTIATE_TEST_SUITE_P(Ends, StationEnds,
                         ::testing::Values(StationEnd{"shutdown", StationEnd::Shutdown, true}, StationEnd{"kill", StationEnd::Kill, false},
                                           StationEnd{"exit_without_database", StationEnd::ExitWithoutDatabase, false}),
                         [](const ::testing::TestParamInfo<StationEnd>& info) { return std::string(info.param.name); });

}  // namespace
