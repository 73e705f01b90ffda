// A tap on a bath position: what is run (the sample, a check or a flush) and the
// rounds of the counter dialog until a round ends without a re-run.
#include "bench/form_test.h"

#include "bench/form_action.h"
#include "bench/run_decision.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common_ui/form_alert_yes_no.h"
#include "platform/clock/clock.h"
#include "records/employee.h"
#include "records/prt_count.h"
#include "records/value_reading.h"

void Form_Test::Get_Run_Type(int Index, bool& bFlush)
{
    const runDecision::Run_Type run = runDecision::Get_Run_Type(Samples_Since_Check, SAMPLES_BETWEEN_CHECKS, [this, Index] {
        bool ok = false;
        Check_ISO_History(Index, ok);
        return ok;
    });
    if (!run.run_id.isEmpty()) commonModule::Curr_Lab_Number = run.run_id;
    bFlush = run.flush;
}

bool Form_Test::Register_Rerun(const QString& labNumber)
{
    PrtCount& record = commonModule::Curr_PrtCount();
    for (;;) {
        if (record.Redo_Sample(labNumber, commonModule::Curr_Employee().Full_name)) return true;
        // A re-run the laboratory refuses ends the rounds quietly, and so does one of a
        // count that was not stored: its test is still outstanding, so the sample is
        // simply counted again.
        if (dbModule::Last_Call_Answered() || !record.saveOk) return false;
        // The count is stored and its run done: without the re-run the sample cannot
        // be counted again.
        Form_AlertYesNo::Message = QStringLiteral("The re-run of sample %1 was not registered: the laboratory database did not "
                                                  "answer. Its count is stored and the sample stays in the bath.\r\n\r\nDo you "
                                                  "want to try again? If not, take the sample out with REMOVE FROM BATH and ask "
                                                  "the laboratory for a new test.")
                                       .arg(labNumber.trimmed());
        Form_AlertYesNo::Result = 0;
        ui::Default_Instance<Form_AlertYesNo>::get().Show_Modal(this);
        const std::int16_t answer = Form_AlertYesNo::Result;
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        if (answer != Form_AlertYesNo::kYes) return false;
    }
}

void Form_Test::img_bath_Click(int Index)
{
    using namespace commonModule;
    Curr_Lab_Number.clear();
    const std::int16_t samples_at_tap = Samples_Since_Check;
    const bool occupied = Index >= 0 && Index < Bath_Size && !lbl_wo[Index]->caption().trimmed().isEmpty();

    if (occupied) {
        bool bFlush = false;
        Get_Run_Type(Index, bFlush);
        if (!bFlush) {
            if (Curr_Lab_Number == QLatin1String("CHECK")) {
                Index = -1;  // a check has no bath position
            } else {
                Count_Index = static_cast<std::int16_t>(Index);
                Curr_Lab_Number = lbl_wo[Index]->caption().trimmed();
            }
        }
        const QString run = Curr_Lab_Number;

        for (bool again = true; again;) {
            again = false;
            Curr_Lab_Number = run;
            Curr_PrtCount().saveOk = false;
            Rerun_Requested = false;

            form_Action::Sample_Id = run;
            form_Action::Bath_Index = static_cast<std::int16_t>(Index);
            ui::Default_Instance<form_Action>::get().Show_Modal(this);
            const QString result = form_Action::Action_Result;
            const QString received = form_Action::Received_Data;
            ui::Default_Instance<form_Action>::Unload();
            Last_Activity = stationClock::now();

            if (result == QLatin1String("REMOVE")) {
                if (Index >= 0) Remove_From_Bath(Index);
                Bath_Refresh(-1);
                Curr_Lab_Number.clear();
                break;
            }
            if (result != QLatin1String("COUNT")) {
                Curr_Lab_Number.clear();
                break;
            }
            if (!received.isEmpty()) process_data(received);

            if (Curr_Lab_Number == QLatin1String("RERUN") || Rerun_Requested) {
                if (records::isNumeric(Curr_Lab_Number) && Rerun_Requested) Rerun_Requested = Register_Rerun(Curr_Lab_Number);
                Samples_Since_Check = samples_at_tap;
                again = Rerun_Requested;
            } else {
                if (Curr_PrtCount().saveOk) Outstanding_Count_Show();
                Bath_Refresh(-1);
            }
        }
    }

    Samples_Since_Check = static_cast<std::int16_t>(
        runDecision::Samples_After_Click(Curr_Lab_Number, Samples_Since_Check, SAMPLES_BETWEEN_CHECKS));
    lbl_CountDown->setCaption(runDecision::Count_Down_Text(Samples_Since_Check, SAMPLES_BETWEEN_CHECKS));
}
