#pragma once

// The whole station on a counting day: the demo laboratory in the station folder,
// the counter simulator on a pseudo-terminal as the station's serial device, the
// real login, rack screen, bench, counter dialog and message boxes. Dialogs are
// answered by responders; the bath's time moves through the clock seam.
#include "../counter/simulated_counter.h"
#include "../shell/shell_fixture.h"
#include "fresh_records.h"

#include "bench/form_action.h"
#include "bench/form_pcgrid.h"
#include "bench/form_test.h"
#include "bench/report_catalogue.h"
#include "common/db_module.h"
#include "common_ui/form_alert.h"
#include "common_ui/form_alert_yes_no.h"
#include "labdb/connection_pool.h"
#include "labdb/labdb.h"
#include "labdb/sqlite_db.h"
#include "records/batch.h"
#include "records/rack.h"
#include "shell/form_search.h"

#include <QFile>
#include <memory>

inline QString catalogueLine(const QString& code) { return reportCatalogue::find(code)->line; }

// A catalogue line carrying another ISO code.
inline QString lineWithCode(const QString& code, const QString& iso)
{
    QStringList fields = catalogueLine(code).split(',');
    fields[31] = QStringLiteral("ISO Code: ") + iso;
    return fields.join(',');
}

class CountingDay : public ::testing::Test {
protected:
    struct Run {
        QString sample_id;
        int bath_index;
        QString banner;
    };

    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        stationClock::setClock(kShiftStart);
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QString error;
        ASSERT_TRUE(labdb::createDatabase(folder.filePath("labdata.db"), true, &error)) << error.toStdString();
        shell::registerStationForm<Form_Test>();
        commonModule::Init_Colors();
        Employee& e = commonModule::Curr_Employee();
        e.Employee_Reset();
        e.Station.clear();
        commonModule::Curr_Test_Group.clear();
        commonModule::Curr_Lab_Number.clear();
        resetRackAndBath();
        form_Action::Action_Result.clear();
        form_Action::Received_Data.clear();

