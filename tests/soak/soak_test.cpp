// A long counting day on the whole station: rack after rack of a generated
// laboratory goes through the bath and the counter simulator (checks, flushes,
// re-runs, invalid counts and failed checks as they fall due), every count stored
// and every sample taken out again. At the end every count is in the database and in
// "PC_Active.csv" exactly once, the open batch is empty and the memory has not grown.
//
// CTest counts a few racks. By hand, for ten thousand samples:
//   STATION_SOAK_SAMPLES=10000 QT_QPA_PLATFORM=offscreen build/tests/test_soak
#include "../counting/counting_fixture.h"

#include "alert_recorder.h"
#include "soak_laboratory.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>
#include <unistd.h>

namespace {

int soakSamples()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("STATION_SOAK_SAMPLES", &ok);
    return ok && n > 0 ? n : 300;
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

class Soak : public CountingDay {
protected:
    void SetUp() override
    {
        CountingDay::SetUp();
        if (HasFatalFailure()) return;
        target = soakSamples();
        QString error;
        ASSERT_TRUE(soak::addSampleRacks(folder.filePath("labdata.db"), target + 20, &error)) << error.toStdString();
        counter->options().countingMs = 2;
        day.resize(target + 1000);
    }

    // Every window the station shows on the way, answered as a technician would.
    void answer(QDialog* w)
    {
        if (auto* d = qobject_cast<form_Action*>(w)) return count(*d);
        if (auto* box = qobject_cast<Form_AlertYesNo*>(w)) {
            const QString message = box->lbl_Message->caption();
            bool yes = false;
            if (message.contains(QLatin1String("Do you want to rerun the sample?"))) {
                const int i = place(currentRun);
                ++day[i].stored;
                ++storedTotal;
                // Every 29th sample is counted again once.
                yes = i % 29 == 28 && day[i].stored == 1;
                if (yes) ++reruns;
            }
            QTest::mouseClick(yes ? box->lbl_Yes : box->lbl_No, Qt::LeftButton);
            return;
        }
        if (auto* box = qobject_cast<Form_Alert*>(w)) {
            expectedMessage(box->lbl_Message->caption());
            QTest::mouseClick(box->lbl_ok, Qt::LeftButton);
            return;
        }
        if (auto* search = qobject_cast<Form_Search*>(w)) return search->Timer1_Timer();
        ADD_FAILURE() << "unexpected window " << w->objectName().toStdString();
        w->hide();
    }

    // Only a failed check and an invalid count have something to tell.
    void expectedMessage(const QString& m)
    {
        EXPECT_TRUE(m == "Check sample not within limits!" || m == "An invalid count was generated.") << m.toStdString();
    }

    // The report the counter gives this run: a serial number and the run's id in
    // fields the bench does not read, so that every line in the log is its own.
    QString reportFor(const QString& run)
    {
        QString code = QStringLiteral("13/9");
        QString iso;
        if (run == QLatin1String("CHECK")) {
            if (++checks % 7 == 0) iso = QStringLiteral("16/13");  // fails; the check runs again
        } else if (run == QLatin1String("FLUSH")) {
            ++flushes;
        } else {
            const int i = place(run);
            const int attempt = day[i].attempts++;
            static const char* const clean[] = {"13/9", "14/12", "15/11", "14/9", "16/12"};
            code = QString::fromLatin1(clean[i % 5]);
            if (i % 23 == 22) code = QStringLiteral("22/21");  // dirty: the next sample wants a flush
            if (i % 31 == 30 && attempt == 0) {
                iso = QStringLiteral("2/2");  // invalid; counted again
                ++invalids;
            }
        }
        QStringList fields = catalogueLine(code).split(',');
        if (!iso.isEmpty()) fields[31] = QStringLiteral("ISO Code: ") + iso;
        fields[28] = QString::number(++serial);
        fields[29] = run;
        return fields.join(',');
    }

