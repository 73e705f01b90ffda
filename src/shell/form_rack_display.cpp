// What the rack screen shows of the rack: the description, each position's text and
// colours, the highlight of the open position, and the screening status icons.
#include "common/common_module.h"
#include "common_ui/set_font.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "records/rack.h"
#include "shell/form_rack.h"
#include "shell/station_form.h"

#include <cmath>

namespace {

const QColor kPlain(44, 61, 77);

// A run number as a 16-bit integer; 0 when it is none.
int runNumber(const QVariant& v)
{
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : 0;
}

}  // namespace

void Form_Rack::Show_Rack()
{
    Rack& rack = commonModule::Curr_Rack();
    lbl_rackDesc->setCaption(rack.Rack_Desc);
    lbl_rackDesc->setToolTip(rack.Rack_Desc);
    if (rack.Rack_Desc.trimmed().size() > 15) lbl_rackDesc->setCaption(rack.Rack_Desc.left(15) + QStringLiteral("..."));
    for (const RackPositions& position : rack.Pos) Init_Rack_Position(position.Pos);
}

void Form_Rack::Init_Rack_Position(std::int16_t Index)
{
    using namespace commonModule;
    if (Index < 0 || Index >= kCells) return;
    ui::Shape* cell = shp_sample[Index];
    cell->setFillTransparent(true);

    QString status, weight, priority, workOrder;
    QVariant runNo;
    bool photo = false;
    const Rack& rack = Curr_Rack();
    if (!rack.Rack_Desc.isEmpty() && Index < static_cast<int>(rack.Pos.size())) {
        const RackPositions& p = rack.Pos_Item(Index + 1);
        status = p.isSaved ? p.Init_Status : p.Status;
        weight = p.TargetWeight;
        priority = p.Priority;
        runNo = p.Run_No;
        workOrder = p.Sample_Desc;
        photo = p.doPicture;
    }

    ui::Label* text = lbl_sample[Index];
    text->setCaption(QStringLiteral("\r\n") + workOrder);
    const auto size = static_cast<std::int16_t>(std::nearbyint(Cell_Width / ui::twipsPerPixelX() / 10));
    Set_Font(text, QString(), QStringLiteral("Arial"), size, true, Color_White);
    text->setVisible(!status.isEmpty());
    ui::setTag(text, status);
    if (status.isEmpty()) {
        lbl_Info[Index]->setCaption(QString());
        lbl_Result[Index]->setCaption(QString());
    }

    cell->setBorderColor(Get_Pos_Color(Index, false, status, priority, runNo));
    cell->setFillColor(Get_Pos_Color(Index, true, status, priority, runNo));
    if (status != QLatin1String("DONE")) {
        lbl_Info[Index]->setCaption(weight);
    } else {
        const QColor border = cell->borderColor();
        text->setForeColor(border);
        lbl_Info[Index]->setForeColor(border);
        lbl_Result[Index]->setForeColor(border);
    }

    ui::Image* icons[] = {img_sample_status_screen[Index], img_sample_status_water[Index], img_sample_status_picture[Index]};
    if (workOrder.isEmpty()) {
        for (ui::Image* icon : icons) icon->hide();
        return;
    }
    const QString station = Curr_Employee().Station;
    if (station != QLatin1String("SCREEN") && station != QLatin1String("SCREENING")) return;
    const QString state = status == QLatin1String("DONE") ? QStringLiteral("done") : QStringLiteral("ready");
    const char* prefixes[] = {"cs_s_", "cs_w_", "cs_p_"};
    for (int k = 0; k < 3; ++k) {
        ui::setTag(icons[k], state);
        icons[k]->loadPicture(picturePath(QLatin1String(prefixes[k]) + state + QStringLiteral(".jpg")));
    }
    icons[0]->show();
    icons[1]->show();
    icons[2]->setVisible(photo);
}

