// Moving between racks: the navigation buttons, the rack search, the load of the
// chosen rack with its custody, opening a position, saving and the two exits.
#include "common/alert.h"
#include "common/common_module.h"
#include "common_ui/form_alert_yes_no.h"
#include "common_ui/header_status.h"
#include "platform/clock/clock.h"
#include "records/employee.h"
#include "records/rack.h"
#include "shell/form_login.h"
#include "shell/form_rack.h"
#include "shell/form_search.h"
#include "shell/station_form.h"

#include <QLocale>
#include <utility>

void Form_Rack::bttn_Nav_Click(std::int16_t Index)
{
    using namespace commonModule;
    // A second tap while the search of the first is up (it chooses unseen, so taps
    // still reach the screen) would start a search inside it: the first goes on.
    if (search_up_) return;
    Last_Activity = stationClock::now();
    StationForm* station = shell::stationForm();
    if (station) station->Nav_Start();
    Header_Status(QStringLiteral("RETRIEVING RACK INFORMATION"));

    Change_Rack(Index, QString(), true);

    Header_Status(QString());
    if (station) station->Nav_End();
}

void Form_Rack::Get_Racks(std::int16_t Index, const QString& sRackName)
{
    // A search from the station form changes rack like a navigation.
    if (search_up_) return;
    Change_Rack(Index, sRackName, false);
}

void Form_Rack::Change_Rack(std::int16_t Index, const QString& sRackName, bool askToSave)
{
    // The shown rack is given back so that the search lists it among the others;
    // when no other rack is loaded in the end, it is taken again at once. A
    // give-back that got no answer is followed by no take: the station does not hold
    // the rack then, and a tap on one of its positions asks for it again. A rack
    // whose take got no answer may be held all the same, and is given back too.
    Rack& rack = commonModule::Curr_Rack();
    const bool held = rack.mayHoldShownRack();
    if (held) Give_Back_Rack();
    const bool retake = held && !rack.custodyUnanswered;
    const bool loaded = !(askToSave && Requires_saving()) && Load_Chosen_Rack(Index, sRackName);
    if (loaded) return;
    if (retake)
        Take_Rack();
    else
        Show_Custody();
}

bool Form_Rack::Load_Chosen_Rack(std::int16_t Index, const QString& sRackName)
{
    using namespace commonModule;
    QString action = QStringLiteral("FIND");
    if (Index >= 0 && Index < static_cast<int>(bttn_Nav.size())) action = ui::tag(bttn_Nav[Index]).toString();
    Form_Search::Preselected_Rack = sRackName;
    Form_Search::Search_Action = action;
    search_up_ = true;
    ui::Default_Instance<Form_Search>::get().Show_Modal(this);
    search_up_ = false;

    const QString chosen = Form_Search::Chosen_Rack;
    // A sample looked up counts for this search only, whether its rack loads or not.
    const bool located = std::exchange(Form_Search::Sample_Located, false);
    bool load = !Curr_Test_Group.isEmpty() && !chosen.isEmpty();
    Rack& rack = Curr_Rack();
    const QString shownDesc = rack.Rack_Desc;
    if (load) {
        rack.Rack_Desc = chosen;
        load = rack.Rack_Load(rack.Rack_Desc, Curr_Test_Group);
        // A load without an answer keeps the shown rack.
        if (!load) {
            rack.Rack_Desc = shownDesc;
            Show_Alert(QStringLiteral("Rack ") + chosen + QStringLiteral(" could not be loaded from the laboratory database."));
        }
    }
    if (load) {
        Results_Saved = false;
        Edited_Sample_Id.clear();
        Curr_Position = -1;
        img_ptr->show();
        Show_Rack();
        lbl_RackDate->setCaption(QLocale().toString(rack.Rack_Date, QLocale::ShortFormat));
        if (!rack.Rack_id.isEmpty())
            Take_Rack();
        else
            Show_Custody();
        if (StationForm* station = shell::stationForm()) station->Rack_OnClick();
        img_save->loadPicture(picturePath(QStringLiteral("bttn_save_idle.jpg")));
        if (located) {
            bttn_Nav[0]->hide();
            bttn_Nav[1]->hide();
            Select_Sample(Form_Search::Found_Sample_Id);
        } else {
            Show_Nav_Buttons();
        }
    }
    ui::Default_Instance<Form_Search>::Unload();
    return load;
}

