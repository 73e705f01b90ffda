#include "shell/form_login.h"

#include "common/alert.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common/station_config.h"
#include "common/station_status.h"
#include "common_ui/set_font.h"
#include "common_ui/window_place.h"
#include "platform/clock/clock.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "records/rack.h"
#include "shell/design_pictures.h"
#include "shell/form_header.h"
#include "shell/form_key_input.h"
#include "shell/form_rack.h"
#include "shell/lock_request.h"
#include "shell/station_form.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

Form_Login::Exit_Action& exitAction()
{
    static Form_Login::Exit_Action action;
    return action;
}

QPushButton* greyButton(QWidget* parent, const char* name, const QString& caption, double left)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    ui::setTwipGeometry(b, left, 360, 1695, 735);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, QColor(128, 128, 128));
    b->setPalette(p);
    return b;
}

}  // namespace

Form_Login::Form_Login()
{
    setObjectName(QStringLiteral("Form_Login"));
    stayUp();
    img_Login_ = new ui::Image(this);
    img_Login_->setObjectName(QStringLiteral("img_Login_"));
    ui::setTwipGeometry(img_Login_, 0, 0, 19200, 13050);
    cmd_Login = greyButton(this, "cmd_Login", QStringLiteral("Login"), 240);
    cmd_Exit = greyButton(this, "cmd_Exit", QStringLiteral("Exit"), 2280);
    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);

    connect(cmd_Login, &QPushButton::clicked, this, &Form_Login::cmd_Login_Click);
    connect(cmd_Exit, &QPushButton::clicked, this, &Form_Login::cmd_Exit_Click);
    connect(Timer1, &QTimer::timeout, this, &Form_Login::Timer1_Timer);
    connect(&shell::LockRequest::instance(), &shell::LockRequest::requested, this, &Form_Login::showSplash);
}

void Form_Login::setExitAction(Exit_Action action) { exitAction() = std::move(action); }

void Form_Login::Form_Load()
{
    First_Start = true;
    dbModule::Conn_String = stationConnectionString(readStationConfig());
    commonModule::Init_Colors();
    commonModule::App_Status = stationStatus::Idle;
    commonModule::Last_Activity = stationClock::now();

    ui::setTwipGeometry(this, 0, 0, ui::screenWidthTwips(), ui::screenHeightTwips());
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    // The splash is shown at its own size; without its file the place stays black.
    if (img_Login_->loadPicture(designPicture(QStringLiteral("splash.jpg")))) {
        const QSize own = img_Login_->pixmap().size();
        ui::setWidth(img_Login_, own.width() * ui::twipsPerPixelX());
        ui::setHeight(img_Login_, own.height() * ui::twipsPerPixelY());
    }
    ui::setTop(img_Login_, (ui::Height(this) - ui::Height(img_Login_)) / 2);
    ui::setLeft(img_Login_, (ui::Width(this) - ui::Width(img_Login_)) / 2);
    ui::setTop(cmd_Login, ui::Top(img_Login_));
    ui::setTop(cmd_Exit, ui::Top(cmd_Login));

    commonModule::Set_Font(cmd_Exit, cmd_Exit->text(), QStringLiteral("Eurostile"), 16, true, commonModule::Color_Amber);
    commonModule::Set_Font(cmd_Login, cmd_Login->text(), QStringLiteral("Eurostile"), 16, true, commonModule::Color_Amber);
}

void Form_Login::App_Exit() { cmd_Exit_Click(); }

void Form_Login::showSplash() { Hide_Forms(); }

void Form_Login::reAlign_Forms()
{
    if (First_Start) return;
    auto put = [](QWidget& w, const Saved_Place& place) {
        if (!place.top.isValid()) return;
        ui::setTop(&w, place.top.toDouble());
        ui::setLeft(&w, place.left);
    };
    if (StationForm* station = shell::stationForm()) put(station->window(), test_);
    put(ui::Default_Instance<Form_Header>::loaded(), header_);
    put(ui::Default_Instance<Form_Rack>::loaded(), rack_);
}

void Form_Login::Hibernate() { commonModule::Last_Activity = stationClock::now().addSecs(-600); }

