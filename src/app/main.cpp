#include "app/station_start.h"
#include "common_ui/message_box_presenter.h"
#include "labdb/labdb.h"
#include "platform/ui/session_end.h"

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
its login screen or EXIT on the bench, and on SIGTERM, SIGHUP or SIGINT (a shutdown
or logout sends the first two together, Ctrl-C the last) as it does on Exit: a
running count is stopped and the racks it holds are given back, with no question. A
second one of the same signal ends it at once. When its X display goes away, it
does the same before it ends. The racks it holds for the laboratory, and those it
could not give back, are noted in owed_racks.txt there and given back at the first
login or Exit after its next start.
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
    // Before the application: its start already writes to standard error (a missing
    // runtime folder), which may be a pipe whose reader has gone. The station's start
    // sets the same for the tests that run it in an application of their own.
    ui::survivesBrokenWrites();
    QApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    commonUi::registerMessageBox();
    startStation();
    return app.exec();
}
