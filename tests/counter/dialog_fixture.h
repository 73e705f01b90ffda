#pragma once

#include "bench/counter_link.h"
#include "bench/counter_port.h"
#include "bench/form_action.h"
#include "bench/form_test.h"
#include "common/common_module.h"
#include "common/station_config.h"
#include "common_ui/form_alert.h"
#include "common_ui/form_alert_yes_no.h"
#include "platform/clock/clock.h"
#include "platform/ui/modal.h"
#include "platform/ui/twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The counter dialog in a station folder of its own, on a fixed clock with 15 twips
// to the pixel, and the bench's bath countdown labels for it to read.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        stationClock::setClock(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder.path());
        commonModule::Init_Colors();
        commonModule::Image_Dir = folder.path() + QStringLiteral("/");
        commonModule::App_Status = QStringLiteral("ACTIVE");
        form_Action::Action_Result.clear();
        form_Action::Received_Data.clear();
        runSample(QStringLiteral("01100663"), 4);
    }

    void TearDown() override
    {
        ui::Default_Instance<form_Action>::Unload();
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        ui::Default_Instance<Form_Test>::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        counterPort::setMaker({});
        commonModule::Curr_Lab_Number.clear();
        QDir::setCurrent(previousFolder_);
        stationClock::useSystemClock();
        ui::setTwipsPerPixel(0, 0);
    }

    // What the bench sets before it opens the dialog.
    static void runSample(const QString& id, std::int16_t bathIndex)
    {
        form_Action::Sample_Id = id;
        form_Action::Bath_Index = bathIndex;
        commonModule::Curr_Lab_Number = id;
    }

    void writeStationIni(const QString& text)
    {
        QFile ini(folder.filePath(QStringLiteral("station.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(text.toUtf8());
        ini.close();
        readStationConfig(folder.path());
    }

    static form_Action& open()
    {
        form_Action& d = ui::Default_Instance<form_Action>::loaded();
        d.show();
        return d;
    }

    // The bench's countdown label of a bath position.
    static ui::Label* countdown(int index)
    {
        Form_Test& bench = ui::Default_Instance<Form_Test>::get();
        if (!bench.lbl_inBath[index]) bench.lbl_inBath[index] = new ui::Label(&bench);
        return bench.lbl_inBath[index];
    }

    static void tap(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    // A responder that answers the question box with one of its three areas and
    // keeps the question.
    ui::ModalResponder answer(std::int16_t result)
    {
        return [this, result](QDialog* w) {
            auto* box = qobject_cast<Form_AlertYesNo*>(w);
            if (!box) return;
            questions << box->lbl_Message->caption();
            tap(result == Form_AlertYesNo::kYes ? box->lbl_Yes : result == Form_AlertYesNo::kNo ? box->lbl_No : box->lbl_Exit);
        };
    }

    static QString runPicture(const form_Action& d) { return QFileInfo(d.img_RunSample->picturePath()).fileName(); }

    QTemporaryDir folder;
    QStringList questions;

private:
    QString previousFolder_;
};
