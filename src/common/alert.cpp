#include "common/alert.h"

#include "common/form_alert.h"

#include <QApplication>
#include <QTextStream>

namespace commonModule {
namespace {

// The message box of the station; a program without windows writes the message out.
void showFormAlert(const QString& message)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QTextStream(stderr) << message.trimmed() << Qt::endl;
        return;
    }
    Form_Alert::Message = message;
    ui::Default_Instance<Form_Alert>::get().Show_Modal(nullptr);
    ui::Default_Instance<Form_Alert>::Unload();
}

Alert_Presenter& presenter()
{
    static Alert_Presenter p = showFormAlert;
    return p;
}

}  // namespace

Alert_Presenter Set_Alert_Presenter(Alert_Presenter p)
{
    Alert_Presenter previous = std::move(presenter());
    presenter() = p ? std::move(p) : Alert_Presenter(showFormAlert);
    return previous;
}

void Show_Alert(const QString& sMessage)
{
    if (sMessage.trimmed().isEmpty()) return;
    presenter()(sMessage);
}

}  // namespace commonModule
