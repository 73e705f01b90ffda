#include "shell/form_rack.h"

#include "common/common_module.h"
#include "common_ui/set_font.h"
#include "platform/ui/twips.h"
#include "shell/design_pictures.h"
#include "shell/form_header.h"
#include "shell/station_form.h"

#include <cmath>

namespace {

QString indexed(const char* name, int i) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i); }

ui::Label* cellLabel(QWidget* parent, const QString& name, double width, double height, const QString& caption)
{
    auto* l = ui::newControl<ui::Label>(parent, name, 0, 0, width, height);
    l->setAlignment(Qt::AlignCenter);
    l->setCaption(caption);
    return l;
}

ui::Image* picture(QWidget* parent, const char* name, double left, double top, double width, double height)
{
    auto* image = ui::newControl<ui::Image>(parent, name, left, top, width, height);
    image->setStretch(true);
    return image;
}

}  // namespace

Form_Rack::Form_Rack()
{
    setObjectName(QStringLiteral("Form_Rack"));
    stayUp();

    shp_rackPanel = ui::newControl<ui::Shape>(this, "shp_rackPanel", 120, 0, 7095, 7800);
    shp_rackPanel->setBorderWidth(3);
    auto* holder = ui::newControl<ui::Shape>(this, "shp_holder_0", 195, 750, 6960, 6840);
    holder->setBorderWidth(2);
    holder->setBackOpaque(true);
    ui::setTag(holder, QStringLiteral("RACK"));
    shp_holder.push_back(holder);

    for (int i = 0; i < kCells; ++i) {
        shp_sample[i] = ui::newControl<ui::Shape>(this, indexed("shp_sample", i), 0, 0, 1455, 1095);
        shp_sample[i]->setBorderWidth(10);
        shp_sample[i]->setBorderColor(QColor(224, 224, 224));
    }
    for (int i = 0; i < kCells; ++i) {
        lbl_sample[i] = cellLabel(this, indexed("lbl_sample", i), 1455, 1095, QStringLiteral("Sample_ID"));
        lbl_Info[i] = cellLabel(this, indexed("lbl_Info", i), 1335, 375, QStringLiteral("INFO"));
        lbl_Result[i] = cellLabel(this, indexed("lbl_Result", i), 1335, 375, QStringLiteral("RESULT"));
        img_sample_status_screen[i] = ui::newControl<ui::Image>(this, indexed("img_sample_status_screen", i), 0, 0, 480, 390);
        img_sample_status_water[i] = ui::newControl<ui::Image>(this, indexed("img_sample_status_water", i), 0, 0, 480, 390);
        img_sample_status_picture[i] = ui::newControl<ui::Image>(this, indexed("img_sample_status_picture", i), 0, 0, 480, 390);
        for (ui::Image* icon : {img_sample_status_screen[i], img_sample_status_water[i], img_sample_status_picture[i]}) {
            icon->setStretch(true);
            icon->hide();
        }
    }

    const char* navTags[] = {"PREV", "NEXT", "FIND"};
    for (int i = 0; i < 3; ++i) {
        bttn_Nav[i] = ui::newControl<ui::Image>(this, indexed("bttn_Nav", i), 0, 0, 630, 630);
        bttn_Nav[i]->setStretch(true);
        ui::setTag(bttn_Nav[i], QString::fromLatin1(navTags[i]));
        bttn_Nav[i]->hide();
    }

    img_Priority = picture(this, "img_Priority", 120, 0, 630, 630);
    ui::setTag(img_Priority, QStringLiteral("PRIORITY"));
    img_Priority->setToolTip(QStringLiteral("Find all outstanding racks"));
    img_retest = picture(this, "img_retest", 810, 0, 630, 630);
    ui::setTag(img_retest, QStringLiteral("RETEST"));
    img_retest->setToolTip(QStringLiteral("Find racks containing retests"));
    img_rush = picture(this, "img_rush", 1500, 0, 630, 630);
    ui::setTag(img_rush, QStringLiteral("RUSH"));
    img_rush->setToolTip(QStringLiteral("Find racks containing rush samples"));
    img_urgent = picture(this, "img_urgent", 2190, 0, 630, 630);
    ui::setTag(img_urgent, QStringLiteral("URGENT"));
    img_urgent->setToolTip(QStringLiteral("Find racks containing urgent (samples older than 48hours) samples"));
    img_critical = picture(this, "img_critical", 2880, 0, 630, 630);
    ui::setTag(img_critical, QStringLiteral("CRITICAL"));
    img_critical->setToolTip(QStringLiteral("Find racks containing critical (samples that have a severe result) samples"));

    img_ptr = picture(this, "img_ptr", 165, 60, 210, 195);
    img_ptr->hide();
    lbl_rackDesc = ui::newControl<ui::Label>(this, "lbl_rackDesc", 420, 0, 4455, 495);
    lbl_rackDesc->setWordWrap(false);
    lbl_rackDesc->setForeColor(Qt::white);
    lbl_rackDesc->setCaption(QStringLiteral("RACK_DESC"));
    lbl_RackDate = ui::newControl<ui::Label>(this, "lbl_RackDate", 0, 0, 3375, 375);
    lbl_RackDate->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl_RackDate->setWordWrap(false);
    lbl_RackDate->setForeColor(Qt::white);
    lbl_RackDate->setCaption(QStringLiteral("Rack Date"));
    lbl_RackStatus = ui::newControl<ui::Label>(this, "lbl_RackStatus", 0, 0, 4215, 375);
    lbl_RackStatus->setWordWrap(false);
    lbl_RackStatus->setForeColor(Qt::white);
    lbl_RackStatus->setCaption(QStringLiteral("Rack_Status"));
    img_save = picture(this, "img_save", 0, 0, 1200, 900);
    img_Exit = picture(this, "img_Exit", 120, 0, 990, 630);
    lbl_Exit = ui::newControl<ui::Label>(this, "lbl_Exit", 120, 0, 1215, 735);
    shp_ActiveWO = ui::newControl<ui::Shape>(this, "shp_ActiveWO", 0, 9525, 2175, 615);
    lbl_ActiveWo = ui::newControl<ui::Label>(this, "lbl_ActiveWo", 0, 9645, 2175, 375);
    lbl_ActiveWo->setAlignment(Qt::AlignCenter);

    flag_slots_ = {ui::Left(img_retest), ui::Left(img_rush), ui::Left(img_urgent), ui::Left(img_critical)};
    connectTouches();
}

