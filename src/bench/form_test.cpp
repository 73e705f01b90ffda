// The bench's controls, its load and the station settings it reads.
#include "bench/form_test.h"

#include "bench/form_pcgrid.h"
#include "common/alert.h"
#include "common/common_module.h"
#include "common_ui/set_font.h"
#include "platform/files/text_file.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "records/rack.h"
#include "records/value_reading.h"
#include "shell/design_pictures.h"
#include "shell/form_header.h"
#include "shell/form_rack.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// A setting's value as a whole 16-bit number; nothing for empty text, text that is
// no number, a fraction or a number out of range.
std::optional<std::int16_t> wholeSetting(const QVariant& value)
{
    bool ok = false;
    const double d = db::textOf(value).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || d != std::floor(d)) return std::nullopt;
    if (d < std::numeric_limits<std::int16_t>::min() || d > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
    return static_cast<std::int16_t>(d);
}

}  // namespace

Form_Test::Form_Test()
{
    setObjectName(QStringLiteral("Form_Test"));
    stayUp();
    ui::setTwipGeometry(this, 7095, 1125, 11000, 12600);

    Create_Bath_Controls();
    History = std::make_unique<History_Table>(this);
    Create_Header_Boxes();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

Form_Test::~Form_Test() = default;

void Form_Test::Create_Bath_Controls()
{
    shp_bath = new ui::Shape(this);
    shp_bath->setObjectName(QStringLiteral("shp_bath"));
    shp_bath->setFillTransparent(false);
    shp_bath->setBackOpaque(true);
    shp_bath->setBorderWidth(3);
    ui::setTwipGeometry(shp_bath, 150, 945, 1905, 1245);

    for (int i = 0; i < Bath_Size; ++i) {
        const double left = 273 + (i % 6) * 1758;
        const double top = 1016 + (i / 6) * 1629;

        auto* picture = new ui::Image(this);
        picture->setObjectName(QStringLiteral("img_bath"));
        picture->setStretch(true);
        ui::setTwipGeometry(picture, left, top, 1635, 1515);
        connect(picture, &ui::Image::clicked, this, [this, i] { img_bath_Click(i); });
        img_bath[i] = picture;

        auto* wo = new ui::Label(this);
        wo->setObjectName(QStringLiteral("lbl_wo"));
        ui::setTwipGeometry(wo, left + 190, top + 60, 1200, 315);
        connect(wo, &ui::Label::clicked, this, [this, i] { lbl_wo_Click(i); });
        lbl_wo[i] = wo;

        auto* countdown = new ui::Label(this);
        countdown->setObjectName(QStringLiteral("lbl_inBath"));
        countdown->setAlignment(Qt::AlignCenter);
        ui::setTwipGeometry(countdown, left + 293, top + 735, 1050, 345);
        connect(countdown, &ui::Label::clicked, this, [this, i] { lbl_inBath_Click(i); });
        lbl_inBath[i] = countdown;

        auto* iso = new ui::Label(this);
        iso->setObjectName(QStringLiteral("lbl_isoCode"));
        ui::setTwipGeometry(iso, left + 60, top + 1162, 1515, 315);
        connect(iso, &ui::Label::clicked, this, [this, i] { lbl_isoCode_Click(i); });
        lbl_isoCode[i] = iso;

        auto* marker = new ui::Image(this);
        marker->setObjectName(QStringLiteral("img_oldRack"));
        marker->setStretch(true);
        ui::setTwipGeometry(marker, left + 668, top + 430, 300, 300);
        marker->hide();
        connect(marker, &ui::Image::clicked, this, [this, i] { img_oldRack_Click(i); });
        img_oldRack[i] = marker;
    }
}

void Form_Test::Create_Header_Boxes()
{
    auto box = [this](const char* name, double width, double height, int border) {
        auto* shape = new ui::Shape(this);
        shape->setObjectName(QString::fromLatin1(name));
        shape->setBackOpaque(true);
        shape->setBorderWidth(border);
        ui::setTwipGeometry(shape, 0, 0, width, height);
        return shape;
    };
    shp_CountDown = box("shp_CountDown", 915, 630, 2);
    lbl_CountDown = new ui::Label(this);
    lbl_CountDown->setObjectName(QStringLiteral("lbl_CountDown"));
    lbl_CountDown->setAlignment(Qt::AlignCenter);
    ui::setTwipGeometry(lbl_CountDown, 30, 50, 855, 525);

    shp_rackName = box("shp_rackName", 5415, 630, 2);
    lbl_rackName = new ui::Label(this);
    lbl_rackName->setObjectName(QStringLiteral("lbl_rackName"));
    lbl_rackName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui::setTwipGeometry(lbl_rackName, 60, 50, 5295, 630);
    connect(lbl_rackName, &ui::Label::clicked, this, [this] { lbl_rackName_Click(); });

    img_refresh = new ui::Image(this);
    img_refresh->setObjectName(QStringLiteral("img_refresh"));
    img_refresh->setStretch(true);
    ui::setTwipGeometry(img_refresh, 0, 0, 630, 630);
    img_refresh->hide();
    connect(img_refresh, &ui::Image::clicked, this, [this] { img_refresh_Click(); });

    shp_ActiveWO = box("shp_ActiveWO", 915, 615, 2);
    lbl_ActiveWo = new ui::Label(this);
    lbl_ActiveWo->setObjectName(QStringLiteral("lbl_ActiveWo"));
    lbl_ActiveWo->setAlignment(Qt::AlignCenter);
    ui::setTwipGeometry(lbl_ActiveWo, 0, 60, 915, 375);
}

void Form_Test::Form_Load()
{
    using namespace commonModule;
    Is_Loading = true;
    img_refresh->loadPicture(designPicture(QStringLiteral("bttn_refresh.gif")));
    for (ui::Image* marker : img_oldRack) marker->loadPicture(designPicture(QStringLiteral("img_oldrack.gif")));
    Saved_Grid_Top = -1;
    Saved_Grid_Left = -1;

    Curr_Test_Group = QStringLiteral("PrtCount");
    Curr_Employee().Station = QStringLiteral("PARTICLE COUNT");
    Curr_Instrument_Id = QStringLiteral("PC002");
    Load_PC_Settings();
    Run_Kind = QStringLiteral("IDLE");
    Image_Dir = files::absolutePathName() + QStringLiteral("/");

    for (ui::Label* header : History->lbl_woHdr) Set_Font(header, QString(), QStringLiteral("verdana"), 7, true, Color_White);

    // The rack screen loads here, with the bench's cell size; its load lays the
    // bench out (Init) while Is_Loading holds.
    Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    rack.Cell_Width = static_cast<std::int16_t>(std::nearbyint(95 * ui::twipsPerPixelX()));
    rack.Cell_Height = static_cast<std::int16_t>(std::nearbyint(75 * ui::twipsPerPixelY()));
    rack.Load();
    rack.img_save->hide();  // nothing is saved on the rack screen of this station

    QPalette back = palette();
    back.setColor(QPalette::Window, Color_Form_Back);
    setPalette(back);
    setAutoFillBackground(true);

    ui::Default_Instance<form_pcGrid>::get().Show(this);

    History->shp_bg->setFillTransparent(false);
    History->shp_bg->setFillColor(Color_Navy);
    History->shp_bg->setBorderColor(Color_Border);
    History->Load_Element_Labels();
    History->Layout_History_Grid();
    History->History_Grid_Init();

    ui::Default_Instance<Form_Header>::loaded().lbl_Station->setCaption(Curr_Employee().Station + QStringLiteral(" STATION"));

    Set_Font(lbl_CountDown, QString::number(SAMPLES_BETWEEN_CHECKS), QStringLiteral("arial"), 20, true, Color_White);
    Set_Font(lbl_rackName, QString(), QStringLiteral("Arial"), 20, true, Color_White);
    shp_rackName->setBackColor(Color_Slate);
    shp_CountDown->setBackColor(Color_Slate);

    Rack_Header_Show(false, QString(), QString());
    Bath_Load_Content();
    Outstanding_Count_Show();
    Is_Loading = false;
}

void Form_Test::Form_Unload() { ui::Default_Instance<form_pcGrid>::Unload(); }

void Form_Test::Load_PC_Settings()
{
    SAMPLES_BETWEEN_CHECKS = 15;
    ISO5_FLUSH = 15;
    ISO15_FLUSH = 13;
    ISO5_CHECK = 15;
    ISO15_CHECK = 13;
    ISO5_SAMPLE = 18;
    ISO15_SAMPLE = 999;
    INIT_ISO_HIST_DECREASE = 22;
    ISO_HIST_DECREASE_MAX = 20;
    Shake_Time = 0;
    Bath_Time = 0;
    MAX_RACKS_IN_BATH = 0;

    Rack& rack = commonModule::Curr_Rack();
    rack.softWare_Name = QStringLiteral("PARTICLE_COUNT");
    rack.Load_Software_settings();

    // The values are read only when the station software row exists.
    if (records::isNumeric(rack.softWare_id) && db::textOf(rack.softWare_id).trimmed().toDouble() > 0) {
        QStringList problems;
        SAMPLES_BETWEEN_CHECKS = Read_Setting(QStringLiteral("SAMPLES_BETWEEN_CHECKS"), SAMPLES_BETWEEN_CHECKS, problems);
        ISO5_FLUSH = Read_Setting(QStringLiteral("ISO5_FLUSH"), ISO5_FLUSH, problems);
        ISO15_FLUSH = Read_Setting(QStringLiteral("ISO15_FLUSH"), ISO15_FLUSH, problems);
        ISO5_CHECK = Read_Setting(QStringLiteral("ISO5_CHECK"), ISO5_CHECK, problems);
        ISO15_CHECK = Read_Setting(QStringLiteral("ISO15_CHECK"), ISO15_CHECK, problems);
        ISO5_SAMPLE = Read_Setting(QStringLiteral("ISO5_SAMPLE"), ISO5_SAMPLE, problems);
        ISO15_SAMPLE = Read_Setting(QStringLiteral("ISO15_SAMPLE"), ISO15_SAMPLE, problems);
        INIT_ISO_HIST_DECREASE = Read_Setting(QStringLiteral("INIT_ISO_HIST_DECREASE"), INIT_ISO_HIST_DECREASE, problems);
        ISO_HIST_DECREASE_MAX = Read_Setting(QStringLiteral("ISO_HIST_DECREASE_MAX"), ISO_HIST_DECREASE_MAX, problems);
        Shake_Time = Read_Setting(QStringLiteral("SAMPLE_SHAKE_TIME"), Shake_Time, problems);
        Bath_Time = Read_Setting(QStringLiteral("SAMPLE_BATH_TIME"), Bath_Time, problems);
        MAX_RACKS_IN_BATH = Read_Setting(QStringLiteral("MAX_RACKS_IN_BATH"), MAX_RACKS_IN_BATH, problems);
        if (!problems.isEmpty()) commonModule::Show_Alert(problems.join(QLatin1Char('\n')));
    }
    Samples_Since_Check = SAMPLES_BETWEEN_CHECKS;
}

std::int16_t Form_Test::Read_Setting(const QString& name, std::int16_t current, QStringList& problems)
{
    const SettingsCollection& settings = commonModule::Curr_Rack().Settings;
    if (!settings.contains(name)) {
        problems << QStringLiteral("The station setting %1 is missing; the bench uses %2.").arg(name).arg(current);
        return current;
    }
    const QVariant value = settings(name).Value;
    const std::optional<std::int16_t> whole = wholeSetting(value);
    if (!whole) {
        problems << QStringLiteral("The station setting %1 has the value '%2', which is not a whole number; the bench "
                                   "uses %3.")
                        .arg(name, db::textOf(value))
                        .arg(current);
        return current;
    }
    return *whole;
}
