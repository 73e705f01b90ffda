#include "bench/form_test.h"
#include "common_ui/message_box_presenter.h"
#include "labdb/labdb.h"
#include "shell/form_login.h"
#include "shell/station_form.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    commonUi::registerMessageBox();
    // The station ends only through its exits, not when its last window hides.
    app.setQuitOnLastWindowClosed(false);
    shell::registerStationForm<Form_Test>();

    Form_Login& login = ui::Default_Instance<Form_Login>::loaded();
    login.Show();
    return app.exec();
}