        counter = std::make_unique<simulator::CounterSimulator>(quickCounter());
        ASSERT_TRUE(counter->start(&error)) << error.toStdString();
        QFile ini(folder.filePath("station.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[counter]\nserial_device = %1\n").arg(counter->devicePath()).toUtf8());
    }

    void TearDown() override
    {
        ui::Default_Instance<form_Action>::Unload();
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        ui::Default_Instance<Form_Alert>::Unload();
        ui::Default_Instance<Form_Search>::Unload();
        ui::Default_Instance<Form_KeyInput>::Unload();
        ui::Default_Instance<Form_Test>::Unload();
        ui::Default_Instance<Form_Header>::Unload();
        ui::Default_Instance<Form_Rack>::Unload();
        ui::Default_Instance<Form_Login>::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        counter.reset();
        shell::setStationFormFinder({});
        dbModule::Conn_String.clear();
        labdb::ConnectionPool::clear();
        commonModule::Curr_Employee().Employee_Reset();
        QDir::setCurrent(previousFolder_);
        stationClock::useSystemClock();
        ui::setTwipsPerPixel(0, 0);
    }

    static Form_Test& bench() { return ui::Default_Instance<Form_Test>::get(); }
    static Form_Rack& rackScreen() { return ui::Default_Instance<Form_Rack>::get(); }

    // Anna Berg logs in on the keys; the rack screen's search takes the next rack.
    void logIn()
    {
        ui::ModalResponders responders;
        responders.add(typing(QStringLiteral("demo1")));
        responders.add([](QDialog* w) {
            auto* search = qobject_cast<Form_Search*>(w);
            ASSERT_NE(search, nullptr) << "expected the rack search, got " << w->objectName().toStdString();
            search->Timer1_Timer();
        });
        Form_Login& login = ui::Default_Instance<Form_Login>::loaded();
        login.Show();
        QTest::mouseClick(login.cmd_Login, Qt::LeftButton);
        ASSERT_EQ(responders.pending(), 0);
        ASSERT_TRUE(responders.unanswered().isEmpty()) << responders.unanswered().join(',').toStdString();
        ASSERT_EQ(commonModule::Curr_Employee().Emp_Num, 101);
        ASSERT_TRUE(bench().isVisible());
        ASSERT_FALSE(commonModule::Curr_Rack().Rack_Desc.isEmpty());
    }

    // Taps the next rack position that holds a sample still to count; returns its
    // lab number and the bath position it went to.
    std::pair<QString, int> openSample()
    {
        Rack& rack = commonModule::Curr_Rack();
        for (int i = 0; i < 20; ++i) {
            const RackPositions& p = rack.Pos_Item(i + 1);
            if (p.Sample_Desc.trimmed().isEmpty() || p.Status.trimmed().isEmpty() || p.Status == "DONE") continue;
            if (inBath(p.Sample_Desc.trimmed()) >= 0) continue;
            const QString lab = p.Sample_Desc.trimmed();
            QTest::mouseClick(rackScreen().lbl_sample[i], Qt::LeftButton);
            return {lab, inBath(lab)};
        }
        ADD_FAILURE() << "no sample left to open on rack " << rack.Rack_Desc.toStdString();
        return {QString(), -1};
    }

    static int inBath(const QString& lab)
    {
        for (int i = 0; i < Form_Test::Bath_Size; ++i)
            if (bench().lbl_wo[i]->caption().trimmed() == lab) return i;
        return -1;
    }

    // The bath time passes; the bath timer ticks.
    static void bathTimeOver()
    {
        stationClock::advanceClock(bench().Bath_Time + 1);
        bench().Timer1_Timer();
    }

    // Counts on the simulator: the counter reports `report` when the run button is used.
    ui::ModalResponder counting(const QString& report)
    {
        return [this, report](QDialog* w) {
            auto* d = qobject_cast<form_Action*>(w);
            ASSERT_NE(d, nullptr) << "expected the counter dialog, got " << w->objectName().toStdString();
            noteRun(*d);
            ASSERT_TRUE(remoteTaken());
            counter->options().report = report.toUtf8();
            d->Timer1_Timer();
            const int starts = counter->commands().count("S");
            QTest::mouseClick(d->img_RunSample, Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return counter->commands().count("S") > starts; }, 5000)) << "the counter was not started";
            ASSERT_TRUE(QTest::qWaitFor([&] { return !d->isVisible(); }, 10000)) << "no report came through";
        };
    }

    // Leaves the counter dialog through its close button.
    ui::ModalResponder closing()
    {
        return [this](QDialog* w) {
            auto* d = qobject_cast<form_Action*>(w);
            ASSERT_NE(d, nullptr) << "expected the counter dialog, got " << w->objectName().toStdString();
            noteRun(*d);
            ASSERT_TRUE(remoteTaken());
            QTest::mouseClick(d->img_Close, Qt::LeftButton);
        };
    }

    ui::ModalResponder answering(std::int16_t result)
    {
        return [this, result](QDialog* w) {
            auto* box = qobject_cast<Form_AlertYesNo*>(w);
            ASSERT_NE(box, nullptr) << "expected the question, got " << w->objectName().toStdString();
            questions << box->lbl_Message->caption();
            QTest::mouseClick(result == Form_AlertYesNo::kYes ? box->lbl_Yes : box->lbl_No, Qt::LeftButton);
        };
    }

    ui::ModalResponder acknowledging()
    {
        return [this](QDialog* w) {
            auto* box = qobject_cast<Form_Alert*>(w);
            ASSERT_NE(box, nullptr) << "expected a message, got " << w->objectName().toStdString();
            messages << box->lbl_Message->caption();
            QTest::mouseClick(box->lbl_ok, Qt::LeftButton);
        };
    }

    // Taps the bath position's picture with the responders given, all of which must answer.
    void tapBath(int index, const std::vector<ui::ModalResponder>& answers)
    {
        ui::ModalResponders responders;
        for (const ui::ModalResponder& a : answers) responders.add(a);
        QTest::mouseClick(bench().img_bath[index], Qt::LeftButton);
        EXPECT_EQ(responders.pending(), 0) << "a dialog expected by the test did not come";
        EXPECT_TRUE(responders.unanswered().isEmpty()) << responders.unanswered().join(',').toStdString();
    }

    // Runs a passed check, as the first tap of the day does.
    void passCheck(int index)
    {
        tapBath(index, {counting(catalogueLine("13/9"))});
        ASSERT_EQ(bench().Samples_Since_Check, 0);
    }

    QVariant scalar(const QByteArray& sql, const labdb::Params& params = {})
    {
        labdb::Database db;
        db.open(folder.filePath("labdata.db"), false, 5000);
        return db.scalar(sql, params);
    }

    bool inOpenBatch(const QString& lab)
    {
        return scalar("SELECT count(*) FROM pc_batch_details d JOIN pc_batches b ON b.BATCH_ID = d.BATCH_ID"
                      " JOIN samples s ON s.LAB_ID = d.LAB_ID WHERE b.DATE_COMPLETED IS NULL AND s.LAB_NUMBER = ?",
                      {lab})
                   .toInt() > 0;
    }

    int countsStored(const QString& lab)
    {
        return scalar("SELECT count(*) FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID WHERE s.LAB_NUMBER = ?", {lab}).toInt();
    }

    int readyTests(const QString& lab)
    {
        return scalar("SELECT count(*) FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                      " WHERE s.LAB_NUMBER = ? AND t.TEST_GROUP = 'PrtCount' AND t.STATUS = 'READY'",
                      {lab})
            .toInt();
    }

    static QByteArray contents(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    std::unique_ptr<simulator::CounterSimulator> counter;
    QList<Run> runs;
    QStringList questions;
    QStringList messages;

private:
    void noteRun(form_Action& d)
    {
        runs << Run{form_Action::Sample_Id, form_Action::Bath_Index, d.lbl_Flush->isVisibleTo(&d) ? d.lbl_Flush->caption() : QString()};
    }
    // Every opening of the dialog puts the counter in remote mode.
    bool remoteTaken()
    {
        const int openings = runs.size();
        return QTest::qWaitFor([&] { return counter->commands().count("REMOTE+") >= openings; }, 5000);
    }

    QString previousFolder_;
};
