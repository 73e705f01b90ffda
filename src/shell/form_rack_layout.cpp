// Where the rack screen's controls stand: everything follows from the cell size and
// the two offsets, with 15-pixel gaps between the cells and around them.
#include "common/common_module.h"
#include "common/set_font.h"
#include "platform/ui/twips.h"
#include "shell/form_rack.h"

#include <cmath>

namespace {

// A whole number of twips, halves to the even neighbour.
double whole(double twips) { return std::nearbyint(twips); }

double bottomOf(const QWidget* w) { return ui::Top(w) + ui::Height(w); }

}  // namespace

void Form_Rack::Resize_Rack(std::int16_t iLeftOffset, std::int16_t iTopOffset)
{
    using namespace commonModule;
    const double px = ui::twipsPerPixelX();
    const double py = ui::twipsPerPixelY();
    const double CW = Cell_Width;
    const double CH = Cell_Height;
    ui::Shape* holder = shp_holder.front();

    lbl_RackStatus->hide();
    ui::setTop(shp_rackPanel, iTopOffset);

    ui::setHeight(holder, whole(15 * py + 5 * CH + 5 * 15 * py));
    ui::setWidth(holder, 4 * CW + 5 * 15 * px);
    ui::setTop(holder, iTopOffset + ui::Height(bttn_Nav[0]) + 10 * py);
    ui::setLeft(holder, ui::Left(shp_rackPanel) + 5 * px);

    ui::setWidth(shp_rackPanel, ui::Width(holder) + 10 * px);
    ui::setHeight(shp_rackPanel, ui::Height(holder) + 43 * px + whole(40 * py));

    ui::setTop(img_ptr, ui::Top(shp_rackPanel) + 60);
    ui::setLeft(img_ptr, ui::Left(shp_rackPanel) + 45);

    const double HT = whole(ui::Top(holder));
    for (int r = 1; r <= 5; ++r) {
        const double Yr = whole(HT + r * 15 * py + (r - 1) * CH);
        for (int c = 1; c <= 4; ++c) {
            const int i = 4 * (r - 1) + (c - 1);
            const int border = shp_sample[i]->borderWidth();
            ui::setTop(shp_sample[i], Yr);
            ui::setTop(lbl_sample[i], Yr);
            ui::setTop(lbl_Info[i], Yr + (border - 2) * px);
            ui::setTop(lbl_Result[i], Yr + CH - border - ui::Height(lbl_Result[i]));

            for (QWidget* w : {static_cast<QWidget*>(shp_sample[i]), static_cast<QWidget*>(lbl_sample[i])}) {
                ui::setWidth(w, CW);
                ui::setHeight(w, CH);
            }
            lbl_sample[i]->setCaption(QString());
            ui::setWidth(lbl_Result[i], CW);
            lbl_Result[i]->setCaption(QString());
            Set_Font(lbl_Result[i], QString(), QStringLiteral("Arial"), 11, true, Color_White);
            ui::setWidth(lbl_Info[i], CW);
            lbl_Info[i]->setCaption(QString());
            Set_Font(lbl_Info[i], QString(), QStringLiteral("Arial"), 9, true, Color_Amber);

            const double Xc = whole(ui::Left(holder) + 15 * px + (c - 1) * (CW + 15 * px) + iLeftOffset);
            ui::setLeft(shp_sample[i], Xc);
            ui::setLeft(lbl_sample[i], Xc);
            ui::setLeft(lbl_Info[i], Xc);
            ui::setLeft(lbl_Result[i], Xc);

            ui::Image* screen = img_sample_status_screen[i];
            ui::Image* water = img_sample_status_water[i];
            ui::Image* photo = img_sample_status_picture[i];
            ui::setTop(screen, bottomOf(lbl_sample[i]) - ui::Height(screen) - 7 * px);
            ui::setLeft(screen, Xc + 7 * px);
            ui::setTop(water, ui::Top(screen));
            ui::setLeft(water, ui::Left(screen) + ui::Width(screen) + 2 * px);
            ui::setTop(photo, ui::Top(screen));
            ui::setLeft(photo, ui::Left(water) + ui::Width(photo) + 2 * px);
            screen->hide();
            water->hide();
            photo->hide();
        }
    }

    const double panelRight = ui::Left(shp_rackPanel) + ui::Width(shp_rackPanel);
    const double panelBottom = bottomOf(shp_rackPanel);
    ui::setLeft(lbl_RackDate, panelRight - ui::Width(lbl_RackDate) - 5 * px);
    ui::setTop(lbl_RackDate, panelBottom - ui::Height(lbl_RackDate));
    ui::setLeft(lbl_RackStatus, ui::Left(shp_rackPanel) + 5 * px);
    ui::setTop(lbl_RackStatus, ui::Top(lbl_RackDate));

    ui::setTop(lbl_rackDesc, ui::Top(holder) - 1.1 * ui::Height(lbl_rackDesc));
    const double RX = whole(panelRight + 15 * px);

    ui::Image* find = bttn_Nav[2];
    ui::setLeft(find, ui::Left(holder) + ui::Width(holder) - holder->borderWidth() - ui::Width(find));
    ui::setTop(find, ui::Top(shp_rackPanel) + (ui::Top(holder) - ui::Top(shp_rackPanel)) / 2 - ui::Height(find) / 2);
    ui::setLeft(bttn_Nav[1], ui::Left(find) - 5 * px - ui::Width(bttn_Nav[1]));
    ui::setTop(bttn_Nav[1], ui::Top(find));
    ui::setLeft(bttn_Nav[0], ui::Left(bttn_Nav[1]) - 5 * px - ui::Width(bttn_Nav[0]));
    ui::setTop(bttn_Nav[0], ui::Top(find));

    ui::setTop(img_Priority, ui::Top(shp_rackPanel) - 1.25 * ui::Height(img_Priority));
    for (ui::Image* flag : {img_critical, img_retest, img_urgent, img_rush}) ui::setTop(flag, ui::Top(img_Priority));

    ui::setLeft(img_save, RX - 1.2 * ui::Width(img_save));
    ui::setTop(img_save, panelBottom + 20 * px);

    // The exit stands at the bottom of the screen, right of the panel; the station
    // form may move it afterwards.
    ui::setTop(img_Exit, whole(ui::Height(this) - ui::Height(img_Exit) - 15 * py));
    ui::setLeft(img_Exit, panelRight - ui::Width(img_Exit));
    ui::setTop(lbl_Exit, whole(ui::Top(img_Exit) + ui::Height(img_Exit) / 2 - ui::Height(lbl_Exit) / 2));
    ui::setLeft(lbl_Exit, ui::Left(img_Exit) + ui::Width(img_Exit) / 2 - ui::Width(lbl_Exit) / 2);
    img_Exit->show();

    ui::setLeft(shp_ActiveWO, panelRight - ui::Width(shp_ActiveWO));
    ui::setLeft(lbl_ActiveWo, ui::Left(shp_ActiveWO));
}
