#pragma once

#include "alert_recorder.h"
#include "bench/form_pcgrid.h"
#include "bench/form_test.h"
#include "common/common_module.h"
#include "common_ui/form_alert.h"
#include "demo_laboratory.h"
#include "fresh_records.h"
#include "platform/clock/clock.h"
#include "platform/ui/modal.h"
#include "platform/ui/twips.h"
#include "records/batch.h"
#include "records/employee.h"
#include "records/rack.h"
#include "shell/form_header.h"
#include "shell/form_rack.h"
#include "shell/form_search.h"
#include "shell/station_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

inline const QDateTime kBenchStart(QDate(2026, 3, 2), QTime(7, 30));

// A bench on a fresh demo laboratory: Anna Berg (101) at the station, the clock
// fixed, 15 twips per pixel, an empty station folder as the current folder, and the
// station's messages collected instead of shown.
class BenchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        stationClock::setClock(kBenchStart);
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(stationFolder.path());
        shell::registerStationForm<Form_Test>();
        commonModule::Init_Colors();
        Employee& e = commonModule::Curr_Employee();
        e.Employee_Reset();
        e.Emp_Num = 101;
        e.Full_name = QStringLiteral("Anna Berg");
        // The program-wide records start as in a fresh program.
        resetRackAndBath();
        lab.connect();  // after the rack record, whose creation names the station's own database
    }

    void TearDown() override
    {
        ui::Default_Instance<Form_Alert>::Unload();
        ui::Default_Instance<Form_Search>::Unload();
        ui::Default_Instance<Form_Test>::Unload();
        ui::Default_Instance<Form_Header>::Unload();
        ui::Default_Instance<Form_Rack>::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::setStationFormFinder({});
        commonModule::Curr_Employee().Employee_Reset();
        commonModule::Curr_Employee().Station.clear();
        QDir::setCurrent(previousFolder_);
        stationClock::useSystemClock();
        ui::setTwipsPerPixel(0, 0);
    }

    // The bench, loaded the first time; the rack search that the rack screen's load
    // opens is left without a choice, so no rack is on the bench.
    static Form_Test& bench()
    {
        if (!ui::Default_Instance<Form_Test>::exists() || !ui::Default_Instance<Form_Test>::get().isLoaded()) {
            ui::ModalResponders responders;
            responders.add([](QDialog* w) {
                auto* search = qobject_cast<Form_Search*>(w);
                ASSERT_NE(search, nullptr) << "expected the rack search, got " << w->objectName().toStdString();
                QTest::mouseClick(search->lbl_Exit, Qt::LeftButton);
            });
            ui::Default_Instance<Form_Test>::loaded();
        }
        return ui::Default_Instance<Form_Test>::get();
    }

    // Puts a demo rack on the bench, as the rack screen does when it loads one.
    static void benchRack(const QString& desc)
    {
        Rack& rack = commonModule::Curr_Rack();
        rack.Initialize_pos();
        rack.Rack_Desc = desc;
        rack.Rack_Load(desc, QStringLiteral("PrtCount"));
    }

    // Offers the sample at a rack position (1 to 20) of the bench's rack to the bath.
    bool offer(int rackPosition)
    {
        const RackPositions& p = commonModule::Curr_Rack().Pos_Item(rackPosition);
        return bench().Process_Sample(static_cast<std::int16_t>(rackPosition - 1), p.Sample_Desc, p.Status);
    }

    // The bath entries the database holds: position -> lab number.
    QMap<int, QString> bathInDatabase()
    {
        QMap<int, QString> out;
        for (const QVariantList& row :
             lab.rows("SELECT d.POSITION, s.LAB_NUMBER FROM pc_batch_details d JOIN pc_batches b ON b.BATCH_ID = d.BATCH_ID"
                      " JOIN samples s ON s.LAB_ID = d.LAB_ID WHERE b.DATE_COMPLETED IS NULL"))
            out.insert(row[0].toInt(), row[1].toString());
        return out;
    }

    // The bath as the screen shows it: position -> lab number.
    QMap<int, QString> bathOnScreen()
    {
        QMap<int, QString> out;
        for (int i = 0; i < Form_Test::Bath_Size; ++i)
            if (!bench().lbl_wo[i]->caption().trimmed().isEmpty()) out.insert(i + 1, bench().lbl_wo[i]->caption().trimmed());
        return out;
    }

    QStringList countdowns(int first, int last)
    {
        QStringList out;
        for (int i = first; i <= last; ++i) out << bench().lbl_inBath[i]->caption();
        return out;
    }

    QTemporaryDir stationFolder;
    DemoLaboratory lab;
    AlertRecorder alerts;

private:
    QString previousFolder_;
};
