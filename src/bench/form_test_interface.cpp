// What the rack-station frame asks of the bench, the bench's own small taps, and
// the boxes above the bath (rack header, outstanding samples).
#include "bench/form_action.h"
#include "bench/form_pcgrid.h"
#include "bench/form_test.h"

#include "common/common_module.h"
#include "common_ui/header_status.h"
#include "platform/db/recordset.h"
#include "platform/ui/twips.h"
#include "records/rack.h"
#include "shell/form_rack.h"

#include <cmath>

void Form_Test::Init() { Arrange_Station_Screen(); }

void Form_Test::Hibernate()
{
    form_pcGrid& grid = ui::Default_Instance<form_pcGrid>::get();
    Saved_Grid_Top = ui::Top(&grid);
    Saved_Grid_Left = static_cast<std::int16_t>(std::nearbyint(ui::Left(&grid)));
    grid.Hide();
}

void Form_Test::reActivate()
{
    form_pcGrid& grid = ui::Default_Instance<form_pcGrid>::get();
    if (Saved_Grid_Top.toDouble() != -1) {
        ui::setTop(&grid, Saved_Grid_Top.toDouble());
        ui::setLeft(&grid, Saved_Grid_Left);
    }
    grid.Show();
}

void Form_Test::Quick_Show(const QVariant&)
{
    // An opened position never counts as unsaved on this station: each count is
    // stored when it is made.
    commonModule::Results_Saved = true;
}

void Form_Test::Stop_At_The_End()
{
    if (ui::Default_Instance<form_Action>::exists()) ui::Default_Instance<form_Action>::get().Stop_Count_At_The_End();
}

void Form_Test::img_refresh_Click()
{
    const QString previous = commonModule::Header_Status(QStringLiteral("RELOADING BATH CONTENT"));
    Bath_Reload();
    commonModule::Header_Status(previous);
}

void Form_Test::lbl_rackName_Click()
{
    // The rack search opens with this rack named.
    ui::Default_Instance<Form_Rack>::get().Get_Racks(-1, lbl_rackName->caption().trimmed());
}

void Form_Test::Rack_Header_Show(bool bVisible, const QString& sRackName, const QVariant& vTag)
{
    lbl_rackName->setCaption(QString());
    lbl_rackName->setCaption(sRackName + QStringLiteral("  "));
    ui::setTag(lbl_rackName, vTag);
    for (QWidget* w :
         std::initializer_list<QWidget*>{shp_CountDown, lbl_CountDown, lbl_rackName, shp_rackName, img_refresh, shp_ActiveWO, lbl_ActiveWo})
        w->setVisible(bVisible);
}

void Form_Test::Outstanding_Count_Show()
{
    db::Recordset rs = commonModule::Curr_Rack().Rack_Outstanding_Tests(false, QStringLiteral("PrtCount"));
    if (rs.columnCount() >= 1 && !rs.eof()) {
        shp_ActiveWO->hide();
        lbl_ActiveWo->hide();
        lbl_ActiveWo->setCaption(db::textOf(rs.value(QStringLiteral("COUNT"))).trimmed());
        shp_ActiveWO->show();
        lbl_ActiveWo->show();
    }
    rs.close();
}
