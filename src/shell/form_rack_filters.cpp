// The priority flags over the rack panel: which priorities have outstanding racks,
// the filter a flag applies, and the all-racks button.
#include "common/alert.h"
#include "common/common_module.h"
#include "common/laboratory.h"
#include "platform/clock/clock.h"
#include "platform/ui/twips.h"
#include "records/rack.h"
#include "shell/form_rack.h"

ui::Image* Form_Rack::Get_Priority_Button(const QString& sPriority) const
{
    const QString priority = sPriority.trimmed().toUpper();
    if (priority == QLatin1String("RETEST")) return img_retest;
    if (priority == QLatin1String("RUSH")) return img_rush;
    if (priority == QLatin1String("URGENT")) return img_urgent;
    if (priority == QLatin1String("CRITICAL")) return img_critical;
    return nullptr;
}

void Form_Rack::Refresh_Priority()
{
    using namespace commonModule;
    for (ui::Image* flag : {img_Priority, img_retest, img_rush, img_urgent, img_critical}) flag->hide();
    if (Curr_Test_Group.isEmpty()) return;
    db::Recordset rs = Curr_Rack().Get_Rack_Priority(laboratory::Lab_Code, Curr_Test_Group);
    // Without an answer no flag is shown: none stands without its picture.
    if (!rs.isOpen()) return;
    img_Priority->show();

    // Flags are packed from the first place in the order of the rows; a priority
    // that names no flag, a flag already placed, or a row beyond the four places
    // is left out.
    std::size_t slot = 0;
    for (; !rs.eof() && slot < flag_slots_.size(); rs.moveNext()) {
        const QString priority = db::textOf(rs.value(QStringLiteral("PRIORITY"))).trimmed();
        ui::Image* flag = Get_Priority_Button(priority);
        if (!flag || flag->isVisibleTo(this)) continue;
        ui::setLeft(flag, flag_slots_[slot++]);
        flag->loadPicture(picturePath(QStringLiteral("bttn_") + priority + QStringLiteral("_off.gif")));
        flag->show();
    }
    rs.close();
}

void Form_Rack::Select_Priority(const QString& sPriority)
{
    using namespace commonModule;
    // A flag starts a search: none while the search of a navigation is up.
    if (search_up_) return;
    Last_Activity = stationClock::now();
    Records_Found = true;
    db::Recordset rs = Curr_Rack().Get_Samples(Curr_Test_Group, sPriority);
    // A query without an answer has been reported by the gateway; nothing changes.
    if (!rs.isOpen()) {
        Records_Found = false;
        return;
    }
    if (rs.eof()) Records_Found = false;
    if (!Records_Found) {
        Show_Alert(QStringLiteral("No records found!"));
        return;
    }
    rs.close();
    ui::Image* tapped = Get_Priority_Button(sPriority);
    if (tapped) tapped->loadPicture(picturePath(QStringLiteral("bttn_") + sPriority.trimmed() + QStringLiteral("_on.gif")));
    if (lit_flag_ && lit_flag_ != tapped && lit_flag_ != img_Priority)
        lit_flag_->loadPicture(picturePath(QStringLiteral("bttn_") + ui::tag(lit_flag_).toString().trimmed() + QStringLiteral("_off.gif")));
    if (tapped) lit_flag_ = tapped;
    Priority_Filter = sPriority;
    bttn_Nav_Click(2);
}

void Form_Rack::img_Priority_Click()
{
    using namespace commonModule;
    if (Curr_Test_Group.isEmpty() || search_up_) return;
    Priority_Filter.clear();
    Refresh_Priority();
    bttn_Nav_Click(0);
}
