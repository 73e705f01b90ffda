// The counter dialog over the station's real serial code, against the counter
// simulator on a pseudo-terminal.
#include "alert_recorder.h"
#include "dialog_fixture.h"
#include "simulated_counter.h"

#include "shell/form_login.h"
#include "shell/station_form.h"

#include "qstring_printer.h"

#include <functional>
#include <memory>

namespace {

class CounterDialogOnTheLine : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        counterPort::setMaker({});
        runSample(QStringLiteral("CHECK"), -1);
    }

    void startCounter(const simulator::Options& options)
    {
        ui::Default_Instance<form_Action>::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        counter = std::make_unique<simulator::CounterSimulator>(options);
        QString error;
        ASSERT_TRUE(counter->start(&error)) << error.toStdString();
        ASSERT_TRUE(plugIn(*counter, device()));
        writeStationIni(QStringLiteral("[counter]\nserial_device = %1\n").arg(device()));
    }

    // Shows the dialog modally, as the bench does; `during` acts on it while it is up.
    void showDialog(ui::ModalResponders& responders, const std::function<void(form_Action&)>& during)
    {
        responders.add([&during](QDialog* w) { during(*qobject_cast<form_Action*>(w)); });
        ui::Default_Instance<form_Action>::loaded().Show_Modal();
    }

    static bool waitUntilClosed(form_Action& d)
    {
        return QTest::qWaitFor([&] { return !d.isVisible(); }, 10000);
    }

    // Waits for the counter's remote mode, then starts a count on the ready button.
    void startCount(form_Action& d)
    {
        ASSERT_TRUE(waitForCommands(*counter, 1));
        d.Timer1_Timer();
        tap(d.img_RunSample);
        ASSERT_TRUE(waitForCommands(*counter, 2));
    }

    QString device() const { return folder.filePath(QStringLiteral("ttyCounter")); }

    std::unique_ptr<simulator::CounterSimulator> counter;
    AlertRecorder alerts;
};

TEST_F(CounterDialogOnTheLine, RemoteModeThenRunAndStop)
{
    simulator::Options slow = quickCounter();
    slow.countingMs = 60000;
    startCounter(slow);
    ui::ModalResponders responders;
    showDialog(responders, [&](form_Action& d) {
        startCount(d);
        EXPECT_TRUE(counter->isCounting());
        tap(d.img_RunSample);
        ASSERT_TRUE(waitForCommands(*counter, 3));
        EXPECT_FALSE(counter->isCounting());
        tap(d.img_Close);
        EXPECT_FALSE(d.isVisible()) << "a stopped count is no reason to ask";
    });
    EXPECT_EQ(responders.shown(), QStringList({"form_Action"}));
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S", "H"}));
    EXPECT_EQ(form_Action::Action_Result, "");
    EXPECT_TRUE(alerts.messages.isEmpty());
}

