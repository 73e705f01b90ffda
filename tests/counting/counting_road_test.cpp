// A sample's whole road: rack screen, bath, counter dialog on the simulator, count
// processing, database, histogram, history table and logs.
#include "counting_fixture.h"

#include "../bench/laboratory_tap.h"
#include "alert_recorder.h"
#include "bench/iso_code_rules.h"
#include "qstring_printer.h"
#include "simulator_options.h"

namespace {

using Road = CountingDay;

TEST_F(Road, CheckThenSampleStoredDrawnLoggedAndGoneFromTheBath)
{
    logIn();
    Form_Test& b = bench();
    EXPECT_EQ(b.lbl_CountDown->caption(), "15");
    const auto [lab, index] = openSample();
    ASSERT_GE(index, 0);
    EXPECT_TRUE(inOpenBatch(lab));
    EXPECT_NE(b.lbl_inBath[index]->caption(), "START");
    bathTimeOver();
    ASSERT_EQ(b.lbl_inBath[index]->caption(), "START");

    // The first tap of the day runs the process-control check, without a bath position.
    const QString check = catalogueLine("13/9");
    tapBath(index, {counting(check)});
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0].sample_id, "CHECK");
    EXPECT_EQ(runs[0].bath_index, -1);
    EXPECT_EQ(runs[0].banner, "Run Process Control Sample");
    EXPECT_EQ(contents("PC_STD_Passed.csv"), "\r\n" + check.toUtf8() + "\r\n");
    EXPECT_EQ(b.lbl_CountDown->caption(), "15");
    EXPECT_EQ(b.History->Header_Text(0), "CHECK");
    EXPECT_EQ(inBath(lab), index);

    // The next tap runs the sample.
    const QString history = b.lbl_isoCode[index]->caption().trimmed();
    const QString rackName = ui::tag(b.lbl_isoCode[index]).toString();
    const int outstanding = b.lbl_ActiveWo->caption().toInt();
    const QString report = catalogueLine("14/12");
    tapBath(index, {counting(report), answering(Form_AlertYesNo::kNo)});
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[1].sample_id, lab);
    EXPECT_EQ(runs[1].bath_index, index);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], rackName + "\r\n\r\nCurrent count is [14/12], history is [" + history + "].  Do you want to rerun the sample?");

    // Stored as the counter reported it, as the laboratory now gives it back.
    db::Recordset h = dbModule::Get_Recordset("exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '" + lab + "'", true);
    ASSERT_FALSE(h.eof());
    EXPECT_EQ(h.value("ISO").toString(), "14/12");
    EXPECT_EQ(scalar("SELECT k.PC2M FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID WHERE s.LAB_NUMBER = ?", {lab}).toInt(), 6785);
    // Drawn and listed per unit volume.
    EXPECT_EQ(ui::Default_Instance<form_pcGrid>::get().lbl_CODE->caption(), "14/12");
    EXPECT_EQ(b.History->Header_Text(0), lab);
    EXPECT_EQ(b.History->Cell_Text(0, 1), "339");
    EXPECT_EQ(b.History->Header_Text(1), "CHECK");
    // Logged: the check's report, then the sample's.
    EXPECT_EQ(contents("PC_Active.csv"), "\r\n" + check.toUtf8() + "\r\n" + report.toUtf8() + "\r\n");
    // "No": out of the bath and out of the open batch.
    EXPECT_EQ(inBath(lab), -1);
    EXPECT_FALSE(inOpenBatch(lab));
    EXPECT_EQ(b.lbl_CountDown->caption(), "14");
    EXPECT_EQ(b.lbl_ActiveWo->caption().toInt(), outstanding - 1);
    EXPECT_EQ(commonModule::Curr_Lab_Number, lab);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S", "REMOTE+", "S"}));
}

TEST_F(Road, YesRegistersARerunAndOpensTheDialogAgain)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);

    tapBath(index, {counting(catalogueLine("16/12")), answering(Form_AlertYesNo::kYes), closing()});
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[2].sample_id, lab);
    EXPECT_EQ(runs[2].bath_index, index);
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(readyTests(lab), 1) << "the re-run waits in the laboratory";
    EXPECT_EQ(scalar("SELECT count(*) FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID WHERE s.LAB_NUMBER = ?"
                     " AND t.COMMENTS LIKE '%Anna Berg%'",
                     {lab})
                  .toInt(),
              1);
    EXPECT_EQ(inBath(lab), index);
    // The count that is run again does not count towards the next check.
    EXPECT_EQ(bench().Samples_Since_Check, 0);
    EXPECT_EQ(bench().lbl_CountDown->caption(), "15");
    EXPECT_EQ(commonModule::Curr_Lab_Number, "") << "the dialog was closed";
}