void Form_Login::cmd_Login_Click()
{
    using namespace commonModule;
    const QString previousStatus = App_Status;
    App_Status = stationStatus::Login;
    bool entry = false;

    Form_KeyInput& keyboard = ui::Default_Instance<Form_KeyInput>::loaded();
    keyboard.txt_Input->setPasswordChar(QStringLiteral("*"));
    keyboard.lbl_Desc->setCaption(QStringLiteral("Enter Password"));
    keyboard.Show_Modal(this);

    const QString input = Form_KeyInput::Input_Text;
    bool refusalTold = false;
    if (!input.trimmed().isEmpty()) {
        entry = true;
        const unsigned long toldBefore = alertsShown();
        Login_Ok = Curr_Employee().Login(input);
        refusalTold = alertsShown() != toldBefore;
        ui::Default_Instance<Form_Header>::loaded().showUser();
    }
    ui::Default_Instance<Form_KeyInput>::Unload();

    if (entry) {
        if (!Login_Ok) {
            // Where the check has already said why (no laboratory, a refused number),
            // nothing more is said.
            if (!refusalTold) Show_Alert(QStringLiteral("Invalid login provided, please try again."));
        } else {
            // Another technician at the station takes over the rack it holds.
            if (ui::Default_Instance<Form_Rack>::exists()) ui::Default_Instance<Form_Rack>::get().Hand_Over_Rack();
            reAlign_Forms();
            if (StationForm* station = shell::stationForm()) {
                station->window().Show();
                station->reActivate();
            }
            ui::Default_Instance<Form_Header>::loaded().Show();
            Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
            rack.Show(this);
            raiseOwnedWindows(&rack);
            hide();
            First_Start = false;
        }
        Timer1->start();
        App_Status = stationStatus::Active;
        Last_Activity = stationClock::now();
    } else {
        App_Status = previousStatus;
        if (App_Status != stationStatus::Active) Timer1->stop();
    }
}

void Form_Login::cmd_Exit_Click()
{
    End_Without_Screen();
    if (exitAction()) {
        exitAction()();
        return;
    }
    std::exit(0);
}

void Form_Login::End_Without_Screen()
{
    // The give-backs the laboratory has not received yet go first, each in its
    // holder's name (also those a station before this one left, when nobody has
    // logged in since), then the shown rack when the station may hold it. What still
    // gets no answer stays owed; nothing is asked.
    if (std::exchange(Ending, true)) return;
    if (StationForm* station = shell::stationForm(false)) station->Stop_At_The_End();
    commonModule::Curr_Rack().Give_Back_At_The_End();
    Ending = false;
}

void Form_Login::Timer1_Timer()
{
    using namespace commonModule;
    if (App_Status != stationStatus::Active) return;
    const bool idle = !Last_Activity.isValid() || Last_Activity.secsTo(stationClock::now()) >= 300;
    if (idle) Hide_Forms();
}

void Form_Login::Hide_Forms()
{
    // Only work forms that exist are saved and hidden: a form that was never
    // brought up is not created here, so a station nobody has logged into yet
    // loads no rack and takes no custody while it hibernates.
    auto save = [](const QWidget& w, Saved_Place& place) {
        place.top = ui::Top(&w);
        place.left = static_cast<std::int16_t>(std::nearbyint(ui::Left(&w)));
    };
    StationForm* station = shell::stationForm(false);
    const bool headerExists = ui::Default_Instance<Form_Header>::exists();
    const bool rackExists = ui::Default_Instance<Form_Rack>::exists();
    if (headerExists) save(ui::Default_Instance<Form_Header>::get(), header_);
    if (rackExists) save(ui::Default_Instance<Form_Rack>::get(), rack_);
    if (station) save(station->window(), test_);

    Show();
    commonModule::App_Status = stationStatus::Hibernate;
    if (station) {
        station->Hibernate();
        station->window().Hide();
    }
    if (rackExists) ui::Default_Instance<Form_Rack>::get().Hide();
    if (headerExists) ui::Default_Instance<Form_Header>::get().Hide();
}
