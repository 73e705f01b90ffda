// The bench laid out around the rack screen and under the header bar, once, while
// the bench loads: the bath of 5 rows of 6 positions right of the rack panel, the
// history table under it, the histogram panel level with the table under the rack
// panel, and the boxes above the bath level with the rack screen's priority flags.
#include "bench/form_test.h"

#include "bench/form_pcgrid.h"
#include "common/common_module.h"
#include "common_ui/set_font.h"
#include "platform/ui/twips.h"
#include "shell/form_header.h"
#include "shell/form_rack.h"

#include <cmath>

namespace {

// Each bath picture takes this much of its own width and height.
constexpr double kSpacing = 1.075;

double whole(double twips) { return std::nearbyint(twips); }

}  // namespace

void Form_Test::Arrange_Station_Screen()
{
    if (!Is_Loading) return;
    using namespace commonModule;
    const double px = ui::twipsPerPixelX();
    const double py = ui::twipsPerPixelY();
    Form_Header& header = ui::Default_Instance<Form_Header>::get();
    Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();

    ui::setTop(this, ui::Height(&header));
    rack.Resize_Rack(0, static_cast<std::int16_t>(whole(1.5 * ui::Height(rack.img_Priority))));
    ui::setTop(&rack, ui::Top(this));

    shp_bath->setFillTransparent(false);
    shp_bath->setFillColor(Color_Navy);
    shp_bath->setBorderColor(Color_Border);
    ui::setLeft(shp_bath, whole(10 * px));
    ui::setTop(shp_bath, ui::Top(rack.shp_rackPanel));

    const double x0 = whole(ui::Left(shp_bath) + 0.075 * ui::Width(img_bath[0]));
    const double y0 = ui::Top(shp_bath) + 0.075 * ui::Top(shp_bath);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 6; ++c) {
            const int i = 6 * r + c;
            ui::Image* picture = img_bath[i];
            ui::setTop(picture, y0 + r * kSpacing * ui::Height(picture));
            ui::setLeft(picture, whole(x0 + c * kSpacing * ui::Width(picture)));
            picture->loadPicture(Image_Dir + QStringLiteral("bttn_bath_idle.gif"));
            const double picLeft = ui::Left(picture);
            const double picTop = ui::Top(picture);
            const double picWidth = ui::Width(picture);
            const double picHeight = ui::Height(picture);

            ui::Label* wo = lbl_wo[i];
            wo->setCaption(QString());
            wo->setBorder(false);
            ui::setLeft(wo, picLeft + 190);
            ui::setTop(wo, picTop + 60);
            wo->raise();

            ui::Label* countdown = lbl_inBath[i];
            countdown->setCaption(QString());
            countdown->setBorder(false);
            ui::setLeft(countdown, picLeft + picWidth / 2 - ui::Width(countdown) / 2);
            ui::setTop(countdown, picTop + picHeight / 2 - ui::Height(countdown) / 2 + 10 * py);

            ui::Image* marker = img_oldRack[i];
            const double woBottom = ui::Top(wo) + ui::Height(wo);
            ui::setTop(marker, woBottom + (ui::Top(countdown) - woBottom) / 2 - ui::Height(marker) / 2 - 2 * py);
            ui::setLeft(marker, picLeft + picWidth / 2 - ui::Width(marker) / 2);
            marker->hide();

            ui::Label* iso = lbl_isoCode[i];
            iso->setCaption(QString());
            ui::setHeight(iso, 280);
            iso->setBorder(false);
            ui::setTop(iso, picTop + picHeight - 3 * py - whole(1.1 * ui::Height(iso)));
            ui::setLeft(iso, picLeft + picWidth / 2 - ui::Width(iso) / 2);
            iso->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

            Set_Font(iso, QString(), QStringLiteral("Arial"), 9, true, Color_White);
            Set_Font(wo, QString(), QStringLiteral("verdana"), 10, true, Color_White);
            Set_Font(countdown, QString(), QStringLiteral("Arial"), 14, true, Color_White);
            countdown->raise();
            iso->raise();
            marker->raise();
        }
    }

    ui::setWidth(shp_bath, ui::Left(img_bath[5]) + ui::Width(img_bath[5]));
    ui::setHeight(shp_bath, ui::Height(rack.shp_rackPanel));

    ui::setTwipGeometry(History->shp_bg, 20, 20, ui::Width(shp_bath), ui::Height(History->shp_bg));
    QFrame* grid = History->frm_Grid;
    ui::setLeft(grid, ui::Left(shp_bath));
    ui::setWidth(grid, ui::Left(History->shp_bg) + ui::Width(History->shp_bg) + 20);
    ui::setHeight(grid, ui::Top(History->shp_bg) + ui::Height(History->shp_bg) + 10);
    ui::setTop(grid, ui::Top(shp_bath) + ui::Height(shp_bath) + 10 * py);

    ui::setLeft(this, ui::Left(&rack) + ui::Left(rack.shp_rackPanel) + ui::Width(rack.shp_rackPanel));
    header.Resize_Panel(static_cast<std::int16_t>(whole(ui::Left(this) + ui::Width(shp_bath))));

    form_pcGrid& histogram = ui::Default_Instance<form_pcGrid>::get();
    ui::setTop(&histogram, ui::Top(this) + ui::Top(grid));
    histogram.Resize(ui::Width(rack.shp_rackPanel));
    ui::setLeft(&histogram, ui::Left(header.shp_mainPanel));

    ui::setTop(rack.img_Exit, ui::Top(rack.img_Priority));
    ui::setLeft(rack.img_Exit, ui::Left(rack.shp_rackPanel) + ui::Width(rack.shp_rackPanel) - ui::Width(rack.img_Exit));
    ui::setTop(rack.lbl_Exit, ui::Top(rack.img_Exit) - 10 * py);
    ui::setLeft(rack.lbl_Exit, ui::Left(rack.img_Exit) - 10 * px);
    rack.lbl_Exit->setBorder(false);

    ui::setTop(shp_CountDown, ui::Top(rack.img_Priority));
    ui::setLeft(shp_CountDown, ui::Left(shp_bath));
    ui::setWidth(lbl_CountDown, ui::Width(shp_CountDown));
    ui::setLeft(lbl_CountDown, ui::Left(shp_CountDown));
    ui::setTop(lbl_CountDown, ui::Top(shp_CountDown) + 50);

    ui::setTop(shp_rackName, ui::Top(shp_CountDown));
    ui::setLeft(shp_rackName, ui::Left(shp_bath) + ui::Width(shp_bath) - ui::Width(shp_rackName));
    ui::setWidth(lbl_rackName, ui::Width(shp_rackName));
    ui::setLeft(lbl_rackName, ui::Left(shp_rackName));
    ui::setTop(lbl_rackName, ui::Top(shp_rackName) + 50);

    ui::setTop(img_refresh, ui::Top(rack.img_Exit));
    ui::setLeft(img_refresh, ui::Left(lbl_rackName) - ui::Width(img_refresh) - 20 * px);

    ui::setLeft(shp_ActiveWO, ui::Left(img_refresh) - ui::Width(shp_ActiveWO) - 20 * px);
    ui::setTop(shp_ActiveWO, ui::Top(shp_CountDown));
    shp_ActiveWO->setBackOpaque(true);
    shp_ActiveWO->setBackColor(Color_Slate);
    shp_ActiveWO->setBorderColor(Color_White);
    shp_ActiveWO->setBorderWidth(2);

    ui::setTop(lbl_ActiveWo, ui::Top(shp_ActiveWO) + 0.1 * ui::Height(lbl_ActiveWo));
    Set_Font(lbl_ActiveWo, QString(), QStringLiteral("Arial"), 20, true, Color_White);
    ui::setLeft(lbl_ActiveWo, ui::Left(shp_ActiveWO));
}