TEST_F(Road, FailedCheckRunsAgainUntilItPasses)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    const QString failed = lineWithCode("15/11", "16/13");
    const QString passed = catalogueLine("13/9");
    tapBath(index, {counting(failed), acknowledging(), counting(passed)});
    EXPECT_EQ(messages, QStringList({"Check sample not within limits!"}));
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[1].sample_id, "CHECK");
    EXPECT_EQ(runs[1].bath_index, -1);
    EXPECT_EQ(contents("PC_STD_Error.csv"), "\r\n" + failed.toUtf8() + "\r\n");
    EXPECT_EQ(contents("PC_STD_Passed.csv"), "\r\n" + passed.toUtf8() + "\r\n");
    EXPECT_EQ(bench().Samples_Since_Check, 0);
    EXPECT_EQ(bench().History->Header_Text(0), "CHECK");
    EXPECT_EQ(bench().History->Header_Text(1), "") << "the failed check is not listed";
    EXPECT_EQ(inBath(lab), index);
}

TEST_F(Road, CheckWhoseReportStopsBeforeItsCountsIsNotPassedButRunAgain)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    simulator::CommandLine cut;
    QString error;
    ASSERT_TRUE(simulator::parseCommandLine({"--iso", "13/9", "--no-counts"}, &cut, &error)) << error.toStdString();
    const QString noCounts = QString::fromLatin1(cut.options.report);
    ASSERT_TRUE(noCounts.contains("ISO Code: 13/9"));
    const QString passed = catalogueLine("13/9");

    tapBath(index, {counting(noCounts), acknowledging(), counting(passed)});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("no counts")) << messages[0].toStdString();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[1].sample_id, "CHECK");
    EXPECT_EQ(contents("PC_Active.csv"), "\r\n" + noCounts.toUtf8() + "\r\n" + passed.toUtf8() + "\r\n");
    EXPECT_EQ(contents("PC_STD_Passed.csv"), "\r\n" + passed.toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists("PC_STD_Error.csv"));
    EXPECT_EQ(bench().Samples_Since_Check, 0);
    EXPECT_EQ(inBath(lab), index);
}

TEST_F(Road, DirtyLastCountForcesAFlushBeforeTheNextSample)
{
    logIn();
    const auto [first, a] = openSample();
    const auto [second, b] = openSample();
    ASSERT_GE(b, 0);
    bathTimeOver();
    passCheck(a);
    tapBath(a, {counting(catalogueLine("22/21")), answering(Form_AlertYesNo::kNo)});
    const QString history = bench().lbl_isoCode[b]->caption();
    ASSERT_FALSE(isoRules::Check_ISO_History("22/21", history, bench().ISO5_SAMPLE)) << history.toStdString();

    tapBath(b, {counting(catalogueLine("13/9"))});
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[2].sample_id, "FLUSH");
    EXPECT_EQ(runs[2].bath_index, b);
    EXPECT_EQ(runs[2].banner, "Flush required");
    EXPECT_EQ(inBath(second), b) << "a flush leaves the sample in the bath";
    EXPECT_EQ(countsStored(second), 0);
    EXPECT_EQ(bench().History->Header_Text(0), "FLUSH");
    EXPECT_EQ(bench().Samples_Since_Check, 1);
    EXPECT_FALSE(QFile::exists("PC_STD_Error.csv"));

    // The counter is clean again: the next tap counts the sample.
    tapBath(b, {counting(catalogueLine("14/9")), answering(Form_AlertYesNo::kNo)});
    EXPECT_EQ(runs.last().sample_id, second);
    EXPECT_EQ(countsStored(second), 1);
    EXPECT_EQ(inBath(second), -1);
}

TEST_F(Road, InvalidCountRegistersARerunOfTheSample)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);
    tapBath(index, {counting(lineWithCode("13/9", "2/2")), acknowledging(), closing()});
    EXPECT_EQ(messages, QStringList({"An invalid count was generated."}));
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[2].sample_id, lab);
    EXPECT_EQ(countsStored(lab), 0);
    // The dialog opened again only because the laboratory answered READY; its
    // outstanding run is the re-run.
    EXPECT_EQ(readyTests(lab), 1);
    EXPECT_EQ(inBath(lab), index);
    EXPECT_EQ(bench().History->Header_Text(0), "CHECK");
}