void Form_Rack::connectTouches()
{
    for (int i = 0; i < kCells; ++i) {
        const auto index = static_cast<std::int16_t>(i);
        auto open = [this, index] { lbl_sample_Click(index); };
        connect(lbl_sample[i], &ui::Label::clicked, this, open);
        connect(lbl_Info[i], &ui::Label::clicked, this, open);
        connect(lbl_Result[i], &ui::Label::clicked, this, open);
        connect(img_sample_status_screen[i], &ui::Image::clicked, this, open);
        connect(img_sample_status_water[i], &ui::Image::clicked, this, open);
        connect(img_sample_status_picture[i], &ui::Image::clicked, this, open);
    }
    for (int i = 0; i < 3; ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(bttn_Nav[i], &ui::Image::clicked, this, [this, index] { bttn_Nav_Click(index); });
    }
    connect(img_Priority, &ui::Image::clicked, this, &Form_Rack::img_Priority_Click);
    connect(img_critical, &ui::Image::clicked, this, &Form_Rack::img_critical_Click);
    connect(img_urgent, &ui::Image::clicked, this, &Form_Rack::img_urgent_Click);
    connect(img_rush, &ui::Image::clicked, this, &Form_Rack::img_rush_Click);
    connect(img_retest, &ui::Image::clicked, this, &Form_Rack::img_retest_Click);
    connect(img_save, &ui::Image::clicked, this, &Form_Rack::img_save_Click);
    connect(img_Exit, &ui::Image::clicked, this, &Form_Rack::img_Exit_Click);
    connect(lbl_Exit, &ui::Label::clicked, this, &Form_Rack::lbl_Exit_Click);
}

QString Form_Rack::picturePath(const QString& fileName) const { return commonModule::Image_Dir + fileName; }

void Form_Rack::Form_Load()
{
    using namespace commonModule;
    const char* navPictures[] = {"bttn_prev.gif", "bttn_next.gif", "bttn_find.gif"};
    for (int i = 0; i < 3; ++i) bttn_Nav[i]->loadPicture(designPicture(QString::fromLatin1(navPictures[i])));
    img_Priority->loadPicture(designPicture(QStringLiteral("bttn_priority.gif")));
    img_ptr->loadPicture(designPicture(QStringLiteral("img_ptr.gif")));
    img_Exit->loadPicture(designPicture(QStringLiteral("bttn_exit.gif")));
    img_save->loadPicture(designPicture(QStringLiteral("bttn_save_idle.jpg")));

    lit_flag_ = img_Priority;
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

    Resize_Rack(0, 0);
    Show_Rack();

    shp_rackPanel->setFillColor(Color_Navy);
    shp_rackPanel->setBorderColor(Color_Border);
    lbl_rackDesc->setCaption(QString());
    lbl_RackDate->setCaption(QString());
    lbl_RackStatus->setCaption(QString());
    for (ui::Shape* h : shp_holder) {
        const bool rack = ui::tag(h).toString() == QLatin1String("RACK");
        h->setBorderColor(rack ? QColor(71, 80, 91) : Color_Border);
        h->setBackColor(rack ? Color_Grey : Color_Blue);
        h->setBackOpaque(true);
    }
    shp_ActiveWO->setBorderWidth(3);
    shp_ActiveWO->setBorderColor(Color_Border);
    shp_ActiveWO->setBackColor(Color_Navy);
    shp_ActiveWO->setBackOpaque(true);
    shp_ActiveWO->hide();
    lbl_ActiveWo->hide();
    Set_Font(lbl_ActiveWo, QString(), QStringLiteral("Eurostile"), 18, true, Color_Amber);

    StationForm* station = shell::stationForm();
    if (station) {
        station->Init();
        station->User_Login();
    }
    bttn_Nav_Click(1);
    ui::setWidth(this, ui::screenWidthTwips());

    flag_slots_ = {ui::Left(img_retest), ui::Left(img_rush), ui::Left(img_urgent), ui::Left(img_critical)};
    Refresh_Priority();

    Form_Header& header = ui::Default_Instance<Form_Header>::loaded();
    Set_Font(lbl_RackStatus, QString(), QStringLiteral("Eurostile"), 12, false, Color_Amber);
    const auto descSize = static_cast<std::int16_t>(std::nearbyint(header.lbl_Station->font().pointSizeF() - 2));
    Set_Font(lbl_rackDesc, QString(), QStringLiteral("Arial Black"), descSize, false, Color_Amber);
    Set_Font(lbl_RackDate, QString(), QStringLiteral("Eurostile"), 11, true, QColor(91, 101, 110));
    // The first rack's sign was fitted in the font the panel had before.
    Show_Custody();

    header.Show(this);
    if (station) station->window().Show(this);
}

void Form_Rack::Form_Unload() { commonModule::Reset_Globals(); }