// The station ends (a shutdown, the display gone) while a count runs: the counter
// is stopped without a question or a message, as the screen may be gone.
TEST_F(CounterDialogOnTheLine, CountRunningAtTheStationsEndIsStoppedWithoutAWord)
{
    simulator::Options slow = quickCounter();
    slow.countingMs = 60000;
    startCounter(slow);
    shell::registerStationForm<Form_Test>();
    ui::Default_Instance<Form_Test>::get();  // the bench is up under the dialog
    ui::ModalResponders responders;
    showDialog(responders, [&](form_Action& d) {
        startCount(d);
        ui::Default_Instance<Form_Login>::get().End_Without_Screen();
        EXPECT_TRUE(waitForCommands(*counter, 3));
        tap(d.img_Close);
    });
    shell::setStationFormFinder({});
    ui::Default_Instance<Form_Login>::Unload();
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S", "H"}));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(CounterDialogOnTheLine, ReportInAnyChunksAndAfterALineEndComesThroughWhole)
{
    struct Case {
        simulator::Chunks chunks;
        quint32 seed;
        bool leadLineEnd;
    };
    const Case cases[] = {{simulator::Chunks::Whole, 0, false},  {simulator::Chunks::Whole, 0, true},
                          {simulator::Chunks::Single, 0, false}, {simulator::Chunks::Single, 0, true},
                          {simulator::Chunks::Random, 1, true},  {simulator::Chunks::Random, 7, false}};
    for (const Case& c : cases) {
        simulator::Options options = quickCounter(c.chunks);
        options.seed = c.seed;
        options.leadLineEnd = c.leadLineEnd;
        options.echo = true;
        startCounter(options);
        ui::ModalResponders responders;
        showDialog(responders, [&](form_Action& d) {
            startCount(d);
            EXPECT_TRUE(waitUntilClosed(d));
        });
        const QString report = QString::fromLatin1(options.report);
        EXPECT_EQ(form_Action::Action_Result, "COUNT") << int(c.chunks) << c.leadLineEnd;
        EXPECT_EQ(form_Action::Received_Data.count(QStringLiteral("!LPR1")), 1);
        EXPECT_TRUE(form_Action::Received_Data.contains(report + QLatin1Char('\r'))) << int(c.chunks) << c.leadLineEnd;
        EXPECT_FALSE(form_Action::Received_Data.section(QStringLiteral("!LPR1"), 0, 0).contains(QLatin1Char(',')));
        EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S"}));
    }
}

TEST_F(CounterDialogOnTheLine, SilentCounterIsLeftThroughTheCloseQuestion)
{
    simulator::Options off = quickCounter();
    off.silent = true;
    startCounter(off);
    ui::ModalResponders responders;
    showDialog(responders, [&](form_Action& d) {
        startCount(d);
        QTest::qWait(100);
        responders.add(answer(Form_AlertYesNo::kNo));
        tap(d.img_Close);
        EXPECT_TRUE(d.isVisible());
        responders.add(answer(Form_AlertYesNo::kYes));
        tap(d.img_Close);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(waitForCommands(*counter, 3));
    });
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S", "H"}));
    EXPECT_EQ(form_Action::Action_Result, "");
    EXPECT_EQ(form_Action::Received_Data, "");
}

// A report for no count started here (one that crossed the "H" of the dialog before)
// is kept in the log only, told once, and the line stays open under the message.
TEST_F(CounterDialogOnTheLine, ReportOfNoCountStartedHereIsToldOnceAndTheLineGoesOnUnderTheMessage)
{
    startCounter(quickCounter());
    QByteArray foreign = quickCounter().report;
    foreign.replace("13/9", "17/13");
    const auto foreignLogged = [&] {
        QFile log(folder.filePath(QStringLiteral("PC_Active.csv")));
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count(foreign + "\r\n")) : 0;
    };
    QStringList told;
    ui::ModalResponders responders;
    showDialog(responders, [&](form_Action& d) {
        ASSERT_TRUE(waitForCommands(*counter, 1));
        d.Timer1_Timer();
        const auto recorder = commonModule::Set_Alert_Presenter([&](const QString& m) {
            told << m;
            if (told.size() > 1) return;
            // While the message is up: another stray report, then this dialog's own count.
            counter->send(foreign + "\r\n");
            EXPECT_TRUE(QTest::qWaitFor([&] { return foreignLogged() == 2; }, 5000));
            tap(d.img_RunSample);
            EXPECT_TRUE(waitUntilClosed(d));
        });
        counter->send(foreign + "\r\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 10000));
        commonModule::Set_Alert_Presenter(recorder);
    });
    EXPECT_EQ(told, QStringList({"The counter sent a report for no count started in this dialog. It is kept in PC_Active.csv and was "
                                 "not stored."}));
    EXPECT_EQ(foreignLogged(), 2);
    EXPECT_EQ(form_Action::Action_Result, "COUNT");
    EXPECT_TRUE(form_Action::Received_Data.contains(QString::fromLatin1(quickCounter().report)));
    EXPECT_FALSE(form_Action::Received_Data.contains(QStringLiteral("17/13")));
}

TEST_F(CounterDialogOnTheLine, DeviceThatDoesNotExistIsToldAndTheDialogCanBeLeft)
{
    writeStationIni(QStringLiteral("[counter]\nserial_device = /dev/no-such-counter\n"));
    ui::ModalResponders responders;
    showDialog(responders, [&](form_Action& d) {
        d.Timer1_Timer();
        tap(d.img_RunSample);
        EXPECT_EQ(d.dialogState(), "IDLE");
        tap(d.img_Close);
    });
    ASSERT_EQ(alerts.messages.size(), 2);
    EXPECT_TRUE(alerts.messages[0].startsWith("Cannot connect to device /dev/no-such-counter"));
    EXPECT_EQ(alerts.messages[1], alerts.messages[0]);
    EXPECT_FALSE(ui::Default_Instance<form_Action>::get().isVisible());
}

TEST_F(CounterDialogOnTheLine, CounterSwitchedOffIsToldAtTheNextTap)
{
    startCounter(quickCounter());
    ui::ModalResponders responders;
    showDialog(responders, [&](form_Action& d) {
        ASSERT_TRUE(waitForCommands(*counter, 1));
        d.Timer1_Timer();
        unplug(*counter, device());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !d.MSComm1->port().isOpen(); }, 5000));
        tap(d.img_RunSample);
        EXPECT_EQ(alerts.messages.size(), 1) << "the counter is off";
        EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "STOP");
        tap(d.img_Close);
    });
    EXPECT_EQ(form_Action::Action_Result, "");
}

}  // namespace