    void count(form_Action& d)
    {
        currentRun = form_Action::Sample_Id;
        const int openings = ++dialogs;
        // Every opening of the dialog takes the counter into remote mode; the
        // simulator's traffic is forgotten after each run.
        ASSERT_TRUE(QTest::qWaitFor([&] { return counter->commands().contains("REMOTE+"); }, 5000))
            << "the counter was not taken into remote mode at opening " << openings;
        const QString report = reportFor(currentRun);
        counter->options().report = report.toUtf8();
        d.Timer1_Timer();
        const int starts = counter->commands().count("S");
        QTest::mouseClick(d.img_RunSample, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return counter->commands().count("S") > starts; }, 5000)) << "the counter was not started";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 10000)) << "no report came through";
        counter->forgetTraffic();
    }

    // Taps with the technician standing by for whatever comes.
    void withTechnician(const std::function<void()>& act)
    {
        ui::ModalResponders responders;
        for (int i = 0; i < 40; ++i) responders.add([this](QDialog* w) { answer(w); });
        act();
        EXPECT_TRUE(responders.unanswered().isEmpty()) << responders.unanswered().join(',').toStdString();
    }

    // The bath positions that hold a sample.
    QList<int> occupied()
    {
        QList<int> out;
        for (int i = 0; i < Form_Test::Bath_Size; ++i)
            if (!bench().lbl_wo[i]->caption().trimmed().isEmpty()) out << i;
        return out;
    }

    // Opens the rack's samples still to count into the bath; the number opened.
    int fillBath()
    {
        int opened = 0;
        Rack& rack = commonModule::Curr_Rack();
        for (int i = 0; i < 20 && occupied().size() < Form_Test::Bath_Size; ++i) {
            const RackPositions& p = rack.Pos_Item(i + 1);
            const QString lab = p.Sample_Desc.trimmed();
            if (lab.isEmpty() || p.Status.trimmed() != QLatin1String("READY") || inBath(lab) >= 0 || tried.contains(lab)) continue;
            tried.insert(lab);
            withTechnician([&] { QTest::mouseClick(rackScreen().lbl_sample[i], Qt::LeftButton); });
            if (inBath(lab) >= 0) ++opened;
        }
        return opened;
    }

    // Counts every sample whose bath time is over.
    void countBath()
    {
        bathTimeOver();
        for (int i : occupied()) {
            if (bench().lbl_inBath[i]->caption() != QLatin1String("START")) continue;
            withTechnician([&] { QTest::mouseClick(bench().img_bath[i], Qt::LeftButton); });
            if (HasFatalFailure()) return;
            if (bench().lbl_wo[i]->caption().trimmed().isEmpty()) ++counted;
            if (counted == 1000 && memoryAt1000 == 0) memoryAt1000 = residentMegabytes();
        }
    }

    QList<QVariantList> rowsOf(const QByteArray& sql, const labdb::Params& params)
    {
        labdb::Database db;
        db.open(folder.filePath("labdata.db"), false, 5000);
        return db.rows(sql, params);
    }

    bool nextRack()
    {
        const QString before = commonModule::Curr_Rack().Rack_Desc;
        withTechnician([&] { QTest::mouseClick(rackScreen().bttn_Nav[1], Qt::LeftButton); });
        const bool moved = commonModule::Curr_Rack().Rack_Desc != before;
        if (moved) racks << commonModule::Curr_Rack().Rack_Desc;
        tried.clear();
        return moved;
    }

    // A sample's place in the day: its number for the generated ones, after them for
    // the demo laboratory's own.
    int place(const QString& lab)
    {
        if (lab.startsWith(QLatin1String("06"))) return lab.mid(2).toInt();
        if (!demoPlaces.contains(lab)) demoPlaces.insert(lab, target + 21 + int(demoPlaces.size()));
        return demoPlaces.value(lab);
    }
    struct SampleDay {
        int attempts = 0;  // reports sent
        int stored = 0;    // counts the station said it stored
    };

    int target = 0;
    int counted = 0;  // samples counted, stored and out of the bath
    int dialogs = 0, serial = 0, checks = 0, flushes = 0, invalids = 0, reruns = 0, storedTotal = 0;
    double memoryAt1000 = 0;
    QString currentRun;
    // Sized at the start so that the bookkeeping does not grow with the day.
    std::vector<SampleDay> day;
    QHash<QString, int> demoPlaces;
    QSet<QString> tried;  // on the rack being counted
    QStringList racks;    // taken after the first
};

