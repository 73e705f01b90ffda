// The station ends while it owes the laboratory a rack: a shutdown's SIGTERM (also
// after a SIGPIPE, which it lives through), a logout's SIGTERM and SIGHUP
// together, its X server ending, a kill (a crash, a power cut), its red EXIT while
// the database file is gone. It gives back what it
// can at its end, asks nothing there, and its next start gives back the rest at the
// first login, in the name of whom it was held for. Both starts are the program's
// own, in a process of their own.
#include "fault_fixture.h"

#include "qstring_printer.h"

#include <QRegularExpression>
#include <optional>

namespace {

// An X server of the test's own, as a desktop's; it ends when the test says.
struct VirtualDisplay {
    VirtualDisplay()
    {
        server.start(QStringLiteral("Xvfb"), QStringLiteral("-displayfd 1 -screen 0 1280x1024x24 -nolisten tcp").split(' '));
        if (server.waitForReadyRead(10000)) name = QStringLiteral(":") + QString::fromLatin1(server.readLine()).trimmed();
    }
    ~VirtualDisplay() { end(); }
    void end()
    {
        server.terminate();
        server.waitForFinished(5000);
    }
    // The station on this display. Its keyboard library trips AddressSanitizer's
    // strict string checks (a strndup of a buffer without a NUL), and a process the
    // window system ends holds its windows still: neither is the station's fault.
    QList<std::pair<QString, QString>> stationEnvironment() const
    {
        return {{QStringLiteral("DISPLAY"), name},
                {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
                {QStringLiteral("ASAN_OPTIONS"),
                 qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":strict_string_checks=0:detect_leaks=0")}};
    }

    QProcess server;
    QString name;  // ":N", empty when the server did not start
};

struct StationEnd {
    const char* name;
    enum { BrokenWriteThenShutdown, Shutdown, Logout, DisplayGone, Kill, ExitWithoutDatabase } how;
    bool givenBackAtTheEnd;
    const char* nextLogin = "demo1";  // the first to log in at the next start
    bool underAudit = false;          // the laboratory then refuses R1002's give-back
};

class StationEnds : public FaultyDay, public ::testing::WithParamInterface<StationEnd> {
protected:
    int racksHeldBy(int empNum) { return scalar("SELECT count(*) FROM racks WHERE CURR_USER = ?", {empNum}).toInt(); }
    QVariant holderOf(const QString& desc) { return scalar("SELECT CURR_USER FROM racks WHERE RACK_DESC = ?", {desc}); }
    void refuseGiveBackOfR1002()
    {
        labdb::Database db;
        db.open(folder.filePath("labdata.db"), false, 5000);
        db.script("CREATE TRIGGER audit BEFORE UPDATE OF CURR_USER ON racks WHEN OLD.RACK_ID = 502 AND NEW.CURR_USER IS NULL"
                  " BEGIN SELECT RAISE(ABORT, 'rack under audit'); END");
    }
};

TEST_P(StationEnds, NextStartAndLoginLeaveOneRackHeld)
{
    const StationEnd& end = GetParam();
    const QString database = folder.filePath("labdata.db");
    {
        std::optional<VirtualDisplay> display;
        if (end.how == StationEnd::DisplayGone) {
            display.emplace();
            ASSERT_FALSE(display->name.isEmpty()) << "Xvfb did not start";
        }
        HelperProcess station(QStringLiteral("station"), database, QString(),
                              display ? display->stationEnvironment() : QList<std::pair<QString, QString>>{});
        ASSERT_TRUE(station.waitFor(QStringLiteral("holding R1002")))
            << station.output().toStdString() << station.errorOutput().toStdString();
        ASSERT_EQ(holderOf("R1002").toInt(), 101);
        ASSERT_EQ(racksHeldBy(101), 1);
        switch (end.how) {
        case StationEnd::BrokenWriteThenShutdown:
            station.signal(SIGPIPE);
            EXPECT_FALSE(station.ended(500)) << "ended by a broken write";
            [[fallthrough]];
        case StationEnd::Shutdown:
            station.terminate();
            EXPECT_TRUE(station.finishedNormally(10000)) << "ended by its exit\n" << station.errorOutput().toStdString();
            break;
        case StationEnd::Logout:
            station.signal(SIGTERM);
            station.signal(SIGHUP);
            EXPECT_TRUE(station.finishedNormally(10000)) << "ended by its exit\n" << station.errorOutput().toStdString();
            break;
        case StationEnd::DisplayGone:
            display->end();
            EXPECT_TRUE(station.ended(10000));
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

    // The station starts again in its folder; a technician logs in.
    if (end.underAudit) refuseGiveBackOfR1002();
    HelperProcess next(QStringLiteral("station"), database, QString(),
                       {{QStringLiteral("FAULT_HELPER_LOGIN"), QString::fromLatin1(end.nextLogin)},
                        {QStringLiteral("FAULT_HELPER_NEXT"), QStringLiteral("0")}});
    ASSERT_TRUE(next.waitFor(QStringLiteral("holding"))) << next.output().toStdString() << next.errorOutput().toStdString();
    const QString said = next.output();
    if (end.underAudit) {
        EXPECT_TRUE(said.contains(QRegularExpression("fault-helper: told Rack R1002 could not be given back to the laboratory\\. The "
                                                     "database answered with an error: [^\\n]*rack under audit")))
            << said.toStdString();
        EXPECT_TRUE(said.contains("fault-helper: sign whole: Not held here: rack R1002 has not been given back to the laboratory yet."))
            << said.toStdString();
        EXPECT_EQ(holderOf("R1002").toInt(), 101);
        EXPECT_EQ(racksHeldBy(101), 1) << "no other rack taken";
        return;
    }
    const int who = QByteArray(end.nextLogin) == "demo2" ? 102 : 101;
    EXPECT_FALSE(said.contains("fault-helper: told")) << said.toStdString();
    EXPECT_EQ(holderOf("R1001").toInt(), who);
    EXPECT_TRUE(db::isNull(holderOf("R1002")));
    EXPECT_EQ(racksHeldBy(101), who == 101 ? 1 : 0);
    EXPECT_TRUE(contents(OwedRacks::kFileName).endsWith(QStringLiteral("\n501\t%1\tPARTICLE COUNT\tR1001\n").arg(who).toUtf8()))
        << "only the rack it holds now";
}

INSTANTIATE_TEST_SUITE_P(Ends, StationEnds,
                         ::testing::Values(StationEnd{"shutdown", StationEnd::Shutdown, true},
                                           StationEnd{"broken_write_then_shutdown", StationEnd::BrokenWriteThenShutdown, true},
                                           StationEnd{"logout", StationEnd::Logout, true},
                                           StationEnd{"display_gone", StationEnd::DisplayGone, true},
                                           StationEnd{"kill", StationEnd::Kill, false},
                                           StationEnd{"kill_then_jan_first", StationEnd::Kill, false, "demo2"},
                                           StationEnd{"kill_under_audit", StationEnd::Kill, false, "demo1", true},
                                           StationEnd{"exit_without_database", StationEnd::ExitWithoutDatabase, false}),
                         [](const ::testing::TestParamInfo<StationEnd>& info) { return std::string(info.param.name); });

}  // namespace