TEST_F(Road, DatabaseGoneBetweenReportAndStoreLosesNothing)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);

    AlertRecorder alerts;
    const QString report = catalogueLine("17/13");
    const QString station = dbModule::Conn_String;
    const ui::ModalResponder count = counting(report);
    tapBath(index, {[&](QDialog* w) {
                count(w);
                dbModule::Conn_String = QStringLiteral("EMBEDDED=") + folder.filePath("gone/labdata.db");
            }});
    dbModule::Conn_String = station;

    EXPECT_TRUE(questions.isEmpty()) << "no re-run question without a stored count";
    ASSERT_FALSE(alerts.messages.isEmpty());
    const auto told = std::find_if(alerts.messages.begin(), alerts.messages.end(),
                                   [&](const QString& m) { return m.contains(lab) && m.contains("PC_Active.csv"); });
    EXPECT_NE(told, alerts.messages.end()) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(contents("PC_Active.csv").contains(report.toUtf8()));
    EXPECT_EQ(inBath(lab), index);
    EXPECT_TRUE(inOpenBatch(lab));
    EXPECT_EQ(countsStored(lab), 0);
    EXPECT_EQ(bench().History->Header_Text(0), lab) << "shown all the same";

    // With the database back the sample is counted as usual.
    tapBath(index, {counting(report), answering(Form_AlertYesNo::kNo)});
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(inBath(lab), -1);
}

TEST_F(Road, RemovalFromTheDialogAndATapOnAFreePosition)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);

    tapBath(index, {[&](QDialog* w) {
                auto* d = qobject_cast<form_Action*>(w);
                ASSERT_NE(d, nullptr);
                QTest::mouseClick(d->img_remove, Qt::LeftButton);
            }});
    EXPECT_EQ(inBath(lab), -1);
    EXPECT_FALSE(inOpenBatch(lab));
    EXPECT_EQ(countsStored(lab), 0);
    EXPECT_EQ(commonModule::Curr_Lab_Number, "");

    // A free position opens nothing.
    bench().Samples_Since_Check = 4;
    tapBath(index, {});
    EXPECT_EQ(bench().lbl_CountDown->caption(), "11");
}

TEST_F(Road, ControlRunsRepeatWithoutTheLaboratoryUntilTheyPass)
{
    logIn();
    const auto [first, a] = openSample();
    const auto [second, b] = openSample();
    bathTimeOver();

    // An invalid check count runs the check again.
    LaboratoryTap tap;
    tapBath(a, {counting(lineWithCode("13/9", "1/1")), acknowledging(), counting(catalogueLine("13/9"))});
    EXPECT_EQ(messages, QStringList({"An invalid count was generated."}));
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[1].sample_id, "CHECK");

    tapBath(a, {counting(catalogueLine("22/21")), answering(Form_AlertYesNo::kNo)});
    ASSERT_FALSE(isoRules::Check_ISO_History("22/21", bench().lbl_isoCode[b]->caption(), bench().ISO5_SAMPLE));

    // A flush one above its limit is flushed again, then passes.
    messages.clear();
    const int statements = tap.statements().size();
    tapBath(b, {counting(lineWithCode("15/11", "15/14")), acknowledging(), counting(lineWithCode("15/11", "15/13"))});
    EXPECT_EQ(messages, QStringList({"Flush count to high!"}));
    ASSERT_EQ(runs.size(), 5);
    EXPECT_EQ(runs[3].sample_id, "FLUSH");
    EXPECT_EQ(runs[4].sample_id, "FLUSH");
    EXPECT_EQ(runs[4].bath_index, b);
    for (const QString& sql : tap.statements().mid(statements)) {
        EXPECT_FALSE(sql.contains("import_PC002") || sql.contains("labtrack_inserttest")) << sql.toStdString();
    }
    EXPECT_EQ(countsStored(second), 0);
    EXPECT_EQ(bench().History->Header_Text(0), "FLUSH");
    EXPECT_EQ(bench().History->Cell_Text(0, 0), "15/13");
    EXPECT_EQ(bench().lbl_CountDown->caption(), "14");
}

