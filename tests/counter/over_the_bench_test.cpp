// The counter dialog over the real bench: a sample offered to the bath waits for its
// bath time, then runs on the counter simulator and comes back with the whole report.
#include "../bench/bench_fixture.h"
#include "bench/counter_link.h"
#include "bench/counter_port.h"
#include "bench/form_action.h"
#include "common/station_config.h"
#include "simulated_counter.h"

#include "qstring_printer.h"

#include <QFile>

namespace {

class CounterOverTheBench : public BenchTest {
protected:
    void SetUp() override
    {
        BenchTest::SetUp();
        counterPort::setMaker({});
        simulator::Options options = quickCounter(simulator::Chunks::Random);
        options.leadLineEnd = true;
        counter = std::make_unique<simulator::CounterSimulator>(options);
        ASSERT_TRUE(counter->start());
        QFile ini(stationFolder.filePath(QStringLiteral("station.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[counter]\nserial_device = " + counter->devicePath().toLocal8Bit() + "\n");
        ini.close();
        readStationConfig(stationFolder.path());
    }

    void TearDown() override
    {
        ui::Default_Instance<form_Action>::Unload();
        BenchTest::TearDown();
    }

    std::unique_ptr<simulator::CounterSimulator> counter;
};

TEST_F(CounterOverTheBench, SampleRunsOnceItsBathTimeIsOver)
{
    Form_Test& b = bench();
    benchRack("R1001");
    ASSERT_TRUE(offer(1));
    const QString sample = lab.labNumberAt("R1001", 1);
    ASSERT_EQ(b.lbl_wo[3]->caption().trimmed(), sample);

    form_Action::Sample_Id = sample;
    form_Action::Bath_Index = 3;
    commonModule::Curr_Lab_Number = sample;
    QStringList buttonTags;
    ui::ModalResponders responders;
    responders.add([&](QDialog* w) {
        auto& d = *qobject_cast<form_Action*>(w);
        ASSERT_TRUE(waitForCommands(*counter, 1));
        // The bath counts down its shake and bath time; the dialog follows each second.
        for (int s = 0; s <= b.Bath_Time; ++s) {
            b.Timer1_Timer();
            d.Timer1_Timer();
            buttonTags << ui::tag(d.img_RunSample).toString();
            stationClock::advanceClock(1);
        }
        QTest::mouseClick(d.img_RunSample, Qt::LeftButton);
        ASSERT_TRUE(waitForCommands(*counter, 2));
        QTest::mouseClick(d.img_RunSample, Qt::LeftButton);
        ASSERT_TRUE(waitForCommands(*counter, 3));
        QTest::mouseClick(d.img_RunSample, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 10000));
    });
    ui::Default_Instance<form_Action>::loaded().Show_Modal(&b);

    EXPECT_EQ(buttonTags.count(QString()), b.Bath_Time) << "ready at the tick that shows START";
    EXPECT_EQ(buttonTags.last(), "STOP");
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S", "H", "S"}));
    EXPECT_EQ(form_Action::Action_Result, "COUNT");
    EXPECT_TRUE(form_Action::Received_Data.contains(QString::fromLatin1(counter->options().report) + "\r"));
    ui::Default_Instance<form_Action>::Unload();
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
}

}  // namespace
