// The counter dialog on a recording port: its load and unload, its two layouts,
// readiness, the run and close buttons and the removals.
#include "../records/technician.h"
#include "alert_recorder.h"
#include "demo_laboratory.h"
#include "dialog_fixture.h"
#include "fake_database.h"
#include "recording_port.h"

#include "qstring_printer.h"

#include <QImage>

namespace {

const QByteArray kReport = "!LPR1,00:00:28.76,BP,RP,GP,LP,8,C,2.00,5.00,15.00,25.00,50.00,100.00,100.00,100.00,4446,908,51,13,0,0,0,0,"
                           "20.00,03/26/04,12:05:03,LAB.TECH,22222222,CHECK,,ISO Code: 13/9,";

class CounterDialog : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        counterPort::setMaker([this] { return std::make_unique<RecordingPort>(log); });
    }

    static RecordingPort& port(form_Action& d) { return static_cast<RecordingPort&>(d.MSComm1->port()); }

    // Opens the dialog for a check, whose run button is ready at the first tick.
    form_Action& openReady()
    {
        runSample(QStringLiteral("CHECK"), -1);
        form_Action& d = open();
        d.Timer1_Timer();
        return d;
    }

    void photo(const QString& relative)
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QFileInfo(relative).path()));
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(Qt::darkYellow);
        ASSERT_TRUE(img.save(folder.filePath(relative), "JPG"));
    }

    RecordingPort::Log log;
    AlertRecorder alerts;
};

TEST_F(CounterDialog, LoadResetsThePortAndPutsTheCounterInRemoteModeUnloadMakesTheStationActive)
{
    form_Action::Received_Data = QStringLiteral("left from the last run");
    form_Action& d = open();
    EXPECT_EQ(log.calls.mid(0, 2), QStringList({"close", "open"}));
    EXPECT_EQ(log.writes, QByteArrayList({"REMOTE+\r"}));
    EXPECT_EQ(form_Action::Received_Data, "");
    EXPECT_EQ(commonModule::App_Status, "IDLE");
    EXPECT_EQ(d.dialogState(), "IDLE");
    EXPECT_TRUE(d.Timer1->isActive());
    EXPECT_EQ(d.Timer1->interval(), 1000);
    EXPECT_EQ(runPicture(d), "bttn_startcounter_idle.jpg");

    stationClock::advanceClock(40);
    ui::Default_Instance<form_Action>::Unload();
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_EQ(commonModule::Last_Activity, stationClock::now());
    EXPECT_FALSE(log.open);
    EXPECT_EQ(log.writes.size(), 1) << "nothing is sent at closing";
}

TEST_F(CounterDialog, SampleLayoutShowsReasonsRemovalAndPhotographsFoundWithoutRegardToCase)
{
    writeStationIni(QStringLiteral("[images]\nsample_share = %1/share\n").arg(folder.path()));
    photo(QStringLiteral("share/Virtual_Directories/img_samples/ziviruzez/btm_01100663_01.JPG"));
    photo(QStringLiteral("share/Virtual_Directories/img_samples/ziviruzez/CLR_01100663_01.jpg"));
    form_Action& d = open();

    EXPECT_EQ(d.lbl_labNumber->caption(), "Labnumber : 01100663");
    EXPECT_EQ(d.lbl_Title->caption(), "Particle count tasks");
    const char* actions[] = {"DELETE", "PRTFILTER", "PRTFILTER", "PRTFILTER", "PRTFILTER"};
    const char* codes[] = {"NOT_ENOUGH", "HIGH_H2O", "HIGH_H2O", "TOO_DARK", "TOO_CLOUDY"};
    for (int i = 0; i < form_Action::Reason_Count; ++i) {
        EXPECT_TRUE(d.img_action[i]->isVisible());
        EXPECT_EQ(d.lbl_action[i]->caption(), actions[i]);
        EXPECT_EQ(ui::tag(d.lbl_action_desc[i]).toString(), codes[i]);
    }
    EXPECT_EQ(d.lbl_action_desc[0]->caption(), "NOT ENOUGH SAMPLE TO PERFORM PRTCOUNT OR PRTFILTER ");
    EXPECT_EQ(d.lbl_remove->caption(), "REMOVE FROM BATH");
    EXPECT_TRUE(d.img_remove->isVisible());
    EXPECT_FALSE(d.fra_Flush->isVisible());
    for (ui::Image* photo : d.img_sample) {
        EXPECT_TRUE(photo->isVisible());
        EXPECT_FALSE(photo->pixmap().isNull());
        EXPECT_EQ(photo->frameShape(), QFrame::Box);
        EXPECT_EQ(ui::Width(photo), 4800);
    }
    EXPECT_TRUE(d.img_sample[0]->picturePath().endsWith("btm_01100663_01.JPG"));
    EXPECT_EQ(ui::Top(d.img_RunSample), 6690 - 150);
    EXPECT_EQ(ui::Top(d.img_Close), 6690 - 150);
    EXPECT_EQ(ui::Height(&d), 6690 + 990);
    EXPECT_EQ(ui::Width(d.shp_bg), 12720 - 45);
    EXPECT_EQ(ui::Height(d.shp_bg), 6690 + 990 - 45);
}

