// The bench's handling of one counter report: logs, the store of an ordinary
// sample's count with the re-run question, the limits of a check or flush, and the
// count's place in the histogram and the history table.
#include "bench/form_test.h"

#include "bench/count_limits.h"
#include "bench/count_logs.h"
#include "bench/count_report.h"
#include "bench/form_pcgrid.h"
#include "common/alert.h"
#include "common/common_module.h"
#include "common_ui/form_alert_yes_no.h"
#include "records/employee.h"
#include "records/prt_count.h"

#include <cmath>

namespace {

const QString kCheck = QStringLiteral("CHECK");
const QString kFlush = QStringLiteral("FLUSH");

// A value for the histogram's bars: what is not a finite number stands at 0.
double numberOrZero(const QVariant& v)
{
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

}  // namespace

void Form_Test::process_data(const QString& received)
{
    using namespace commonModule;
    Rerun_Requested = false;
    const QString kind = Curr_Lab_Number.toUpper();
    if (kind == kCheck)
        Run_Kind = kCheck;
    else if (kind == kFlush)
        Run_Kind = kFlush;

    const countReport::Count_Report report = countReport::Read_Report(received);
    for (const QString& earlier : report.earlier_lines) Write_Active_Log(earlier);
    const bool logged = Write_Active_Log(report.report_line);

    if (!report.has_marker) {
        Show_Alert(QStringLiteral("The counter's answer holds no report, so nothing was stored. "
                                  "Please run the count again."));
        Rerun_Requested = true;
        return;
    }
    if (!report.has_iso) {
        Show_Alert(QStringLiteral("The counter's report holds no ISO code, so nothing was stored. "
                                  "Please run the count again."));
        Rerun_Requested = true;
        return;
    }
    if (report.invalid) {
        Show_Alert(QStringLiteral("An invalid count was generated."));
        Rerun_Requested = true;
        return;
    }

    if (Curr_Lab_Number != kCheck && Curr_Lab_Number != kFlush) {
        Store_Sample_Count(report, logged);
        return;
    }
    if (!report.has_counts()) {
        // Nothing to judge is no pass: the check or flush is run again.
        Show_Alert(QStringLiteral("The counter's report holds no counts, so the %1 cannot be judged. Please run it again.")
                       .arg(Curr_Lab_Number == kCheck ? QStringLiteral("check") : QStringLiteral("flush")));
        Rerun_Requested = true;
        return;
    }

    const auto values = countReport::Per_Volume(report.counts, report.volume);
    bool within = false;
    Within_Limits(report.code5, report.code15, within);
    if (within) {
        if (Run_Kind == kCheck) Write_STD_Log(true, report.report_line);
        Run_Kind = QStringLiteral("IDLE");
        Show_Count(report.iso_text, values);
    } else {
        if (Run_Kind == kCheck) Write_STD_Log(false, report.report_line);
        Curr_Lab_Number = QStringLiteral("RERUN");
        Rerun_Requested = true;
        Show_Alert(Run_Kind == kCheck ? QStringLiteral("Check sample not within limits!") : QStringLiteral("Flush count to high!"));
    }
}

void Form_Test::Store_Sample_Count(const countReport::Count_Report& report, bool logged)
{
    using namespace commonModule;
    PrtCount& record = Curr_PrtCount();
    const auto& c = report.counts;
    // What the laboratory answers to this store, not to an earlier one.
    record.Status.clear();
    record.Save_Results(Curr_Lab_Number, Curr_Employee().Emp_Num, report.volume, c[0], c[1], c[2], c[3], c[4], c[5], c[6], QString());

    const bool placed = Count_Index >= 0 && Count_Index < Bath_Size;
    if (record.saveOk) {
        const QString rack = placed ? ui::tag(lbl_isoCode[Count_Index]).toString().trimmed() : QString();
        const QString history = placed ? lbl_isoCode[Count_Index]->caption().trimmed() : QString();
        const std::int16_t previousFont = Form_AlertYesNo::Font_Size;
        Form_AlertYesNo::Message = rack + QStringLiteral("\r\n\r\nCurrent count is [") + report.iso_text.trimmed() +
                                   QStringLiteral("], history is [") + history + QStringLiteral("].  Do you want to rerun the sample?");
        Form_AlertYesNo::Alignment = 0;
        Form_AlertYesNo::Font_Size = 13;
        Form_AlertYesNo::Result = 0;
        ui::Default_Instance<Form_AlertYesNo>::get().Show_Modal(this);
        const std::int16_t answer = Form_AlertYesNo::Result;
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        Form_AlertYesNo::Font_Size = previousFont;
        if (answer == Form_AlertYesNo::kYes)
            Rerun_Requested = true;
        else if (placed)
            Remove_From_Bath(Count_Index);
    } else {
        // Nothing may leave the bath without a stored result.
        const QString kept = logged ? QStringLiteral("Its report is kept in %1. ").arg(countLogs::Active_Log) : QString();
        if (record.Status == QLatin1String("NO_TEST")) {
            // Counting again cannot help: its count went in before (a station that
            // stopped before the sample left the bath) or its test was taken away.
            Show_Alert(QStringLiteral("The count of sample %1 was not stored: the laboratory database holds no "
                                      "outstanding particle count for it (its count may be stored already). %2"
                                      "The sample stays in the bath.")
                           .arg(Curr_Lab_Number.trimmed(), kept));
        } else {
            Show_Alert(QStringLiteral("The count of sample %1 could not be stored in the laboratory database. %2"
                                      "The sample stays in the bath.")
                           .arg(Curr_Lab_Number.trimmed(), kept));
        }
    }
    ++Samples_Since_Check;
    Show_Count(report.iso_text, countReport::Per_Volume(report.counts, report.volume));
}

void Form_Test::Show_Count(const QString& iso_text, const std::array<QVariant, countReport::Channel_Count>& v)
{
    ui::Default_Instance<form_pcGrid>::get().Show_histogram(iso_text, numberOrZero(v[0]), numberOrZero(v[1]), numberOrZero(v[2]),
                                                            numberOrZero(v[3]), numberOrZero(v[4]), numberOrZero(v[5]), numberOrZero(v[6]));
    History->History_Add_Result(commonModule::Curr_Lab_Number, iso_text, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
}

void Form_Test::Within_Limits(const QVariant& code5, const QVariant& code15, bool& bOk) const
{
    const QString& id = commonModule::Curr_Lab_Number;
    if (id == kFlush)
        bOk = countLimits::Within_Limits(code5, code15, ISO5_FLUSH, ISO15_FLUSH);
    else if (id == kCheck)
        bOk = countLimits::Within_Limits(code5, code15, ISO5_CHECK, ISO15_CHECK);
    else
        bOk = countLimits::Within_Limits(code5, code15, 0, 0);
}

bool Form_Test::Write_Active_Log(const QString& line) { return countLogs::Write_Active_Log(line); }

bool Form_Test::Write_STD_Log(bool passed, const QString& line) { return countLogs::Write_STD_Log(passed, line); }