TEST_F(Road, RerunRefusedByTheLaboratoryEndsTheRoundsQuietly)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);

    LaboratoryTap tap;
    tap.alter([](const QString& sql, db::Recordset& answer) {
        if (sql.contains("labtrack_inserttest")) answer = db::Recordset({"STATUS"}, {{QStringLiteral("NO_TEST")}});
    });
    tapBath(index, {counting(catalogueLine("16/12")), answering(Form_AlertYesNo::kYes)});
    EXPECT_EQ(runs.size(), 2) << "the dialog does not open again";
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(inBath(lab), index);
    EXPECT_EQ(bench().Samples_Since_Check, 0);
    EXPECT_EQ(bench().lbl_CountDown->caption(), "15");
    EXPECT_TRUE(messages.isEmpty());
}

// The counter answers every command with a line, so the dialog is idle while it counts.
TEST_F(Road, CountLeftInItsDialogIsStoppedAndItsReportNeverLandsOnAnotherSample)
{
    logIn();
    const auto [first, a] = openSample();
    const auto [second, b] = openSample();
    bathTimeOver();
    passCheck(a);
    counter->options().echo = true;
    counter->options().countingMs = 300;
    const QString report = catalogueLine("17/13");
    counter->options().report = report.toUtf8();
    const auto startThenTap = [this](QWidget* (*button)(form_Action&)) {
        return [this, button](QDialog* w) {
            auto& d = *qobject_cast<form_Action*>(w);
            d.Timer1_Timer();
            QTest::mouseClick(d.img_RunSample, Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return counter->isCounting() && d.dialogState() == "IDLE"; }, 5000));
            QTest::mouseClick(button(d), Qt::LeftButton);
        };
    };
    tapBath(a, {startThenTap([](form_Action& d) -> QWidget* { return d.lbl_remove; })});
    tapBath(b, {startThenTap([](form_Action& d) -> QWidget* { return d.img_Close; })});

    // A report of no count of this dialog (one that crossed the "H") is logged only, and told.
    tapBath(b, {[&](QDialog* w) {
                    auto& d = *qobject_cast<form_Action*>(w);
                    ASSERT_TRUE(QTest::qWaitFor([&] { return counter->commands().count("REMOTE+") == 4; }, 5000));
                    counter->send(report.toUtf8() + "\r\n");
                    EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible() || !messages.isEmpty(); }, 5000));
                    EXPECT_TRUE(d.isVisible());
                    QTest::mouseClick(d.img_Close, Qt::LeftButton);
                },
                acknowledging()});
    EXPECT_EQ(counter->commands().mid(2), QStringList({"REMOTE+", "S", "H", "REMOTE+", "S", "H", "REMOTE+"}));
    EXPECT_EQ(counter->reportsSent(), 1) << "only the check's";
    EXPECT_EQ(inBath(first), -1);
    EXPECT_EQ(inBath(second), b);
    EXPECT_EQ(countsStored(first) + countsStored(second), 0);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(messages, QStringList({"The counter sent a report for no count started in this dialog. It is kept in PC_Active.csv "
                                     "and was not stored."}));
    EXPECT_EQ(contents("PC_Active.csv"), "\r\n" + catalogueLine("13/9").toUtf8() + "\r\n" + report.toUtf8() + "\r\n");
}

TEST_F(Road, RemovalAnsweredYesWinsOverAReportThatCameWhileItWasAsked)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);
    counter->options().echo = true;
    counter->options().countingMs = 300;
    tapBath(index, {[&](QDialog* w) {
                        auto& d = *qobject_cast<form_Action*>(w);
                        d.Timer1_Timer();
                        QTest::mouseClick(d.img_RunSample, Qt::LeftButton);
                        ASSERT_TRUE(QTest::qWaitFor([&] { return counter->isCounting() && d.dialogState() == "IDLE"; }, 5000));
                        QTest::mouseClick(d.lbl_action_desc[1], Qt::LeftButton);
                    },
                    [&](QDialog* w) {
                        ASSERT_TRUE(QTest::qWaitFor([] { return !ui::Default_Instance<form_Action>::get().isVisible(); }, 5000))
                            << "the report";
                        answering(Form_AlertYesNo::kYes)(w);
                    },
                    acknowledging()});
    EXPECT_EQ(questions.size(), 1) << "no re-run question";
    EXPECT_EQ(messages, QStringList({"Sample was removed"}));
    EXPECT_EQ(inBath(lab), -1);
    EXPECT_EQ(countsStored(lab), 0);
    EXPECT_EQ(scalar("SELECT t.TEST_ACTION FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID WHERE s.LAB_NUMBER = ?"
                     " AND t.TEST_GROUP = 'PrtCount' ORDER BY t.RUN_NO DESC LIMIT 1",
                     {lab})
                  .toString(),
              "HIGH_H2O");
}

}  // namespace
