// A counter report handled by the real bench against the demo laboratory: what is
// stored, asked, shown and logged for a sample, a check and a flush.
#include "bench_fixture.h"

#include "bench/report_catalogue.h"
#include "common_ui/form_alert_yes_no.h"
#include "laboratory_tap.h"
#include "qstring_printer.h"
#include "records/prt_count.h"

#include <QFile>

namespace {

QString Line(const QString& code) { return reportCatalogue::find(code)->line; }

// A catalogue line with fields replaced.
QString Edited(const QString& code, std::initializer_list<std::pair<int, QString>> changes)
{
    QStringList fields = Line(code).split(',');
    for (const auto& [i, text] : changes) fields[i] = text;
    return fields.join(',');
}

QByteArray Contents(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProcessData : public BenchTest {
protected:
    void SetUp() override
    {
        BenchTest::SetUp();
        Form_Test& b = bench();
        sample = b.lbl_wo[0]->caption().trimmed();
        ASSERT_FALSE(sample.isEmpty()) << "the demo bath holds a sample at position 1";
        history = b.lbl_isoCode[0]->caption().trimmed();
        b.Samples_Since_Check = 3;
        commonModule::Rerun_Requested = false;
        commonModule::Curr_PrtCount().saveOk = false;
    }

    // Runs the report for the sample at bath position 1; `answer` taps the re-run question.
    void countSample(const QString& report, std::int16_t answer = Form_AlertYesNo::kNo)
    {
        commonModule::Curr_Lab_Number = sample;
        bench().Count_Index = 0;
        ui::ModalResponders responders;
        responders.add([this, answer](QDialog* w) {
            auto* box = qobject_cast<Form_AlertYesNo*>(w);
            ASSERT_NE(box, nullptr) << w->objectName().toStdString();
            question = box->lbl_Message->caption();
            questionFont = box->lbl_Message->font().pointSize();
            if (answer == Form_AlertYesNo::kYes)
                QTest::mouseClick(box->lbl_Yes, Qt::LeftButton);
            else if (answer == Form_AlertYesNo::kNo)
                QTest::mouseClick(box->lbl_No, Qt::LeftButton);
            else
                QTest::mouseClick(box->lbl_Exit, Qt::LeftButton);
        });
        bench().process_data(report);
        questionsLeft = responders.pending();
    }

    void countControl(const QString& run, const QString& report)
    {
        commonModule::Curr_Lab_Number = run;
        ui::ModalResponders responders;  // any question would go unanswered
        bench().process_data(report);
        unanswered = responders.unanswered();
    }

    int storedCounts() { return lab.scalar("SELECT count(*) FROM pc_counts").toInt(); }

    QStringList newestColumn()
    {
        QStringList out{bench().History->Header_Text(0)};
        for (int k = 0; k < 8; ++k) out << bench().History->Cell_Text(0, k);
        return out;
    }

    QString sample;
    QString history;
    QString question;
    int questionFont = 0;
    int questionsLeft = -1;
    QStringList unanswered;
};

TEST_F(ProcessData, SampleCountIsStoredAsReceivedShownPerVolumeAndLeavesTheBathOnNo)
{
    const int before = storedCounts();
    countSample(Line("13/9"));

    EXPECT_EQ(question, "R1002\r\n\r\nCurrent count is [13/9], history is [" + history + "].  Do you want to rerun the sample?");
    EXPECT_EQ(questionFont, 13);
    EXPECT_EQ(questionsLeft, 0);
    EXPECT_TRUE(commonModule::Curr_PrtCount().saveOk);
    EXPECT_FALSE(commonModule::Rerun_Requested);

    ASSERT_EQ(storedCounts(), before + 1);
    const QVariantList row = lab.rows("SELECT k.SAMPLE_VOLUME, k.PC2M, k.PC5M, k.PC50M, k.PC100M, k.PC200M, k.EMP_NUM,"
                                      " s.LAB_NUMBER FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID"
                                      " ORDER BY k.COUNT_ID DESC LIMIT 1")
                                 .value(0);
    EXPECT_EQ(row.value(0).toInt(), 20);
    EXPECT_EQ(row.value(1).toInt(), 4446);
    EXPECT_EQ(row.value(2).toInt(), 908);
    EXPECT_EQ(row.value(3).toInt(), 0);
    EXPECT_EQ(row.value(6).toInt(), 101);
    EXPECT_EQ(row.value(7).toString(), sample);

    // "No" takes the sample out of the bath, on the screen and in the open batch.
    EXPECT_EQ(bench().lbl_wo[0]->caption(), "");
    EXPECT_FALSE(bathInDatabase().contains(1));

    EXPECT_EQ(bench().Samples_Since_Check, 4);
    EXPECT_EQ(newestColumn(), QStringList({sample, "13/9", "222", "45", "3", "1", "0", "0", "0"}));
    EXPECT_EQ(ui::Default_Instance<form_pcGrid>::get().lbl_CODE->caption(), "13/9");
    EXPECT_EQ(Contents("PC_Active.csv"), "\r\n" + Line("13/9").toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists("PC_STD_Passed.csv"));
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
}

TEST_F(ProcessData, YesAsksForARerunAndExitRemovesLikeNo)
{
    countSample(Line("14/12"), Form_AlertYesNo::kYes);
    EXPECT_TRUE(commonModule::Rerun_Requested);
    EXPECT_EQ(bench().lbl_wo[0]->caption().trimmed(), sample);
    EXPECT_TRUE(bathInDatabase().contains(1));

    // The re-run is registered by the count loop; here the test gives the sample a new test.
    ASSERT_TRUE(commonModule::Curr_PrtCount().Redo_Sample(sample, QString()));
    countSample(Line("14/12"), Form_AlertYesNo::kExit);
    EXPECT_FALSE(commonModule::Rerun_Requested);
    EXPECT_EQ(bench().lbl_wo[0]->caption(), "");
    EXPECT_FALSE(bathInDatabase().contains(1));
}

TEST_F(ProcessData, InvalidCountsAreLoggedButNotStoredNorShown)
{
    const int before = storedCounts();
    for (const char* code : {"2/2", "0/1"}) {
        SCOPED_TRACE(code);
        alerts.messages.clear();
        countSample(Edited("13/9", {{31, QStringLiteral("ISO Code: ") + code}}));
        EXPECT_EQ(alerts.messages, QStringList({"An invalid count was generated."}));
        EXPECT_TRUE(commonModule::Rerun_Requested);
        EXPECT_EQ(questionsLeft, 1) << "no re-run question";
    }
    EXPECT_EQ(storedCounts(), before);
    EXPECT_EQ(bench().History->Cell_Text(0, 0), "");
    EXPECT_EQ(bench().Samples_Since_Check, 3);
    EXPECT_EQ(Contents("PC_Active.csv").count("!LPR1"), 2);

    // 2 and 3 is a count like any other.
    alerts.messages.clear();
    countSample(Edited("13/9", {{31, "ISO Code: 2/3"}}));
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(storedCounts(), before + 1);
}

TEST_F(ProcessData, AReportWithoutIsoCodeStoresNothingAndAsksForTheCountAgain)
{
    const int before = storedCounts();
    countSample(Edited("13/9", {{31, "Code: 13/9"}}));
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages[0].contains("no ISO code"));
    EXPECT_TRUE(commonModule::Rerun_Requested);
    EXPECT_EQ(storedCounts(), before);
    EXPECT_EQ(bench().History->Cell_Text(0, 0), "");
    EXPECT_EQ(bench().lbl_wo[0]->caption().trimmed(), sample);
    EXPECT_EQ(Contents("PC_Active.csv").count("!LPR1"), 1);
}

TEST_F(ProcessData, ATextWithoutTheReportMarkerStoresNothingAndAsksForTheCountAgain)
{
    const int before = storedCounts();
    countSample(QString(Line("13/9")).replace("!LPR1", "!LPRR1"));
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages[0].contains("no report"));
    EXPECT_TRUE(commonModule::Rerun_Requested);
    EXPECT_EQ(storedCounts(), before);
    EXPECT_EQ(questionsLeft, 1) << "no re-run question";
    EXPECT_EQ(bench().lbl_wo[0]->caption().trimmed(), sample);
}

