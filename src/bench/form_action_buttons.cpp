// The counter dialog's readiness timer and what its buttons do.
#include "bench/counter_link.h"
#include "bench/form_action.h"
#include "bench/form_test.h"
#include "common/alert.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common_ui/form_alert_yes_no.h"
#include "records/prt_count.h"

namespace {

const QString kIdle = QStringLiteral("IDLE");
const QString kCounting = QStringLiteral("COUNTING");
const QString kReady = QStringLiteral("STOP");
const QString kRunning = QStringLiteral("RUN SAMPLE");

// The bath position shows "START" once its bath time is over.
bool bathTimeOver(std::int16_t index)
{
    if (index < 0 || index >= Form_Test::Bath_Size) return false;
    if (!ui::Default_Instance<Form_Test>::exists()) return false;
    const ui::Label* countdown = ui::Default_Instance<Form_Test>::get().lbl_inBath[std::size_t(index)];
    return countdown && countdown->caption() == QLatin1String("START");
}

}  // namespace

void form_Action::Timer1_Timer()
{
    if (!ui::tag(img_RunSample).toString().isEmpty()) return;
    const QString& run = commonModule::Curr_Lab_Number;
    const bool ready = run == QLatin1String("CHECK") || run == QLatin1String("FLUSH") || bathTimeOver(Bath_Index);
    if (!ready) return;
    img_RunSample->loadPicture(commonModule::Image_Dir + QStringLiteral("bttn_startCounter_on.jpg"));
    ui::setTag(img_RunSample, kReady);
    Timer1->stop();
}

void form_Action::img_RunSample_Click()
{
    const QString tag = ui::tag(img_RunSample).toString();
    if (tag.isEmpty() || !MSComm1) return;
    const QString before = MSComm1->Dialog_State;
    MSComm1->Dialog_State = kCounting;
    if (tag == kReady) {
        if (Counter_Start(QStringLiteral("SAMPLE"), kRunning)) {
            img_RunSample->loadPicture(commonModule::Image_Dir + QStringLiteral("bttn_stopCounter_on.jpg"));
            ui::setTag(img_RunSample, kRunning);
            return;
        }
    } else if (tag == kRunning) {
        if (Counter_Start(QStringLiteral("SAMPLE"), kReady)) {
            img_RunSample->loadPicture(commonModule::Image_Dir + QStringLiteral("bttn_startCounter_on.jpg"));
            ui::setTag(img_RunSample, kReady);
            return;
        }
    }
    // Nothing reached the counter: the button stays as it was, to be tapped again.
    MSComm1->Dialog_State = before;
}

void form_Action::img_Close_Click()
{
    if (!isLoaded()) return;
    if (dialogState() != kIdle && MSComm1->countRunning()) {
        // A count is running and nothing has come back since: the counter may be
        // off or unplugged, so the technician may stop it and leave.
        if (!Ask(QStringLiteral("The counter is counting. Do you want to stop the count and close?"))) return;
        if (MSComm1->reportTaken()) return;
    }
    // A count of this dialog still running is stopped, so that its report never
    // lands on the next sample.
    if (MSComm1) MSComm1->Leave_Count();
    Timer1->stop();
    Action_Result.clear();
    Received_Data.clear();
    hide();
}

void form_Action::reject() { img_Close_Click(); }

void form_Action::Stop_Count_At_The_End()
{
    if (!MSComm1) return;
    // Nothing of the dialog's answers the line from now on: no report is taken, and
    // a counter that cannot be reached is not told.
    MSComm1->disconnect(this);
    MSComm1->Leave_Count();
}

void form_Action::img_remove_Click()
{
    if (MSComm1) MSComm1->Leave_Count();
    Timer1->stop();
    Action_Result = QStringLiteral("REMOVE");
    hide();
}

void form_Action::img_action_Click(std::int16_t Index)
{
    if (Index < 0 || Index >= Reason_Count) return;
    if (dialogState() != kIdle) return;
    const QString question = QStringLiteral("Do you want to perform the following action on the specified sample [") +
                             lbl_action[std::size_t(Index)]->caption().trimmed() + QStringLiteral("]");
    if (!Ask(question)) return;

    const QString reason = ui::tag(lbl_action_desc[std::size_t(Index)]).toString();
    if (!commonModule::Curr_PrtCount().Remove_Sample(Sample_Id, reason)) {
        // A refusal of the laboratory leaves the dialog as it was, without a word; a
        // call that got no answer at all is told, so that it is not taken for done.
        if (!dbModule::Last_Call_Answered())
            commonModule::Show_Alert(QStringLiteral("Sample %1 was not removed: the laboratory database did not answer, so the "
                                                    "reason %2 was not recorded. The sample stays in the bath. Please try the "
                                                    "removal again.")
                                         .arg(Sample_Id.trimmed(), lbl_action_desc[std::size_t(Index)]->caption().trimmed()));
        return;
    }
    if (MSComm1) {
        // The report may have come in while the question was up: the sample the
        // technician judged unfit leaves all the same, and its report is only logged.
        if (MSComm1->reportTaken()) Log_Report(Received_Data);
        MSComm1->Leave_Count();
    }
    Timer1->stop();
    Action_Result = QStringLiteral("REMOVE");
    hide();
    commonModule::Show_Alert(QStringLiteral("Sample was removed"));
}

bool form_Action::Ask(const QString& message)
{
    Form_AlertYesNo::Message = message;
    // A box closed without an answer must not count as the answer of an earlier one.
    Form_AlertYesNo::Result = 0;
    ui::Default_Instance<Form_AlertYesNo>::loaded().Show_Modal(this);
    const std::int16_t answer = Form_AlertYesNo::Result;
    ui::Default_Instance<Form_AlertYesNo>::Unload();
    return answer == Form_AlertYesNo::kYes;
}
