#include "bench/form_test.h"

#include "common/common_module.h"
#include "platform/files/text_file.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "shell/form_header.h"
#include "shell/form_rack.h"

#include <cmath>

Form_Test::Form_Test() { setObjectName(QStringLiteral("Form_Test")); }

void Form_Test::Form_Load()
{
    using namespace commonModule;
    Is_Loading = true;
    Saved_Grid_Top = -1;
    Saved_Grid_Left = -1;

    Curr_Test_Group = QStringLiteral("PrtCount");
    Curr_Employee().Station = QStringLiteral("PARTICLE COUNT");
    Curr_Instrument_Id = QStringLiteral("PC002");
    Run_Kind = QStringLiteral("IDLE");
    Image_Dir = files::absolutePathName() + QStringLiteral("/");

    Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    rack.Cell_Width = static_cast<std::int16_t>(std::nearbyint(95 * ui::twipsPerPixelX()));
    rack.Cell_Height = static_cast<std::int16_t>(std::nearbyint(75 * ui::twipsPerPixelY()));
    rack.Load();

    QPalette back = palette();
    back.setColor(QPalette::Window, Color_Form_Back);
    setPalette(back);
    setAutoFillBackground(true);

    ui::Default_Instance<Form_Header>::loaded().lbl_Station->setCaption(Curr_Employee().Station +
                                                                        QStringLiteral(" STATION"));
    Is_Loading = false;
}

void Form_Test::Init()
{
    // Until the bench lays itself out around the rack grid, it takes the screen
    // under the header bar, right of the rack panel's place.
    const double top = ui::Height(&ui::Default_Instance<Form_Header>::get());
    const double left = 7200;
    ui::setTwipGeometry(this, left, top, ui::screenWidthTwips() - left, ui::screenHeightTwips() - top);
}

void Form_Test::Hibernate()
{
    // The histogram panel's place is kept here once the panel stands beside the bench.
}

void Form_Test::reActivate()
{
    // The histogram panel is put back and shown here once it stands beside the bench.
}

bool Form_Test::Process_Sample(std::int16_t, const QString&, const QString&)
{
    // The bath does not take samples yet: no position is opened.
    return false;
}

void Form_Test::Quick_Show(const QVariant&)
{
    // An opened position never counts as unsaved on this station: each count is
    // stored when it is made.
    commonModule::Results_Saved = true;
}