TEST_F(ProcessData, TextBeforeTheReportNeitherShiftsTheFieldsNorReachesTheLog)
{
    countSample("REMOTE+,OK\r\nS\r\n" + Line("16/12") + "\r\n");
    EXPECT_EQ(lab.scalar("SELECT PC2M FROM pc_counts ORDER BY COUNT_ID DESC LIMIT 1").toInt(), 21919);
    EXPECT_EQ(Contents("PC_Active.csv"), "\r\n" + Line("16/12").toUtf8() + "\r\n");
}

TEST_F(ProcessData, TwoReportsInOneReadAreBothLoggedAndTheLastIsCounted)
{
    countSample("OK\r\n" + Line("13/9") + "\r\n" + Line("16/12") + "\r\n");
    EXPECT_EQ(lab.scalar("SELECT PC2M FROM pc_counts ORDER BY COUNT_ID DESC LIMIT 1").toInt(), 21919);
    EXPECT_EQ(Contents("PC_Active.csv"), "\r\n" + Line("13/9").toUtf8() + "\r\n" + Line("16/12").toUtf8() + "\r\n");
}

TEST_F(ProcessData, ALargeCountGoesToTheLaboratoryAsTheWholeNumberReceived)
{
    LaboratoryTap tap;
    countSample(Edited("13/9", {{20, "4000"}, {21, "300000"}, {22, "100000"}}));
    const QStringList stores = tap.statements().filter("import_PC002");
    ASSERT_EQ(stores.size(), 1);
    EXPECT_TRUE(stores[0].contains("@pc50m = '4000', @pc100m = '300000', @pc200m = '100000', ")) << stores[0].toStdString();
}

