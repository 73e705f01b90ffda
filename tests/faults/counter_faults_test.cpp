// The counter fails the station on the whole road: unplugged while it counts or
// while its report comes in, a report without its ISO field, a report that comes
// one byte at a time. Nothing is stored from a report that did not come whole, a
// whole one is stored once, and the next sample is counted as usual.
#include "fault_fixture.h"

#include "bench/counter_link.h"
#include "qstring_printer.h"

namespace {

using CounterFaults = FaultyDay;

// Starts a count and unplugs the counter once `unplugWhen` holds; the technician
// then leaves the dialog through its close button.
ui::ModalResponder unplugging(std::unique_ptr<simulator::CounterSimulator>& counter, const QString& device, std::function<bool()> unplugWhen)
{
    return [&counter, device, unplugWhen](QDialog* w) {
        auto* d = qobject_cast<form_Action*>(w);
        ASSERT_NE(d, nullptr) << "expected the counter dialog, got " << w->objectName().toStdString();
        ASSERT_TRUE(waitForCommands(*counter, 1));
        d->Timer1_Timer();
        QTest::mouseClick(d->img_RunSample, Qt::LeftButton);
        ASSERT_TRUE(waitForCommands(*counter, 2));
        ASSERT_TRUE(QTest::qWaitFor(unplugWhen, 10000)) << "the moment to unplug never came";
        unplug(*counter, device);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !d->MSComm1->port().isOpen(); }, 5000)) << "the station did not notice";
        EXPECT_TRUE(d->isVisible()) << "nothing came, nothing ends the dialog";
        QTest::mouseClick(d->img_Close, Qt::LeftButton);
        EXPECT_FALSE(d->isVisible());
    };
}

TEST_F(CounterFaults, UnpluggedWhileCountingStoresNothingAndTheNextCounterCounts)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    simulator::Options slow = quickCounter();
    slow.countingMs = 60000;
    plugInAnotherCounter(slow);

    AlertRecorder alerts;
    tapBath(index, {unplugging(counter, folder.filePath("ttyCounter"), [] { return true; }), answering(Form_AlertYesNo::kYes)});
    EXPECT_EQ(questions, QStringList({"The counter is counting. Do you want to stop the count and close?"}));
    // The stop could not reach the counter: the technician is told why.
    ASSERT_EQ(alerts.messages.size(), 1) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(alerts.messages[0].startsWith("Cannot connect to device " + folder.filePath("ttyCounter")))
        << alerts.messages[0].toStdString();
    EXPECT_FALSE(alerts.messages[0].contains("No error")) << alerts.messages[0].toStdString();
    EXPECT_EQ(countsStored(lab), 0);
    EXPECT_EQ(inBath(lab), index);
    EXPECT_TRUE(inOpenBatch(lab));
    EXPECT_EQ(readyTests(lab), 1);
    EXPECT_EQ(bench().History->Header_Text(0), "CHECK") << "nothing is shown as counted";
    EXPECT_EQ(bench().Samples_Since_Check, 0);
    expectWholeOrAbsent(lab);

    plugInAnotherCounter();
    countsAsUsual(lab, index);
    EXPECT_EQ(activeLogLines(catalogueLine("14/12")), 1);
}

TEST_F(CounterFaults, PluggedBackInWhileTheDialogIsUpCountsOnceOnTheNextRun)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    simulator::Options slow = quickCounter();
    slow.countingMs = 60000;
    plugInAnotherCounter(slow);

    AlertRecorder alerts;
    const QString report = catalogueLine("16/12");
    tapBath(index, {[&](QDialog* w) {
                        auto* d = qobject_cast<form_Action*>(w);
                        ASSERT_NE(d, nullptr);
                        ASSERT_TRUE(waitForCommands(*counter, 1));
                        d->Timer1_Timer();
                        QTest::mouseClick(d->img_RunSample, Qt::LeftButton);
                        ASSERT_TRUE(waitForCommands(*counter, 2));
                        unplug(*counter, folder.filePath("ttyCounter"));
                        ASSERT_TRUE(QTest::qWaitFor([&] { return !d->MSComm1->port().isOpen(); }, 5000));

                        // Plugged back in: the stop finds it, in remote mode again, then a new run.
                        simulator::Options back = quickCounter();
                        back.report = report.toUtf8();
                        plugInAnotherCounter(back);
                        QTest::mouseClick(d->img_RunSample, Qt::LeftButton);
                        ASSERT_TRUE(waitForCommands(*counter, 2));
                        EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "H"}));
                        QTest::mouseClick(d->img_RunSample, Qt::LeftButton);
                        ASSERT_TRUE(waitForCommands(*counter, 3));
                        ASSERT_TRUE(QTest::qWaitFor([&] { return !d->isVisible(); }, 10000)) << "no report came through";
                    },
                    answering(Form_AlertYesNo::kNo)});
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "H", "S"}));
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(activeLogLines(report), 1);
    EXPECT_EQ(inBath(lab), -1);
    expectWholeOrAbsent(lab);
}

