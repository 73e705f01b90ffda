#include "app/station_start.h"

#include "bench/form_test.h"
#include "platform/files/text_file.h"
#include "platform/ui/session_end.h"
#include "records/rack.h"
#include "shell/form_login.h"
#include "shell/station_form.h"

#include <QApplication>

Form_Login& startStation()
{
    // A broken write to the X server or to a pipe is an error its call reports, so
    // that the station lives on to take its own end.
    ui::survivesBrokenWrites();
    // The station ends only through its exits, not when its last window hides.
    QApplication::setQuitOnLastWindowClosed(false);
    shell::registerStationForm<Form_Test>();

    Form_Login& login = ui::Default_Instance<Form_Login>::loaded();
    // What the station still owed the laboratory when it last ended without its
    // exit (killed, a power cut) is given back before its first call about a rack.
    commonModule::Curr_Rack().Keep_Owed_Racks_In(files::absolutePathName(QString::fromLatin1(OwedRacks::kFileName)));
    // A shutdown or the session's end takes the road of the station's exit; when
    // the display goes, what that road does without a screen is done before the
    // window system ends the process.
    ui::endOnSessionSignals([&login] { login.App_Exit(); });
    ui::whenTheDisplayGoes([&login] { login.End_Without_Screen(); });
    login.Show();
    return login;
}
