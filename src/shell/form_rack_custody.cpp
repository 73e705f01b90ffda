// Holding the shown rack: taking it at a load, taking it again after a navigation
// that loaded no other, handing it to the next technician at a shift change, giving
// it back, and the sign on the screen while the station does not hold it.
#include "common/alert.h"
#include "common/common_module.h"
#include "platform/ui/twips.h"
#include "records/rack.h"
#include "shell/form_rack.h"

#include <QFontMetrics>
#include <utility>

void Form_Rack::Take_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    const bool taken = rack.Rack_Status_Update(QStringLiteral("GET"));
    Tell_Refusal_Of_Earlier_Give_Back();
    if (!taken && !rack.custodyUnanswered && rack.heldHereByAnother()) {
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
    if (!Tell_Refusal_Of_Earlier_Give_Back() && rack.lostGiveBacks.size() > lostBefore) Tell_Not_Given_Back(rack.Rack_Desc);
    return false;
}

void Form_Rack::Tell_Not_Given_Back(const QString& rackDesc)
{
    const QString error = commonModule::Curr_Rack().custodyError;
    if (error.isEmpty())
        commonModule::Show_Alert(QStringLiteral("Rack ") + rackDesc +
                                 QStringLiteral(" could not be given back to the laboratory; the station gives it back as soon as the "
                                                "database answers."));
    else
        commonModule::Show_Alert(QStringLiteral("Rack ") + rackDesc +
                                 QStringLiteral(" could not be given back to the laboratory. The database answered with an error: ") + error +
                                 QStringLiteral("\nThe station sends the give-back again before its next call about a rack, and takes "
                                                "no other rack until the laboratory has taken this one back."));
}

bool Form_Rack::Tell_Refusal_Of_Earlier_Give_Back()
{
    // Kept from the station's last run (it ended without its exit): nobody here has
    // heard of it yet, so the first refusal is told as a navigation tells its own.
    const QString rackDesc = std::exchange(commonModule::Curr_Rack().custodyRefusalToTell, QString());
    if (!rackDesc.isEmpty()) Tell_Not_Given_Back(rackDesc);
    return !rackDesc.isEmpty();
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
    QString sign = rack.Rack_Status;
    if (rack.custodyUnanswered) {
        if (!rack.custodyOwedFirst.isEmpty())
            sign = QStringLiteral("Not held here: rack ") + rack.custodyOwedFirst +
                   QStringLiteral(" has not been given back to the laboratory yet.");
        else if (!rack.custodyError.isEmpty())
            sign = QStringLiteral("Not held here: ") + rack.custodyError;
        else
            sign = QStringLiteral("Not held here: the laboratory database did not answer.");
    }
    lbl_RackStatus->setCaption(sign);
    Fit_Sign();
    lbl_RackStatus->setVisible(closed);
    lbl_RackDate->setVisible(!closed);
}

void Form_Rack::Fit_Sign()
{
    // The sign runs along the panel's bottom line, from its left edge to the date's
    // right edge. A longer one (a database's reason) gets a smaller font and, at the
    // smallest, a second line above the first; what does not fit then ends in "...".
    constexpr int kPoints = 12;
    constexpr int kSmallestPoints = 8;
    ui::setWidth(lbl_RackStatus, ui::Left(lbl_RackDate) + ui::Width(lbl_RackDate) - ui::Left(lbl_RackStatus));
    const int width = lbl_RackStatus->width();
    QFont font = lbl_RackStatus->font();
    font.setPointSize(kPoints);
    QString sign = lbl_RackStatus->caption();
    while (QFontMetrics(font).horizontalAdvance(sign) > width && font.pointSize() > kSmallestPoints)
        font.setPointSize(font.pointSize() - 1);
    lbl_RackStatus->setFont(font);
    const QFontMetrics metrics(font);
    const bool twoLines = metrics.horizontalAdvance(sign) > width;
    if (twoLines) {
        const QRect room(0, 0, width, 2 * metrics.lineSpacing());
        QStringList words = sign.split(QLatin1Char(' '));
        while (words.size() > 1 && metrics.boundingRect(room, Qt::TextWordWrap, sign).height() > room.height()) {
            words.removeLast();
            sign = words.join(QLatin1Char(' ')) + QStringLiteral("...");
        }
        lbl_RackStatus->setCaption(sign);
    }
    lbl_RackStatus->setWordWrap(twoLines);
    const double px = ui::twipsPerPixelY();
    const double bottom = ui::Top(lbl_RackDate) + ui::Height(lbl_RackDate) - (twoLines ? 3 * px : 0);
    const double height = twoLines ? 2 * metrics.lineSpacing() * px : ui::Height(lbl_RackDate);
    ui::setTop(lbl_RackStatus, bottom - height);
    ui::setHeight(lbl_RackStatus, height);
}
