#include "bench/form_test.h"
#include "common_ui/message_box_presenter.h"
#include "labdb/labdb.h"
#include "platform/files/text_file.h"
#include "platform/ui/session_end.h"
#include "records/rack.h"
#include "shell/form_login.h"
#include "shell/station_form.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kUsage[] = R"(usage: pcstation [--help]

The bench program of the particle-count station: full screen, on its login screen.
It runs in the current folder, the station folder, and reads there:
  the pictures of its screens   drawn by picture_maker FOLDER; without them the
                                places of the pictures stay empty
  station.ini                   the installation's settings, each key on a line of
                                its own below its section (all optional):
      [database]  odbc_data_source   ODBC data source of the laboratory's database
      [counter]   serial_device      serial device of the particle counter
      [images]    sample_share       folder of the laboratory's sample photographs
      [documents] server             host that serves the work instructions
      [browser]   program            opens a work instruction (default xdg-open)
  labdata.db                    the embedded laboratory database, used when no data
                                source is named
It appends the counter's reports to PC_Active.csv, PC_STD_Passed.csv and
PC_STD_Error.csv there, and writes its own messages to standard error.

It needs a display: an X server named by DISPLAY (or Wayland), or a Qt platform
named by QT_QPA_PLATFORM (offscreen: a run that nobody sees). It ends with Exit on
its login screen or EXIT on the bench, and on SIGTERM, SIGHUP or SIGINT (a shutdown,
the session's end, Ctrl-C) as it does on Exit. The racks it holds for the
laboratory, and those it could not give back, are noted in owed_racks.txt there and
given back at its next start.
)";

// Asked before anything starts: the help needs no display and touches nothing.
bool helpAsked(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (helpAsked(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    commonUi::registerMessageBox();
    // The station ends only through its exits, not when its last window hides.
    app.setQuitOnLastWindowClosed(false);
    shell::registerStationForm<Form_Test>();

    Form_Login& login = ui::Default_Instance<Form_Login>::loaded();
    // What the station still owed the laboratory when it last ended without its
    // exit (killed, a power cut) is given back before its first call about a rack.
    commonModule::Curr_Rack().Keep_Owed_Racks_In(files::absolutePathName(QString::fromLatin1(OwedRacks::kFileName)));
    // A shutdown or the session's end takes the road of the station's exit.
    ui::endOnSessionSignals([&login] { login.App_Exit(); });
    login.Show();
    return app.exec();
}