TEST_F(ProcessData, AFailedStoreIsToldAndTheSampleStaysInTheBath)
{
    LaboratoryTap tap;
    tap.failWhen("import_PC002");
    countSample(Line("17/13"));
    EXPECT_FALSE(commonModule::Curr_PrtCount().saveOk);
    EXPECT_EQ(questionsLeft, 1) << "no re-run question after a failed store";
    ASSERT_FALSE(alerts.messages.isEmpty());
    EXPECT_TRUE(alerts.messages.last().contains(sample));
    EXPECT_TRUE(alerts.messages.last().contains("PC_Active.csv"));
    EXPECT_EQ(bench().lbl_wo[0]->caption().trimmed(), sample);
    EXPECT_TRUE(bathInDatabase().contains(1));
    // Still drawn, added and counted, and the report is in the log.
    EXPECT_EQ(newestColumn().mid(0, 3), QStringList({sample, "17/13", "1987"}));
    EXPECT_EQ(bench().Samples_Since_Check, 4);
    EXPECT_EQ(Contents("PC_Active.csv").count(Line("17/13").toUtf8()), 1);
}

TEST_F(ProcessData, ALogThatCannotBeWrittenDoesNotStopTheCount)
{
    ASSERT_TRUE(QDir().mkdir("PC_Active.csv"));
    const int before = storedCounts();
    countSample(Line("13/9"));
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages[0].contains("PC_Active.csv"));
    EXPECT_EQ(storedCounts(), before + 1);
    EXPECT_EQ(bench().History->Cell_Text(0, 0), "13/9");
}

TEST_F(ProcessData, ThreeNumberCodeIsStoredForASampleButFailsACheck)
{
    const QString report = Edited("13/9", {{31, "ISO Code: 18/16/13"}});
    const int before = storedCounts();
    countSample(report);
    EXPECT_EQ(storedCounts(), before + 1);
    EXPECT_TRUE(question.contains("Current count is [18/16/13]"));

    countControl("CHECK", report);
    EXPECT_EQ(alerts.messages, QStringList({"Check sample not within limits!"}));
    EXPECT_EQ(commonModule::Curr_Lab_Number, "RERUN");
}

