#pragma once

#include <QString>

// Starting the web browser on an address.
namespace browser {

// Starts the program (a command, possibly with its own options, e.g. "xdg-open" or
// "firefox --new-window") with the address as its last argument, on its own, so
// the station goes on at once. False when it could not be started; *error then
// says why in words for the technician.
bool openAddress(const QString& program, const QString& address, QString* error = nullptr);

}  // namespace browser
