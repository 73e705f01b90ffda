#include "bench/form_action.h"

#include "bench/count_logs.h"
#include "bench/count_report.h"
#include "bench/counter_link.h"
#include "bench/counter_port.h"
#include "bench/sample_photos.h"
#include "common/alert.h"
#include "common/common_module.h"
#include "common/station_config.h"
#include "common/station_status.h"
#include "common_ui/set_font.h"
#include "common_ui/window_place.h"
#include "platform/clock/clock.h"
#include "platform/ui/twips.h"
#include "shell/design_pictures.h"

namespace {

const QColor kDialogBack(41, 46, 53);

struct ReasonRow {
    const char* action;
    const char* reason;
    const char* code;
};

constexpr ReasonRow kReasons[form_Action::Reason_Count] = {
    {"Delete", "Not enough sample to perform PrtCount or PrtFilter ", "NOT_ENOUGH"},
    {"PrtFilter", "Too much water present ", "HIGH_H2O"},
    {"PrtFilter", "Fire Retardant ", "HIGH_H2O"},
    {"PrtFilter", "Sample is too dark ", "TOO_DARK"},
    {"PrtFilter", "Sample is opaque ", "TOO_CLOUDY"},
};

}  // namespace

form_Action::form_Action()
{
    setObjectName(QStringLiteral("form_Action"));
    ui::setTwipGeometry(this, 0, 0, 12720, 7890);

    shp_bg = ui::newControl<ui::Shape>(this, QStringLiteral("shp_bg"), 0, 0, 12720, 7890);
    shp_bg->setBorderWidth(3);
    shp_mainPanel = ui::newControl<ui::Shape>(this, QStringLiteral("shp_mainPanel"), 150, 150, 12435, 465);
    lbl_Title = ui::newControl<ui::Label>(this, QStringLiteral("lbl_Title"), 210, 210, 6135, 405);
    lbl_Title->setCaption(QStringLiteral("Particle count tasks"));
    lbl_labNumber = ui::newControl<ui::Label>(this, QStringLiteral("lbl_labNumber"), 7560, 120, 4875, 495);
    lbl_actionDescription = ui::newControl<ui::Label>(this, QStringLiteral("lbl_actionDescription"), 120, 780, 4785, 345);
    lbl_actionDescription->setCaption(QStringLiteral("I want to remove this sample because....."));

    for (int i = 0; i < Reason_Count; ++i) {
        const double left = 120 + 2100.0 * i;
        img_action[i] = ui::newControl<ui::Image>(this, QStringLiteral("img_action_%1").arg(i), left, 1170, 1965, 1200);
        img_action[i]->setStretch(true);
        lbl_action[i] = ui::newControl<ui::Label>(this, QStringLiteral("lbl_action_%1").arg(i), left, 1830, 1965, 210);
        lbl_action[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lbl_action[i]->setCaption(QString::fromLatin1(kReasons[i].action));
        lbl_action_desc[i] = ui::newControl<ui::Label>(this, QStringLiteral("lbl_action_desc_%1").arg(i), left, 2040, 1965, 735);
        lbl_action_desc[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lbl_action_desc[i]->setWordWrap(true);
        lbl_action_desc[i]->setCaption(QString::fromLatin1(kReasons[i].reason));
        ui::setTag(lbl_action_desc[i], QString::fromLatin1(kReasons[i].code));
        const auto index = static_cast<std::int16_t>(i);
        auto tap = [this, index] { img_action_Click(index); };
        connect(img_action[i], &ui::Image::clicked, this, tap);
        connect(lbl_action[i], &ui::Label::clicked, this, tap);
        connect(lbl_action_desc[i], &ui::Label::clicked, this, tap);
    }

    img_remove = ui::newControl<ui::Image>(this, QStringLiteral("img_remove"), 10620, 1170, 1965, 1200);
    img_remove->setStretch(true);
    lbl_remove = ui::newControl<ui::Label>(this, QStringLiteral("lbl_remove"), 10740, 1530, 1725, 840);
    lbl_remove->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    lbl_remove->setWordWrap(true);
    lbl_remove->setCaption(QStringLiteral("Remove from bath"));
    connect(img_remove, &ui::Image::clicked, this, &form_Action::img_remove_Click);
    connect(lbl_remove, &ui::Label::clicked, this, &form_Action::img_remove_Click);

    for (int i = 0; i < 2; ++i) {
        img_sample[i] = ui::newControl<ui::Image>(this, QStringLiteral("img_sample_%1").arg(i), i == 0 ? 1080 : 6600, 2790, 4800, 3600);
        img_sample[i]->setStretch(true);
        QPalette frame = img_sample[i]->palette();
        frame.setColor(QPalette::WindowText, Qt::white);
        img_sample[i]->setPalette(frame);
    }

    fra_Flush = ui::newControl<QFrame>(this, QStringLiteral("fra_Flush"), 0, 3120, 10665, 1635);
    lbl_Flush = ui::newControl<ui::Label>(fra_Flush, QStringLiteral("lbl_Flush"), 0, 0, 10665, 1635);
    lbl_Flush->setAlignment(Qt::AlignCenter);
    fra_Flush->hide();

    img_RunSample = ui::newControl<ui::Image>(this, QStringLiteral("img_RunSample"), 4620, 6690, 3255, 900);
    img_RunSample->setStretch(true);
    img_Close = ui::newControl<ui::Image>(this, QStringLiteral("img_Close"), 10590, 6720, 1965, 900);
    img_Close->setStretch(true);
    connect(img_RunSample, &ui::Image::clicked, this, &form_Action::img_RunSample_Click);
    connect(img_Close, &ui::Image::clicked, this, &form_Action::img_Close_Click);

    // The design pictures of the reason rows, the removal and the close button.
    for (int i = 0; i < Reason_Count; ++i) img_action[i]->loadPicture(designPicture(QStringLiteral("bttn_reason_%1.gif").arg(i)));
    img_remove->loadPicture(designPicture(QStringLiteral("bttn_remove.gif")));
    img_Close->loadPicture(designPicture(QStringLiteral("bttn_close.gif")));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &form_Action::Timer1_Timer);
}

form_Action::~form_Action() = default;

void form_Action::Form_Load()
{
    MSComm1 = new CounterLink(counterPort::make(), Received_Data, this);
    connect(MSComm1, &CounterLink::reportReceived, this, &form_Action::Report_Received);
    connect(MSComm1, &CounterLink::reportNotOurs, this, &form_Action::Report_Not_Ours);
    connect(MSComm1, &CounterLink::cannotConnect, this, &form_Action::Tell_Cannot_Connect);
    MSComm1->Dialog_State = QStringLiteral("IDLE");
    Foreign_Report_Told = false;

    Reset_Interface();
    centreWindow(this);

    MSComm1->Reset_Port();
    MSComm1->Counter_Command(QStringLiteral("INITIALIZE"));
    Timer1->start();
}

void form_Action::Form_Unload()
{
    Timer1->stop();
    if (MSComm1) {
        // The port closes with the dialog; nothing is sent at closing.
        MSComm1->disconnect(this);
        MSComm1->port().close();
    }
    commonModule::App_Status = stationStatus::Active;
    commonModule::Last_Activity = stationClock::now();
}

void form_Action::Reset_Interface()
{
    using namespace commonModule;
    App_Status = stationStatus::Idle;

    shp_mainPanel->setBackOpaque(false);
    shp_mainPanel->setFillTransparent(false);
    shp_mainPanel->setFillColor(Color_Navy);
    shp_mainPanel->setBorderColor(Color_White);
    QPalette back = palette();
    back.setColor(QPalette::Window, kDialogBack);
    setPalette(back);
    setAutoFillBackground(true);
    shp_bg->setBorderColor(Color_White);
    ui::setLeft(shp_bg, 0);
    ui::setTop(shp_bg, 0);

    const QString arial = QStringLiteral("Arial");
    for (int i = 0; i < Reason_Count; ++i) {
        lbl_action[i]->setOpaque(false);
        lbl_action_desc[i]->setOpaque(false);
        Set_Font(lbl_action[i], lbl_action[i]->caption().toUpper(), arial, 8, true, Color_White);
        Set_Font(lbl_action_desc[i], lbl_action_desc[i]->caption().toUpper(), arial, 8, true, Color_White);
    }
    lbl_remove->setOpaque(false);
    Set_Font(lbl_remove, lbl_remove->caption().toUpper(), arial, 8, true, Color_White);
    Set_Font(lbl_Title, QStringLiteral("Particle count tasks"), arial, 14, true, Color_Amber);
    lbl_labNumber->setOpaque(false);
    lbl_labNumber->setAlignment(Qt::AlignRight | Qt::AlignTop);
    ui::setTop(lbl_labNumber, ui::Top(lbl_Title));
    Set_Font(lbl_labNumber, QStringLiteral("Labnumber : ") + Sample_Id, arial, 14, true, Color_White);
    lbl_actionDescription->setOpaque(false);
    Set_Font(lbl_actionDescription, lbl_actionDescription->caption(), arial, 8, true, Color_White);

    img_RunSample->loadPicture(Image_Dir + QStringLiteral("bttn_startcounter_idle.jpg"));

    if (Sample_Id != QLatin1String("FLUSH") && Sample_Id != QLatin1String("CHECK"))
        Sample_Layout();
    else
        Check_Flush_Layout();

    ui::setWidth(shp_bg, ui::Width(this) - 3 * ui::twipsPerPixelX());
    ui::setHeight(shp_bg, ui::Height(this) - 3 * ui::twipsPerPixelY());
    shp_bg->raise();
}

void form_Action::Sample_Layout()
{
    for (int i = 0; i < Reason_Count; ++i) {
        img_action[i]->show();
        lbl_action[i]->show();
        lbl_action_desc[i]->show();
    }
    img_remove->show();
    lbl_remove->show();

    const QString share = stationConfig().sampleImageShare;
    const samplePhotos::View views[2] = {samplePhotos::View::Bottom, samplePhotos::View::Colour};
    bool anyPhoto = false;
    for (int i = 0; i < 2; ++i) {
        ui::Image* photo = img_sample[i];
        photo->loadPicture(QString());
        const QString file = samplePhotos::find(share, Sample_Id, views[i]);
        const bool shown = !file.isEmpty() && photo->loadPicture(file);
        photo->setFrameShape(shown ? QFrame::Box : QFrame::NoFrame);
        anyPhoto = anyPhoto || shown;
        ui::setWidth(photo, 4800);
        ui::setHeight(photo, 3600);
        photo->show();
    }
    if (!anyPhoto) {
        ui::setTop(img_RunSample, ui::Top(img_sample[0]));
        ui::setTop(img_Close, ui::Top(img_sample[0]));
    }
    ui::setHeight(this, ui::Top(img_RunSample) + 1.1 * ui::Height(img_RunSample));

    ui::setTop(img_RunSample, ui::Top(img_RunSample) - 10 * ui::twipsPerPixelY());
    ui::setTop(img_Close, ui::Top(img_RunSample));
}

void form_Action::Check_Flush_Layout()
{
    for (int i = 0; i < Reason_Count; ++i) {
        img_action[i]->hide();
        lbl_action[i]->hide();
        lbl_action_desc[i]->hide();
    }
    img_remove->hide();
    lbl_remove->hide();

    ui::setTwipGeometry(fra_Flush, 30, 30, ui::Width(this) - 120, 1600);
    QPalette back = fra_Flush->palette();
    back.setColor(QPalette::Window, kDialogBack);
    fra_Flush->setPalette(back);
    fra_Flush->setAutoFillBackground(true);
    ui::setTwipGeometry(lbl_Flush, 0, 0, ui::Width(fra_Flush), ui::Height(fra_Flush));
    const QString banner = Sample_Id == QLatin1String("CHECK") ? QStringLiteral("Run Process Control Sample")
                                                               : QStringLiteral("Flush required");
    commonModule::Set_Font(lbl_Flush, banner, QStringLiteral("Arial"), 35, true, commonModule::Color_White);
    fra_Flush->show();
    fra_Flush->raise();

    img_sample[0]->hide();
    img_sample[1]->hide();

    const double below = ui::Top(fra_Flush) + ui::Height(fra_Flush);
    ui::setTop(img_RunSample, below + 0.1 * ui::Height(img_RunSample));
    ui::setTop(img_Close, ui::Top(img_RunSample));
    ui::setHeight(this, below + 1.3 * ui::Height(img_RunSample));
}

bool form_Action::Counter_Command(const QString& commandStr) { return MSComm1 && MSComm1->Counter_Command(commandStr); }

bool form_Action::Counter_Start(const QString& sSampleType, const QString& sCommand)
{
    return MSComm1 && MSComm1->Counter_Start(sSampleType, sCommand);
}

QString form_Action::dialogState() const { return MSComm1 ? MSComm1->Dialog_State : QStringLiteral("IDLE"); }

void form_Action::Report_Received()
{
    Timer1->stop();
    Action_Result = QStringLiteral("COUNT");
    hide();
}

bool form_Action::Log_Report(const QString& received)
{
    const countReport::Count_Report report = countReport::Read_Report(received);
    for (const QString& earlier : report.earlier_lines) countLogs::Write_Active_Log(earlier);
    return countLogs::Write_Active_Log(report.report_line);
}

void form_Action::Report_Not_Ours(const QString& received)
{
    const bool kept = Log_Report(received);
    // A dialog being left says nothing; its sample is done with.
    if (Foreign_Report_Told || !isVisible()) return;
    Foreign_Report_Told = true;
    QString message = QStringLiteral("The counter sent a report for no count started in this dialog. ");
    message += kept ? QStringLiteral("It is kept in %1 and was not stored.").arg(countLogs::Active_Log)
                    : QStringLiteral("It was not stored.");
    // Told once the receive event is over: the message box runs its own loop, and the
    // counter's lines, the report of this dialog's own count among them, must go on
    // coming in while it is up.
    QTimer::singleShot(0, this, [this, message] {
        if (isVisible()) commonModule::Show_Alert(message);
    });
}

void form_Action::Tell_Cannot_Connect(const QString& device, const QString& reason)
{
    QString message = QStringLiteral("Cannot connect to device ");
    message += device.trimmed().isEmpty() ? QStringLiteral("(no serial_device under [counter] in station.ini)") : device;
    if (!reason.isEmpty() && !device.trimmed().isEmpty()) message += QStringLiteral(" (") + reason + QStringLiteral(")");
    commonModule::Show_Alert(message);
}