TEST_F(CounterDialog, MissingPhotographsMoveTheButtonsUpAndShortenTheDialog)
{
    form_Action& d = open();
    for (ui::Image* photo : d.img_sample) {
        EXPECT_TRUE(photo->pixmap().isNull());
        EXPECT_EQ(photo->frameShape(), QFrame::NoFrame);
    }
    EXPECT_EQ(ui::Top(d.img_RunSample), 2790 - 150);
    EXPECT_EQ(ui::Top(d.img_Close), 2790 - 150);
    EXPECT_EQ(ui::Height(&d), 2790 + 990);
    ui::Default_Instance<form_Action>::Unload();

    // One photograph is enough to keep the full layout.
    writeStationIni(QStringLiteral("[images]\nsample_share = %1/share\n").arg(folder.path()));
    photo(QStringLiteral("share/virtual_directories/IMG_SAMPLES/ZIVIRUZEZ/CLR_01100663_01.jpg"));
    form_Action& again = open();
    EXPECT_TRUE(again.img_sample[0]->pixmap().isNull());
    EXPECT_FALSE(again.img_sample[1]->pixmap().isNull());
    EXPECT_EQ(ui::Height(&again), 6690 + 990);
}

TEST_F(CounterDialog, CheckAndFlushShowTheirBannerWithoutRemovalOrPhotographs)
{
    for (const char* run : {"CHECK", "FLUSH"}) {
        runSample(QString::fromLatin1(run), -1);
        form_Action& d = open();
        EXPECT_EQ(d.lbl_labNumber->caption(), QStringLiteral("Labnumber : ") + run);
        EXPECT_TRUE(d.fra_Flush->isVisible());
        EXPECT_EQ(d.lbl_Flush->caption(), run == QLatin1String("CHECK") ? "Run Process Control Sample" : "Flush required");
        for (int i = 0; i < form_Action::Reason_Count; ++i) EXPECT_FALSE(d.lbl_action_desc[i]->isVisible());
        EXPECT_FALSE(d.img_remove->isVisible());
        EXPECT_FALSE(d.lbl_remove->isVisible());
        EXPECT_FALSE(d.img_sample[0]->isVisible());
        EXPECT_FALSE(d.img_sample[1]->isVisible());
        EXPECT_EQ(ui::twipRect(d.fra_Flush).width, 12720 - 120);
        EXPECT_EQ(ui::Top(d.img_RunSample), 30 + 1600 + 90);
        EXPECT_EQ(ui::Top(d.img_Close), 30 + 1600 + 90);
        EXPECT_EQ(ui::Height(&d), 30 + 1600 + 1170);
        ui::Default_Instance<form_Action>::Unload();
    }
}

TEST_F(CounterDialog, SampleWaitsForStartOnItsBathPosition)
{
    countdown(4)->setCaption(QStringLiteral("SHAKE"));
    countdown(5)->setCaption(QStringLiteral("START"));
    form_Action& d = open();
    d.Timer1_Timer();
    countdown(4)->setCaption(QStringLiteral("125"));
    d.Timer1_Timer();
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "");
    EXPECT_EQ(runPicture(d), "bttn_startcounter_idle.jpg");
    EXPECT_TRUE(d.Timer1->isActive());

    countdown(4)->setCaption(QStringLiteral("START"));
    d.Timer1_Timer();
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "STOP");
    EXPECT_EQ(runPicture(d), "bttn_startCounter_on.jpg");
    EXPECT_FALSE(d.Timer1->isActive());
}

TEST_F(CounterDialog, SampleWithoutABathPositionIsNeverReadyACheckAtTheFirstTick)
{
    for (int i = 0; i < 3; ++i) countdown(i)->setCaption(QStringLiteral("START"));
    for (std::int16_t index : {std::int16_t(-1), std::int16_t(30)}) {
        runSample(QStringLiteral("01100663"), index);
        form_Action& d = open();
        d.Timer1_Timer();
        EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "") << index;
        ui::Default_Instance<form_Action>::Unload();
    }
    countdown(7)->setCaption(QStringLiteral("88"));
    runSample(QStringLiteral("FLUSH"), 7);
    form_Action& d = open();
    d.Timer1_Timer();
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "STOP");
}

