#include "shell/form_rack.h"

#include "common/common_module.h"
#include "platform/ui/twips.h"
#include "shell/form_header.h"
#include "shell/station_form.h"

#include <cmath>

Form_Rack::Form_Rack() { setObjectName(QStringLiteral("Form_Rack")); }

void Form_Rack::Form_Load()
{
    using namespace commonModule;
    ui::setLeft(this, 0);
    ui::setWidth(this, ui::screenWidthTwips());
    ui::setHeight(this, ui::screenHeightTwips());
    if (Cell_Width == 0) {
        Cell_Width = static_cast<std::int16_t>(std::nearbyint(115 * ui::twipsPerPixelX()));
        Cell_Height = static_cast<std::int16_t>(std::nearbyint(90 * ui::twipsPerPixelY()));
    }
    QPalette back = palette();
    back.setColor(QPalette::Window, Color_Form_Back);
    setPalette(back);
    setAutoFillBackground(true);
    Priority_Filter.clear();
    Curr_Position = -1;

    StationForm* station = shell::stationForm();
    if (station) {
        station->Init();
        station->User_Login();
    }
    ui::setWidth(this, ui::screenWidthTwips());

    ui::Default_Instance<Form_Header>::loaded().Show(this);
    if (station) station->window().Show(this);
}

void Form_Rack::Form_Unload() { commonModule::Reset_Globals(); }
