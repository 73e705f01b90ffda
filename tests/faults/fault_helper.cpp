// The helper the fault tests start as a process of its own (this test program run
// again with its filter): another program holding the database's write lock, a
// station storing a count that may be stopped at a chosen moment of the store and
// killed there, or a whole station at work until it is ended. Disabled in ordinary
// runs.
#include "../shell/shell_fixture.h"

#include "app/station_start.h"
#include "common/alert.h"
#include "common/db_module.h"
#include "labdb/connection_pool.h"
#include "labdb/embedded_connection.h"
#include "labdb/sqlite_db.h"
#include "records/prt_count.h"
#include "records/rack.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

void say(const QString& line)
{
    std::fputs(("fault-helper: " + line + "\n").toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

// Stands still until the test kills the process; ends by itself after a minute
// should the test have gone.
[[noreturn]] void standStill()
{
    say(QStringLiteral("stopped"));
    std::this_thread::sleep_for(std::chrono::seconds(60));
    std::_Exit(3);
}

struct StopPlan {
    int atRow = 0;          // the n-th row change of the store, 0 for none
    bool atCommit = false;  // as the store's transaction commits
    int rows = 0;
};

void rowChanged(void* p, int, const char*, const char* table, sqlite3_int64)
{
    auto* plan = static_cast<StopPlan*>(p);
    ++plan->rows;
    say(QStringLiteral("row %1 %2").arg(plan->rows).arg(QString::fromLatin1(table)));
    if (plan->rows == plan->atRow) standStill();
}

int committing(void* p)
{
    if (static_cast<StopPlan*>(p)->atCommit) standStill();
    return 0;
}

// The station's store of one count through its gateway, on a kept handle that
// reports every row change of the store.
void storeCount(const QString& database, const QString& lab, const QString& stop)
{
    StopPlan plan;
    if (stop == QLatin1String("commit"))
        plan.atCommit = true;
    else if (stop.startsWith(QLatin1String("row:")))
        plan.atRow = stop.mid(4).toInt();

    dbModule::Conn_String = QStringLiteral("EMBEDDED=") + database;
    {
        labdb::EmbeddedConnection first;
        ASSERT_TRUE(first.open(dbModule::Conn_String, QString(), QString()));
    }
    const QString file = QFileInfo(database).canonicalFilePath();
    std::unique_ptr<labdb::Database> db = labdb::ConnectionPool::take(file);
    ASSERT_TRUE(db);
    sqlite3_update_hook(db->handle(), rowChanged, &plan);
    sqlite3_commit_hook(db->handle(), committing, &plan);
    labdb::ConnectionPool::give(file, std::move(db));

    PrtCount record;
    record.Save_Results(lab, 101, QStringLiteral("20.00"), QStringLiteral("4446"), QStringLiteral("908"), QStringLiteral("51"),
                        QStringLiteral("13"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QString());
    say(QStringLiteral("saved %1 after %2 rows").arg(record.saveOk ? 1 : 0).arg(plan.rows));
    if (stop == QLatin1String("after")) standStill();
}

// Another program's write transaction, held for the time given or, without one,
// until the test closes our input.
void holdWriteLock(const QString& database, int ms)
{
    labdb::Database db;
    db.open(database, false, 5000);
    db.script("BEGIN IMMEDIATE");
    say(QStringLiteral("locked"));
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
        }
    }
    db.script("ROLLBACK");
    say(QStringLiteral("released"));
}

// The rack search of a navigation lets its one-second choice happen.
void choosingByItself(QDialog* w)
{
    auto* search = qobject_cast<Form_Search*>(w);
    ASSERT_NE(search, nullptr) << "expected the rack search, got " << w->objectName().toStdString();
    search->Timer1_Timer();
}

// The station started in the folder of the database by the program's own start: a
// technician logs in (FAULT_HELPER_LOGIN, Anna's demo1 without it) and moves on to
// the next rack with NEXT, unless FAULT_HELPER_NEXT is 0. It then stays up until it
// is ended: by a signal, a kill, the end of its display, or the red EXIT when a
// line "exit" comes on its input. What it would show in a message box it tells on
// its output, and the rack screen's sign, when one is up, with whether it is drawn
// whole.
void runStation(const QString& database)
{
    QDir::setCurrent(QFileInfo(database).absolutePath());
    commonModule::Set_Alert_Presenter([](const QString& message) { say(QStringLiteral("told ") + message.simplified()); });
    Form_Login& login = startStation();
    const QString password = qEnvironmentVariable("FAULT_HELPER_LOGIN", QStringLiteral("demo1"));
    {
        ui::ModalResponders responders;
        responders.add(typing(password));
        responders.add(choosingByItself);
        QTest::mouseClick(login.cmd_Login, Qt::LeftButton);
        ASSERT_EQ(responders.pending(), 0);
    }
    Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    if (qEnvironmentVariable("FAULT_HELPER_NEXT") != QLatin1String("0")) {
        ui::ModalResponders responders;
        responders.add(choosingByItself);
        rack.bttn_Nav_Click(1);
        ASSERT_EQ(responders.pending(), 0);
    }
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[16] = {};
        if (::read(0, line, sizeof line - 1) > 0 && QByteArray(line).startsWith("exit")) rack.img_Exit_Click();
    });
    if (rack.lbl_RackStatus->isVisible())
        say(QStringLiteral("sign ") + (drawnToItsEnd(rack.lbl_RackStatus) ? QStringLiteral("whole: ") : QStringLiteral("cut: ")) +
            rack.lbl_RackStatus->caption());
    say(QStringLiteral("holding ") + commonModule::Curr_Rack().Rack_Desc);
    QCoreApplication::exec();
}

}  // namespace

TEST(DISABLED_FaultHelper, Run)
{
    const QString mode = qEnvironmentVariable("FAULT_HELPER_MODE");
    const QString database = qEnvironmentVariable("FAULT_HELPER_DB");
    if (mode.startsWith(QLatin1String("lock")))
        holdWriteLock(database, mode.section(QLatin1Char(' '), 1).toInt());
    else if (mode.startsWith(QLatin1String("store")))
        storeCount(database, qEnvironmentVariable("FAULT_HELPER_LAB"), mode.section(QLatin1Char(' '), 1));
    else if (mode == QLatin1String("station"))
        runStation(database);
    else
        FAIL() << "no helper mode " << mode.toStdString();
}
