#include "shell/form_header.h"

#include "common/common_module.h"
#include "common/iso_module.h"
#include "common_ui/header_status.h"
#include "common_ui/set_font.h"
#include "platform/clock/clock.h"
#include "platform/ui/pictures.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "shell/design_pictures.h"
#include "shell/lock_request.h"

#include <cmath>

Form_Header::Form_Header()
{
    setObjectName(QStringLiteral("Form_Header"));
    stayUp();
    ui::setTwipGeometry(this, 0, 0, 12735, 1125);
    shp_mainPanel = ui::newControl<ui::Shape>(this, "shp_mainPanel", 90, 240, 11235, 855);
    shp_mainPanel->setBorderWidth(3);
    img_Login = ui::newControl<ui::Image>(this, "img_Login", 240, 330, 630, 630);
    img_Login->setStretch(true);
    lbl_Station = ui::newControl<ui::Label>(this, "lbl_Station", 960, 270, 6135, 495);
    lbl_Station->setForeColor(Qt::white);
    lbl_Station->setCaption(QStringLiteral("Station"));
    lbl_Station->setWordWrap(false);
    lbl_UserDesc = ui::newControl<ui::Label>(this, "lbl_UserDesc", 960, 750, 3015, 255);
    lbl_UserDesc->setForeColor(Qt::white);
    lbl_UserDesc->setCaption(QStringLiteral("User_Description"));
    lbl_UserDesc->setWordWrap(false);
    img_iso = ui::newControl<ui::Image>(this, "img_iso", 10560, 330, 630, 630);
    img_iso->setStretch(true);
    lbl_Status = ui::newControl<ui::Label>(this, "lbl_Status", 4800, 840, 5655, 255);
    lbl_Status->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl_Status->setForeColor(Qt::white);
    lbl_Status->setWordWrap(false);

    connect(img_Login, &ui::Image::clicked, this, &Form_Header::img_Login_Click);
    connect(lbl_UserDesc, &ui::Label::clicked, this, &Form_Header::lbl_UserDesc_Click);
    connect(img_iso, &ui::Image::clicked, this, &Form_Header::img_iso_Click);
}

void Form_Header::Form_Load()
{
    using namespace commonModule;
    img_Login->loadPicture(designPicture(QStringLiteral("bttn_login.gif")));
    img_iso->loadPicture(designPicture(QStringLiteral("bttn_iso.gif")));

    ui::setTop(this, 0);
    ui::setLeft(this, 0);
    shp_mainPanel->setBackOpaque(false);
    shp_mainPanel->setFillColor(Color_Navy);
    shp_mainPanel->setBorderColor(Color_Border);
    QPalette back = palette();
    back.setColor(QPalette::Window, Color_Form_Back);
    const QPixmap texture = ui::loadPicture(designPicture(QStringLiteral("bg_workform.gif")));
    if (!texture.isNull()) back.setBrush(QPalette::Window, QBrush(Color_Form_Back, texture));
    setPalette(back);
    setAutoFillBackground(true);
    ui::setWidth(this, ui::screenWidthTwips());

    Set_Font(lbl_UserDesc, QString(), QStringLiteral("Arial"), 10, true, Color_White);
    Set_Font(lbl_Station, QString(), QStringLiteral("Arial"), 22, true, Color_Amber);
    Set_Font(lbl_Status, QString(), QStringLiteral("Arial"), 8, true, Color_White);
    showStation();
    showUser();

    ui::setTop(img_Login, std::nearbyint(ui::Top(shp_mainPanel) + ui::Height(shp_mainPanel) / 2 - ui::Height(img_Login) / 2));
    ui::setLeft(lbl_Station, ui::Left(img_Login) + ui::Width(img_Login) + 5 * ui::twipsPerPixelX());
    ui::setLeft(lbl_UserDesc, ui::Left(lbl_Station));

    Set_Status_Line(lbl_Status);
}

void Form_Header::Resize_Panel(std::int16_t iWidth)
{
    ui::setWidth(shp_mainPanel, iWidth);
    const double isoWidth = ui::Width(img_iso);
    ui::setLeft(img_iso, ui::Left(shp_mainPanel) + ui::Width(shp_mainPanel) - 1.2 * isoWidth);
    ui::setLeft(lbl_Status, ui::Left(img_iso) - std::nearbyint(0.1 * isoWidth) - ui::Width(lbl_Status));
}

void Form_Header::img_Login_Click() { shell::LockRequest::instance().announce(); }

void Form_Header::showUser() { lbl_UserDesc->setCaption(commonModule::Curr_Employee().Full_name.toLower()); }

void Form_Header::showStation()
{
    const QString group = commonModule::Curr_Test_Group.trimmed();
    const QString groupText = group.isEmpty() ? QString() : QStringLiteral("[ ") + group + QStringLiteral(" ]");
    lbl_Station->setCaption(commonModule::Curr_Employee().Station + QStringLiteral(" STATION ") + groupText.trimmed());
}

void Form_Header::img_iso_Click()
{
    commonModule::Last_Activity = stationClock::now();
    isoModule::Open_ISO_Document(commonModule::Curr_Test_Group);
}