TEST_F(Soak, RackAfterRackEveryCountStoredAndLoggedOnce)
{
    QElapsedTimer clock;
    clock.start();
    AlertRecorder alerts;
    logIn();
    ASSERT_FALSE(HasFatalFailure());
    const qlonglong lastCountBefore = scalar("SELECT coalesce(max(COUNT_ID), 0) FROM pc_counts").toLongLong();

    int idleRounds = 0;
    while (counted < target && idleRounds < 3) {
        const int before = counted;
        if (fillBath() == 0 && occupied().isEmpty() && !nextRack()) break;
        countBath();
        ASSERT_FALSE(HasFatalFailure());
        for (const QString& m : alerts.messages) expectedMessage(m);
        alerts.messages.clear();
        idleRounds = counted == before ? idleRounds + 1 : 0;
    }
    // The day ends with the bath emptied.
    for (int round = 0; round < 5 && !occupied().isEmpty(); ++round) countBath();
    for (const QString& m : alerts.messages) expectedMessage(m);
    const double memoryAtEnd = residentMegabytes();
    const double seconds = clock.elapsed() / 1000.0;

    EXPECT_GE(counted, target);
    EXPECT_TRUE(occupied().isEmpty());
    EXPECT_EQ(scalar("SELECT count(*) FROM pc_batch_details d JOIN pc_batches b ON b.BATCH_ID = d.BATCH_ID"
                     " WHERE b.DATE_COMPLETED IS NULL")
                  .toInt(),
              0)
        << "the open batch is empty";

    // Every count the station stored is in the laboratory once, and nothing else.
    QHash<QString, int> inDatabase;
    int storedInDatabase = 0;
    for (const QVariantList& row : rowsOf("SELECT s.LAB_NUMBER, count(*) FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID"
                                          " WHERE k.COUNT_ID > ? GROUP BY s.LAB_NUMBER",
                                          {lastCountBefore})) {
        inDatabase.insert(row[0].toString(), row[1].toInt());
        storedInDatabase += row[1].toInt();
    }
    EXPECT_EQ(storedInDatabase, storedTotal);
    for (auto it = inDatabase.cbegin(); it != inDatabase.cend(); ++it)
        EXPECT_EQ(it.value(), day[place(it.key())].stored) << it.key().toStdString();
    EXPECT_EQ(scalar("SELECT count(*) FROM (SELECT TEST_ID FROM pc_counts GROUP BY TEST_ID HAVING count(*) > 1)").toInt(), 0);

    // Every report the counter gave is in the log once: serial numbers 1 to the last.
    std::vector<int> logged(serial + 1, 0);
    int strangers = 0;
    for (const QByteArray& line : contents("PC_Active.csv").split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.size() <= 29) continue;
        bool ok = false;
        const int n = fields[28].toInt(&ok);
        if (ok && n >= 1 && n <= serial)
            ++logged[n];
        else
            ++strangers;
    }
    EXPECT_EQ(strangers, 0);
    for (int n = 1; n <= serial; ++n) EXPECT_EQ(logged[n], 1) << "report " << n;

    // What the day held besides plain counts.
    EXPECT_GT(checks, target / 15);
    EXPECT_GT(flushes, 0);
    EXPECT_GT(invalids, 0);
    EXPECT_GT(reruns, 0);

    EXPECT_GE(racks.filter(QRegularExpression(QStringLiteral("^S\\d{4}$"))).size(), (target - 100) / 20)
        << "the generated racks were counted: " << racks.join(',').toStdString();
    std::printf("%d racks, %d samples in %.1f s (%.1f ms a sample): %d reports, %d counts stored and %d in the database,"
                " %d checks, %d flushes, %d re-runs, %d invalid counts; resident memory %.1f MB after 1,000,"
                " %.1f MB at the end\n",
                int(racks.size()) + 1, counted, seconds, 1000.0 * seconds / std::max(counted, 1), serial, storedTotal, storedInDatabase,
                checks, flushes, reruns, invalids, memoryAt1000, memoryAtEnd);
#ifndef __SANITIZE_ADDRESS__
    // The address sanitizer's shadow memory and quarantine make resident memory say
    // nothing about the station's own, so the limits hold for the plain build only.
    EXPECT_LT(memoryAtEnd, 100.0);
    if (memoryAt1000 > 0) {
        EXPECT_LT(memoryAtEnd - memoryAt1000, 5.0);
    }
#endif
}

}  // namespace
