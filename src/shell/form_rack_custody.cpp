// Holding the shown rack: taking it again after a navigation that loaded no other,
// handing it to the next technician at a shift change, and the sign on the screen
// while the station does not hold it.
#include "common/common_module.h"
#include "platform/ui/twips.h"
#include "records/rack.h"
#include "shell/form_rack.h"

void Form_Rack::Retake_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    const QString statusBefore = rack.Rack_Status;
    const QVariant userBefore = rack.Curr_User;
    // Every answer of the custody call names a holder, empty or not; an unset
    // holder afterwards means no answer came.
    rack.Curr_User = QVariant();
    if (!rack.Rack_Status_Update(QStringLiteral("GET")) && !rack.Curr_User.isValid()) {
        // No answer at all: the record keeps what it knew of the holder.
        rack.Rack_Status = statusBefore;
        rack.Curr_User = userBefore;
    }
    Show_Custody();
}

void Form_Rack::Hand_Over_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    if (!rack.heldByStation() || rack.isRackLoggedOut(true)) return;
    // The rack is given back in the name of the technician who left, then taken for
    // the one now at the station.
    if (rack.Rack_Status_Update(QStringLiteral("PUT")))
        Retake_Rack();
    else
        Show_Custody();
}

void Form_Rack::Show_Custody()
{
    // While the station does not hold the shown rack, the rack's status (who holds
    // it and where) runs along the panel's bottom line in place of the rack date,
    // and none of its positions opens.
    Rack& rack = commonModule::Curr_Rack();
    const bool closed = !rack.Rack_id.isEmpty() && !rack.isRackLoggedOut(true);
    lbl_RackStatus->setCaption(rack.Rack_Status);
    ui::setWidth(lbl_RackStatus, ui::Left(lbl_RackDate) + ui::Width(lbl_RackDate) - ui::Left(lbl_RackStatus));
    lbl_RackStatus->setVisible(closed);
    lbl_RackDate->setVisible(!closed);
}