TEST_F(CounterDialog, RunButtonStartsAndStopsOnlyOnceReady)
{
    countdown(4)->setCaption(QStringLiteral("12"));
    form_Action& d = open();
    tap(d.img_RunSample);
    EXPECT_EQ(d.dialogState(), "IDLE");
    EXPECT_EQ(log.writes, QByteArrayList({"REMOTE+\r"}));

    countdown(4)->setCaption(QStringLiteral("START"));
    d.Timer1_Timer();
    tap(d.img_RunSample);
    EXPECT_EQ(log.writes.last(), "S\r");
    EXPECT_EQ(d.dialogState(), "COUNTING");
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "RUN SAMPLE");
    EXPECT_EQ(runPicture(d), "bttn_stopCounter_on.jpg");
    tap(d.img_RunSample);
    EXPECT_EQ(log.writes, QByteArrayList({"REMOTE+\r", "S\r", "H\r"}));
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "STOP");
    EXPECT_EQ(runPicture(d), "bttn_startCounter_on.jpg");
}

TEST_F(CounterDialog, ReportEndsTheDialogWithCountAndTheWholeText)
{
    form_Action& d = openReady();
    tap(d.img_RunSample);
    port(d).receive("OK");
    port(d).receive("\r\n" + kReport.left(30));
    EXPECT_TRUE(d.isVisible());
    port(d).receive(kReport.mid(30));
    port(d).receive("\r\n");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "COUNT");
    EXPECT_EQ(form_Action::Received_Data, QString::fromLatin1("OK\r\n" + kReport + "\r\n"));
    EXPECT_EQ(d.dialogState(), "IDLE");
}

TEST_F(CounterDialog, CloseWhileIdleLeavesWithAnEmptyResult)
{
    form_Action::Action_Result = QStringLiteral("COUNT");
    form_Action& d = open();
    port(d).receive("OK");
    tap(d.img_Close);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "");
    EXPECT_EQ(form_Action::Received_Data, "");
}

TEST_F(CounterDialog, CloseWhileCountingAsksWhetherToStopTheCount)
{
    form_Action& d = openReady();
    tap(d.img_RunSample);
    ui::ModalResponders responders;
    responders.add(answer(Form_AlertYesNo::kNo));
    responders.add(answer(Form_AlertYesNo::kExit));
    responders.add(answer(Form_AlertYesNo::kYes));
    tap(d.img_Close);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.dialogState(), "COUNTING");
    EXPECT_EQ(log.writes.last(), "S\r");

    tap(d.img_Close);
    EXPECT_EQ(questions, QStringList(3, "The counter is counting. Do you want to stop the count and close?"));
    EXPECT_EQ(log.writes.last(), "H\r");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "");
}

TEST_F(CounterDialog, ReportArrivingWhileTheCloseQuestionIsUpStands)
{
    form_Action& d = openReady();
    tap(d.img_RunSample);
    ui::ModalResponders responders;
    responders.add([&](QDialog* w) {
        port(d).receive(kReport);
        port(d).receive("\r\n");
        answer(Form_AlertYesNo::kYes)(w);
    });
    tap(d.img_Close);
    EXPECT_EQ(form_Action::Action_Result, "COUNT");
    EXPECT_EQ(form_Action::Received_Data, QString::fromLatin1(kReport + "\r\n"));
    EXPECT_EQ(log.writes.last(), "S\r");
}

TEST_F(CounterDialog, PlainRemovalLeavesAtOnceEvenWhileCounting)
{
    form_Action& d = openReady();
    tap(d.img_RunSample);
    ui::ModalResponders responders;
    tap(d.lbl_remove);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "REMOVE");
    EXPECT_TRUE(responders.shown().isEmpty());
}

TEST_F(CounterDialog, PortThatCannotOpenIsToldAndTheRunButtonTriesAgain)
{
    log.opens = false;
    form_Action& d = openReady();
    const QString message = QStringLiteral("Cannot connect to device /dev/recorded (No such file or directory)");
    EXPECT_EQ(alerts.messages, QStringList({message}));
    tap(d.img_RunSample);
    EXPECT_EQ(alerts.messages, QStringList({message, message}));
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "STOP");
    EXPECT_EQ(d.dialogState(), "IDLE");
    EXPECT_TRUE(log.writes.isEmpty());

    log.opens = true;
    tap(d.img_RunSample);
    EXPECT_EQ(log.writes, QByteArrayList({"REMOTE+\r", "S\r"}));
    EXPECT_EQ(ui::tag(d.img_RunSample).toString(), "RUN SAMPLE");
    EXPECT_EQ(alerts.messages.size(), 2);
}

