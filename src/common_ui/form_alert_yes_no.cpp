#include "common_ui/form_alert_yes_no.h"

#include "common/common_module.h"
#include "common/station_status.h"
#include "common_ui/message_box_art.h"
#include "common_ui/message_fit.h"
#include "common_ui/set_font.h"
#include "common_ui/window_place.h"
#include "platform/clock/clock.h"
#include "platform/ui/twips.h"

#include <QKeyEvent>

namespace {

ui::Label* touchArea(QWidget* parent, const char* name, double left, double top, double width, double height)
{
    auto* label = new ui::Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    ui::setTwipGeometry(label, left, top, width, height);
    return label;
}

Qt::Alignment alignmentOf(std::int16_t alignment)
{
    switch (alignment) {
    case 1:
        return Qt::AlignRight | Qt::AlignTop;
    case 2:
        return Qt::AlignHCenter | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

}  // namespace

Form_AlertYesNo::Form_AlertYesNo()
{
    setObjectName(QStringLiteral("Form_AlertYesNo"));
    ui::setTwipGeometry(this, 0, 0, 7950, 3120);
    picture_ = new ui::Image(this);
    picture_->setGeometry(0, 0, width(), height());
    lbl_Message = touchArea(this, "lbl_Message", 930, 210, 6105, 1725);
    lbl_Yes = touchArea(this, "lbl_Yes", 1800, 2085, 2205, 870);
    lbl_No = touchArea(this, "lbl_No", 4155, 2085, 2205, 870);
    lbl_Exit = touchArea(this, "lbl_Exit", 7080, 120, 735, 615);
    connect(lbl_Yes, &ui::Label::clicked, this, &Form_AlertYesNo::lbl_Yes_Click);
    connect(lbl_No, &ui::Label::clicked, this, &Form_AlertYesNo::lbl_No_Click);
    connect(lbl_Exit, &ui::Label::clicked, this, &Form_AlertYesNo::lbl_Exit_Click);
}

void Form_AlertYesNo::Form_Load()
{
    savedStatus_ = commonModule::App_Status;
    commonModule::App_Status = stationStatus::Idle;
    if (Font_Size == 0) Font_Size = 14;
    lbl_Message->setAlignment(alignmentOf(Alignment));
    commonModule::Set_Font(lbl_Message, QString(), QStringLiteral("Arial"), Font_Size, true, commonModule::Color_White);
    lbl_Message->setCaption(Message);
    fitMessage(this, lbl_Message);
    picture_->setGeometry(0, 0, width(), height());
    picture_->setPixmap(message_art::questionPanel(size(), lbl_Yes->geometry(), lbl_No->geometry(), lbl_Exit->geometry()));
    centreWindow(this);
}

void Form_AlertYesNo::answer(std::int16_t result)
{
    Result = result;
    ui::Default_Instance<Form_AlertYesNo>::Unload();
}

void Form_AlertYesNo::Form_Unload()
{
    commonModule::App_Status = savedStatus_;
    commonModule::Last_Activity = stationClock::now();
}

void Form_AlertYesNo::keyPressEvent(QKeyEvent* e)
{
    e->accept();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::AltModifier) return;
    switch (e->key()) {
    case Qt::Key_Y:
        answer(kYes);
        break;
    case Qt::Key_N:
        answer(kNo);
        break;
    case Qt::Key_O:
        answer(kExit);
        break;
    default:
        break;
    }
}
