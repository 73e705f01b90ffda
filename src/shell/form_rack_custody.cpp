// Holding the shown rack: taking it at a load, taking it again after a navigation
// that loaded no other, handing it to the next technician at a shift change, giving
// it back, and the sign on the screen while the station does not hold it.
#include "common/alert.h"
#include "common/common_module.h"
#include "platform/ui/twips.h"
#include "records/rack.h"
#include "shell/form_rack.h"

void Form_Rack::Take_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    if (!rack.Rack_Status_Update(QStringLiteral("GET")) && !rack.custodyUnanswered && rack.heldHereByAnother()) {
        // This is its laboratory's one particle-count station: a rack held at its
        // name by another technician was held here for someone who has left (a
        // station stopped without giving it back). It is handed over as at a shift
        // change: given back in the holder's name, then taken.
        rack.Emp_Num = rack.Curr_User;
        if (Give_Back_Rack()) rack.Rack_Status_Update(QStringLiteral("GET"));
    }
    Show_Custody();
}

bool Form_Rack::Give_Back_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    const std::size_t lostBefore = rack.lostGiveBacks.size();
    if (rack.Rack_Status_Update(QStringLiteral("PUT"))) return true;
    if (rack.lostGiveBacks.size() > lostBefore)
        commonModule::Show_Alert(QStringLiteral("Rack ") + rack.Rack_Desc +
                                 QStringLiteral(" could not be given back to the laboratory; the station gives it back as soon as the "
                                                "database answers."));
    return false;
}

void Form_Rack::Hand_Over_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    if (!rack.heldByStation() || rack.isRackLoggedOut(true)) return;
    // The rack is given back in the name of the technician who left, then taken for
    // the one now at the station.
    if (Give_Back_Rack())
        Take_Rack();
    else
        Show_Custody();
}

void Form_Rack::Show_Custody()
{
    // While the station does not hold the shown rack, the rack's status (who holds
    // it and where, or that the laboratory did not answer) runs along the panel's
    // bottom line in place of the rack date, and none of its positions opens.
    Rack& rack = commonModule::Curr_Rack();
    const bool closed = !rack.Rack_id.isEmpty() && !rack.isRackLoggedOut(true);
    lbl_RackStatus->setCaption(rack.custodyUnanswered ? QStringLiteral("Not held here: the laboratory database did not answer.")
                                                      : rack.Rack_Status);
    ui::setWidth(lbl_RackStatus, ui::Left(lbl_RackDate) + ui::Width(lbl_RackDate) - ui::Left(lbl_RackStatus));
    lbl_RackStatus->setVisible(closed);
    lbl_RackDate->setVisible(!closed);
}