class CounterDialogRemoval : public CounterDialog {
protected:
    QList<QVariantList> tests(const QString& labNumber)
    {
        return lab.rows("SELECT t.STATUS, t.TEST_ACTION FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                        " WHERE s.LAB_NUMBER = ? AND t.TEST_GROUP = 'PrtCount' ORDER BY t.RUN_NO",
                        {labNumber});
    }

    DemoLaboratory lab;
    TechnicianAtStation technician{QStringLiteral("PARTICLE COUNT"), 101, QStringLiteral("Anna Berg")};
};

TEST_F(CounterDialogRemoval, ReasonAnsweredYesIsRecordedAndTheSampleRemoved)
{
    const QString labNumber = lab.labNumberAt("R1001", 3);
    runSample(labNumber, 2);
    form_Action& d = open();
    ui::ModalResponders responders;
    responders.add(answer(Form_AlertYesNo::kYes));
    tap(d.lbl_action_desc[3]);
    EXPECT_EQ(questions, QStringList({"Do you want to perform the following action on the specified sample [PRTFILTER]"}));
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "REMOVE");
    EXPECT_EQ(alerts.messages, QStringList({"Sample was removed"}));
    EXPECT_EQ(tests(labNumber).last(), QVariantList({"DONE", "TOO_DARK"}));
}

TEST_F(CounterDialogRemoval, RowsOneAndTwoBothRecordHighWater)
{
    const QString first = lab.labNumberAt("R1001", 4);
    const QString second = lab.labNumberAt("R1001", 8);
    ui::ModalResponders responders;
    responders.add(answer(Form_AlertYesNo::kYes));
    responders.add(answer(Form_AlertYesNo::kYes));
    runSample(first, 0);
    tap(open().img_action[1]);
    ui::Default_Instance<form_Action>::Unload();
    runSample(second, 1);
    tap(open().lbl_action[2]);
    EXPECT_EQ(tests(first).last()[1], "HIGH_H2O");
    EXPECT_EQ(tests(second).last()[1], "HIGH_H2O");
}

TEST_F(CounterDialogRemoval, NoExitCountingOrARefusedRemovalLeaveEverythingAsItWas)
{
    const QString labNumber = lab.labNumberAt("R1001", 6);
    const QList<QVariantList> before = tests(labNumber);
    runSample(labNumber, 0);
    form_Action& d = open();
    ui::ModalResponders responders;
    responders.add(answer(Form_AlertYesNo::kNo));
    responders.add(answer(Form_AlertYesNo::kExit));
    tap(d.img_action[0]);
    tap(d.lbl_action[4]);
    EXPECT_EQ(questions.size(), 2);

    countdown(0)->setCaption(QStringLiteral("START"));
    d.Timer1_Timer();
    tap(d.img_RunSample);
    tap(d.img_action[0]);
    EXPECT_EQ(questions.size(), 2) << "no question while counting";

    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "");
    EXPECT_EQ(tests(labNumber), before);
    ui::Default_Instance<form_Action>::Unload();

    // A removal the laboratory refuses keeps the dialog open, without a message.
    runSample(QStringLiteral("99999999"), 0);
    form_Action& unknown = open();
    responders.add(answer(Form_AlertYesNo::kYes));
    tap(unknown.img_action[3]);
    EXPECT_TRUE(unknown.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "");
    EXPECT_TRUE(alerts.messages.isEmpty());
}

// Unlike a refusal, a removal that never got an answer is told: the dialog stays for
// another try.
TEST_F(CounterDialogRemoval, ReasonWithoutAnAnswerOfTheLaboratoryIsToldAndTheDialogStays)
{
    const QString labNumber = lab.labNumberAt("R1001", 5);
    const QList<QVariantList> before = tests(labNumber);
    runSample(labNumber, 2);
    form_Action& d = open();
    ui::ModalResponders responders;
    responders.add(answer(Form_AlertYesNo::kYes));
    {
        FakeDatabase outage;
        outage.setDefault(FakeDatabase::timeOut());
        tap(d.lbl_action_desc[1]);
        EXPECT_EQ(outage.statements().size(), 5) << "after the gateway's retries";
    }
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(form_Action::Action_Result, "");
    EXPECT_EQ(alerts.messages, QStringList({"Sample " + labNumber +
                                            " was not removed: the laboratory database did not answer, so the reason TOO MUCH WATER "
                                            "PRESENT was not recorded. The sample stays in the bath. Please try the removal again."}));
    EXPECT_EQ(tests(labNumber), before);
}

}  // namespace