void Form_Rack::Show_Nav_Buttons()
{
    const int count = Form_Search::Rack_Count;
    const int place = Form_Search::Rack_Index;
    const bool several = count >= 2;
    bttn_Nav[0]->setVisible(several && place != 0);
    bttn_Nav[1]->setVisible(several && place != count - 1);
    bttn_Nav[2]->setVisible(bttn_Nav[0]->isVisibleTo(this) || bttn_Nav[1]->isVisibleTo(this));
}

bool Form_Rack::Requires_saving()
{
    using namespace commonModule;
    if (Edited_Sample_Id.isEmpty() || Results_Saved) return false;
    const QString previous = Header_Status(QStringLiteral("SAVE EDITED RESULTS?"));
    Form_AlertYesNo::Message = QStringLiteral("Save edited results?");
    ui::Default_Instance<Form_AlertYesNo>::get().Show_Modal(this);
    ui::Default_Instance<Form_AlertYesNo>::Unload();
    const std::int16_t answer = Form_AlertYesNo::Result;
    Header_Status(previous);
    return answer != Form_AlertYesNo::kYes && answer != Form_AlertYesNo::kNo;
}

void Form_Rack::lbl_sample_Click(std::int16_t Index)
{
    using namespace commonModule;
    if (Index < 0 || Index >= kCells) return;
    if (ui::tag(lbl_sample[Index]).toString().isEmpty()) return;
    // While the search of a navigation is up, the shown rack is on its way out: a
    // tap would take it while the search takes another.
    if (search_up_) return;
    // Working the rack's samples (into the bath, among others) is the technician's
    // activity, as a navigation is.
    Last_Activity = stationClock::now();
    Rack_Pos_DeActivate(Curr_Position);
    const bool visual = Curr_Employee().Station == QLatin1String("VISUAL");
    const QString previous = Header_Status(visual ? QStringLiteral("RETRIEVING SCREEN IMAGES")
                                                  : QStringLiteral("RETRIEVING SAMPLE TESTING DETAILS"));
    Rack& rack = Curr_Rack();
    // A rack the laboratory gave no answer for is asked for again first. A rack this
    // station does not hold is not worked here: the tap shows who holds it.
    if (!rack.isRackLoggedOut(true) && rack.custodyUnanswered) Take_Rack();
    if (!rack.isRackLoggedOut(true)) {
        Show_Custody();
    } else {
        lbl_RackStatus->setCaption(rack.Rack_Status);
        StationForm* station = shell::stationForm();
        if (station) station->Quick_Hide();
        const QString caption = lbl_sample[Index]->caption();
        Curr_Sample_Id = caption.mid(2);
        const QString status = Index < static_cast<int>(rack.Pos.size()) ? rack.Pos_Item(Index + 1).Status : QString();
        const bool opened = station && station->Process_Sample(Index, Curr_Sample_Id, status);
        if (opened) {
            if (Index < static_cast<int>(rack.Pos.size())) rack.Pos_Item(Index + 1).isSaved = false;
            Results_Saved = false;
            // The saved sample's id is the work order from its first "0"; a work
            // order without one is taken whole.
            const int zero = caption.indexOf(QLatin1Char('0'));
            Edited_Sample_Id = zero >= 0 ? caption.mid(zero) : caption.mid(2);
            Curr_Sample_Id = Edited_Sample_Id;
            Curr_Position = Index;
            Rack_Pos_Activate(Index);
            station->Quick_Show(QVariant::fromValue(Index));
        } else {
            Edited_Sample_Id.clear();
            Curr_Sample_Id.clear();
            Curr_Position = -1;
        }
        Curr_Lab_Number = Curr_Sample_Id;
    }
    Header_Status(previous);
}

void Form_Rack::Save_bttn_toggle(bool isOn) { img_save->setVisible(isOn); }

void Form_Rack::img_save_Click()
{
    using namespace commonModule;
    if (Curr_Position == -1) return;
    const QString previous = Header_Status(QStringLiteral("SAVING RESULTS"));
    if (StationForm* station = shell::stationForm()) {
        station->Save_Results();
        const QVariant all = station->AllSaved();
        if (!db::isNull(all) && all.toBool()) img_save->loadPicture(picturePath(QStringLiteral("bttn_save_idle.jpg")));
    }
    Results_Saved = true;
    Header_Status(previous);
}

void Form_Rack::img_Exit_Click()
{
    // The end of the program gives back what the station holds (Form_Login's exit).
    ui::Default_Instance<Form_Login>::get().App_Exit();
}

void Form_Rack::lbl_Exit_Click()
{
    if (Requires_saving()) return;
    img_Exit_Click();
}