QColor Form_Rack::Get_Pos_Color(const QVariant& vIndex, bool bFlag, const QString& sStatus, const QString& sPriority,
                                const QVariant& vRunNo) const
{
    const bool ready = sStatus == QLatin1String("READY");
    const bool done = sStatus == QLatin1String("DONE");
    if (bFlag) return ready || done ? kPlain : commonModule::Color_Grey;
    if (ready) {
        const int run = runNumber(vRunNo);
        if (sPriority == QLatin1String("NORMAL") && run == 1) return QColor(65, 203, 81);
        if (sPriority == QLatin1String("RUSH")) return QColor(250, 79, 176);
        if (sPriority == QLatin1String("CRITICAL")) return QColor(255, 165, 0);
        if (sPriority == QLatin1String("URGENT")) return QColor(230, 0, 0);
        if (run >= 2) return QColor(249, 254, 101);
        return kPlain;
    }
    if (done) {
        // A done position stands out while another position of the rack is open.
        const Rack& rack = commonModule::Curr_Rack();
        bool numeric = false;
        const int index = vIndex.toInt(&numeric);
        if (commonModule::Curr_Position != -1 && numeric && index >= 0 && index + 1 <= static_cast<int>(rack.Pos.size())) {
            const RackPositions& p = rack.Pos_Item(index + 1);
            if (p.Status == p.Init_Status) return commonModule::Color_Navy;
        }
        return QColor(187, 187, 187);
    }
    return kPlain;
}

void Form_Rack::Rack_Pos_Activate(std::int16_t Index)
{
    using namespace commonModule;
    if (Index < 0 || Index >= kCells) return;
    Saved_Back_Color = shp_sample[Index]->fillColor();
    shp_sample[Index]->setFillColor(Color_White);
    lbl_sample[Index]->setForeColor(Color_Slate);
    lbl_Info[Index]->setForeColor(Color_Slate);
    lbl_Result[Index]->setForeColor(Color_Slate);
    img_save->loadPicture(picturePath(QStringLiteral("bttn_save_on.jpg")));
}

void Form_Rack::Rack_Pos_DeActivate(std::int16_t Index)
{
    using namespace commonModule;
    if (Index < 0 || Index >= kCells) return;
    if (Saved_Back_Color.canConvert<QColor>()) shp_sample[Index]->setFillColor(Saved_Back_Color.value<QColor>());
    lbl_sample[Index]->setForeColor(Color_White);
    lbl_Info[Index]->setForeColor(Color_Amber);
    lbl_Result[Index]->setForeColor(Color_White);
}

void Form_Rack::Select_Sample(const QString& sSampleId)
{
    for (int i = 0; i < kCells; ++i) {
        if (lbl_sample[i]->caption().mid(2, 8) == sSampleId) {
            lbl_sample_Click(static_cast<std::int16_t>(i));
            return;
        }
    }
}

void Form_Rack::Reset_Interface()
{
    using namespace commonModule;
    Curr_Rack().Initialize_pos();
    for (std::int16_t i = 0; i < kCells; ++i) Init_Rack_Position(i);
    for (ui::Image* b : bttn_Nav) b->hide();
    for (ui::Image* flag : {img_Priority, img_retest, img_rush, img_urgent, img_critical}) flag->hide();
    shp_ActiveWO->hide();
    lbl_ActiveWo->hide();
    lbl_ActiveWo->setCaption(QString());
    lbl_RackStatus->setCaption(QString());
    lbl_RackDate->setCaption(QString());
    img_save->loadPicture(picturePath(QStringLiteral("bttn_save_idle.jpg")));
    if (StationForm* station = shell::stationForm()) station->Rack_Refresh(false);
    Edited_Sample_Id.clear();
    Results_Saved = true;
    lbl_rackDesc->setCaption(QString());
    img_ptr->hide();
}

void Form_Rack::lbl_status_update()
{
    using namespace commonModule;
    const std::int16_t open = Curr_Position;
    if (open < 0 || open >= kCells) return;
    const QString station = Curr_Employee().Station;
    auto done = [](const ui::Image* icon) { return ui::tag(icon).toString() == QLatin1String("done"); };
    const bool screen = done(img_sample_status_screen[open]);
    const bool water = done(img_sample_status_water[open]);
    const bool photo = done(img_sample_status_picture[open]);
    const bool finished = (station == QLatin1String("SCREENING") && screen && water && photo) ||
                          (station == QLatin1String("VISUAL") && screen && photo) || (station == QLatin1String("SPAT") && water);
    if (finished) {
        shp_sample[open]->setBorderColor(Get_Pos_Color(open, false, QStringLiteral("DONE"), QString(), 1));
        return;
    }
    const Rack& rack = Curr_Rack();
    if (open + 1 > static_cast<int>(rack.Pos.size())) return;
    const RackPositions& p = rack.Pos_Item(open + 1);
    shp_sample[open]->setBorderColor(Get_Pos_Color(open, false, p.Status, p.Priority, p.Run_No));
}
