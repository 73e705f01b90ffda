#include "common_ui/form_alert.h"

#include "common/common_module.h"
#include "common/station_status.h"
#include "common_ui/message_box_art.h"
#include "common_ui/message_fit.h"
#include "common_ui/set_font.h"
#include "common_ui/window_place.h"
#include "platform/clock/clock.h"
#include "platform/ui/twips.h"

#include <QKeyEvent>

Form_Alert::Form_Alert()
{
    setObjectName(QStringLiteral("Form_Alert"));
    ui::setTwipGeometry(this, 0, 0, 7965, 3135);
    picture_ = new ui::Image(this);
    picture_->setGeometry(0, 0, width(), height());
    lbl_Message = new ui::Label(this);
    lbl_Message->setObjectName(QStringLiteral("lbl_Message"));
    ui::setTwipGeometry(lbl_Message, 690, 360, 6555, 1365);
    lbl_ok = new ui::Label(this);
    lbl_ok->setObjectName(QStringLiteral("lbl_ok"));
    ui::setTwipGeometry(lbl_ok, 2850, 1950, 2295, 975);
    connect(lbl_ok, &ui::Label::clicked, this, &Form_Alert::lbl_ok_Click);
}

void Form_Alert::Form_Load()
{
    savedStatus_ = commonModule::App_Status;
    commonModule::App_Status = stationStatus::Idle;
    commonModule::Set_Font(lbl_Message, QString(), QStringLiteral("Arial"), 14, true, commonModule::Color_White);
    lbl_Message->setCaption(Message);
    fitMessage(this, lbl_Message);
    picture_->setGeometry(0, 0, width(), height());
    picture_->setPixmap(message_art::alertPanel(size(), lbl_ok->geometry()));
    centreWindow(this);
}

void Form_Alert::lbl_ok_Click() { ui::Default_Instance<Form_Alert>::Unload(); }

void Form_Alert::Form_Unload()
{
    commonModule::App_Status = savedStatus_;
    commonModule::Last_Activity = stationClock::now();
}

void Form_Alert::keyPressEvent(QKeyEvent* e)
{
    // The box closes only through its OK area; Escape must not slip past it.
    e->accept();
}