TEST_F(ProcessData, CheckWithinLimitsIsLoggedAsPassedAndShown)
{
    Form_Test& b = bench();
    ASSERT_EQ(b.ISO5_CHECK, 15);
    ASSERT_EQ(b.ISO15_CHECK, 13);
    const QString report = Edited("15/11", {{31, "ISO Code: 15/13"}});
    countControl("CHECK", report);
    EXPECT_TRUE(unanswered.isEmpty());
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_FALSE(commonModule::Rerun_Requested);
    EXPECT_EQ(commonModule::Curr_Lab_Number, "CHECK");
    EXPECT_EQ(b.Run_Kind, "IDLE");
    EXPECT_EQ(Contents("PC_STD_Passed.csv"), "\r\n" + report.toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists("PC_STD_Error.csv"));
    EXPECT_EQ(newestColumn(), QStringList({"CHECK", "15/13", "773", "237", "19", "4", "1", "0", "0"}));
    EXPECT_EQ(b.Samples_Since_Check, 3);
}

TEST_F(ProcessData, CheckOneAboveItsLimitIsLoggedAsErrorAndRunAgain)
{
    Form_Test& b = bench();
    for (const char* code : {"16/13", "15/14"}) {
        SCOPED_TRACE(code);
        alerts.messages.clear();
        countControl("CHECK", Edited("15/11", {{31, QStringLiteral("ISO Code: ") + code}}));
        EXPECT_EQ(alerts.messages, QStringList({"Check sample not within limits!"}));
        EXPECT_TRUE(commonModule::Rerun_Requested);
        EXPECT_EQ(commonModule::Curr_Lab_Number, "RERUN");
        EXPECT_EQ(b.Run_Kind, "CHECK");
    }
    EXPECT_EQ(Contents("PC_STD_Error.csv").count("!LPR1"), 2);
    EXPECT_FALSE(QFile::exists("PC_STD_Passed.csv"));
    EXPECT_EQ(b.History->Cell_Text(0, 0), "");
}

TEST_F(ProcessData, FlushAtItsLimitsPassesOneAboveFailsAndNeitherIsAStandard)
{
    Form_Test& b = bench();
    countControl("FLUSH", Edited("15/11", {{31, "ISO Code: 15/13"}}));
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(b.Run_Kind, "IDLE");
    EXPECT_EQ(newestColumn().mid(0, 2), QStringList({"FLUSH", "15/13"}));

    countControl("FLUSH", Edited("15/11", {{31, "ISO Code: 16/13"}}));
    EXPECT_EQ(alerts.messages, QStringList({"Flush count to high!"}));
    EXPECT_EQ(commonModule::Curr_Lab_Number, "RERUN");
    EXPECT_TRUE(commonModule::Rerun_Requested);
    EXPECT_EQ(b.Run_Kind, "FLUSH");
    EXPECT_EQ(b.History->Header_Text(1), "") << "a failed flush adds no column";
    EXPECT_FALSE(QFile::exists("PC_STD_Passed.csv"));
    EXPECT_FALSE(QFile::exists("PC_STD_Error.csv"));
    EXPECT_EQ(Contents("PC_Active.csv").count("!LPR1"), 2);
}

TEST_F(ProcessData, ControlRunWithoutCountsIsNotJudgedButAskedForAgain)
{
    for (const char* run : {"CHECK", "FLUSH"}) {
        SCOPED_TRACE(run);
        alerts.messages.clear();
        countControl(run, "!LPR1,00:00:28.76,BP,RP,GP,LP,8,C,2.00,5.00,ISO Code: 13/9,");
        ASSERT_EQ(alerts.messages.size(), 1);
        EXPECT_TRUE(alerts.messages[0].contains("no counts")) << alerts.messages[0].toStdString();
        EXPECT_TRUE(commonModule::Rerun_Requested);
        EXPECT_EQ(bench().Run_Kind, run);
    }
    EXPECT_FALSE(QFile::exists("PC_STD_Passed.csv"));
    EXPECT_FALSE(QFile::exists("PC_STD_Error.csv"));
    EXPECT_EQ(Contents("PC_Active.csv").count("!LPR1"), 2);
    EXPECT_EQ(bench().History->Cell_Text(0, 0), "");
}

}  // namespace