TEST_F(CounterFaults, UnpluggedHalfWayThroughTheReportStoresNothingOfIt)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    simulator::Options slow = quickCounter(simulator::Chunks::Single);
    slow.chunkDelayMs = 5;
    const QString report = catalogueLine("16/12");
    slow.report = report.toUtf8();
    plugInAnotherCounter(slow);

    AlertRecorder alerts;
    tapBath(index, {unplugging(counter, folder.filePath("ttyCounter"),
                               [] { return form_Action::Received_Data.contains(QStringLiteral("ISO Code")); }),
                    answering(Form_AlertYesNo::kYes)});
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(countsStored(lab), 0);
    EXPECT_EQ(inBath(lab), index);
    EXPECT_EQ(readyTests(lab), 1);
    EXPECT_EQ(contents("PC_Active.csv").count("!LPR1"), 1) << "the check's report only; the broken one is not logged";
    EXPECT_EQ(form_Action::Received_Data, "") << "nothing of it is kept for the next count";
    expectWholeOrAbsent(lab);

    plugInAnotherCounter();
    countsAsUsual(lab, index, QStringLiteral("16/12"));
    EXPECT_EQ(activeLogLines(report), 1);
    EXPECT_EQ(scalar("SELECT k.PC2M FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID WHERE s.LAB_NUMBER = ?", {lab}).toString(),
              catalogueLine("16/12").split(',')[16]);
}

TEST_F(CounterFaults, ReportWithoutItsIsoFieldIsRunAgainAndStoredOnceWhenWhole)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    QStringList fields = catalogueLine("14/12").split(',');
    fields.removeAt(31);
    const QString noIso = fields.join(',');

    AlertRecorder alerts;
    tapBath(index, {counting(noIso), counting(catalogueLine("14/12")), answering(Form_AlertYesNo::kNo)});
    ASSERT_EQ(alerts.messages.size(), 1) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(alerts.messages[0].contains("no ISO code")) << alerts.messages[0].toStdString();
    // The dialog came back for the same sample; the count of the whole report was stored once.
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[2].sample_id, lab);
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(readyTests(lab), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                     " WHERE s.LAB_NUMBER = ? AND t.TEST_GROUP = 'PrtCount'",
                     {lab})
                  .toInt(),
              1)
        << "no re-run is registered for a report that stored nothing";
    EXPECT_EQ(inBath(lab), -1);
    EXPECT_EQ(activeLogLines(noIso), 1) << "every report is logged, the broken one too";
    EXPECT_EQ(bench().History->Header_Text(0), lab);
    EXPECT_EQ(bench().History->Header_Text(1), "CHECK") << "the report without ISO code is not listed";
    expectWholeOrAbsent(lab);
}

TEST_F(CounterFaults, ReportArrivingOneByteAtATimeIsStoredOnceAndWhole)
{
    logIn();
    const auto [lab, index] = openSample();
    const auto [next, other] = openSample();
    bathTimeOver();
    simulator::Options bytes = quickCounter(simulator::Chunks::Single);
    bytes.chunkDelayMs = 2;
    bytes.echo = true;
    bytes.leadLineEnd = true;
    plugInAnotherCounter(bytes);
    passCheck(index);

    const QString report = catalogueLine("17/13");
    tapBath(index, {counting(report), answering(Form_AlertYesNo::kNo)});
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(scalar("SELECT k.PC2M || '/' || k.PC5M || '/' || k.PC15M FROM pc_counts k"
                     " JOIN samples s ON s.LAB_ID = k.LAB_ID WHERE s.LAB_NUMBER = ?",
                     {lab})
                  .toString(),
              QStringList(report.split(',').mid(16, 3)).join('/'));
    EXPECT_EQ(activeLogLines(report), 1);
    EXPECT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("Current count is [17/13]")) << questions[0].toStdString();
    expectWholeOrAbsent(lab);

    // And the next one, with the counter still sending byte by byte.
    countsAsUsual(next, other, QStringLiteral("14/12"));
}

}  // namespace
