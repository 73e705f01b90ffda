#include "common_ui/message_box_presenter.h"

#include "common/alert.h"
#include "common_ui/form_alert.h"

#include <QApplication>
#include <QTextStream>

namespace commonUi {
namespace {

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

}  // namespace

void registerMessageBox() { commonModule::Set_Alert_Presenter(showFormAlert); }

}  // namespace commonUi
