#pragma once

#include <QString>

#include <functional>

// Starting the web browser on an address.
namespace browser {

// Said later, when the browser program gave up without showing the address (xdg-open
// on a desktop that has no browser, a browser that failed at once).
using LateFailure = std::function<void(const QString& why)>;

// Starts the program (a command, possibly with its own options, e.g. "xdg-open" or
// "firefox --new-window") with the address as its last argument, so the station goes
// on at once. False when it could not be started; *error then says why in words for
// the technician. When the program ends later with a failure, failedLater (if given)
// is called with the reason.
bool openAddress(const QString& program, const QString& address, QString* error = nullptr, LateFailure failedLater = {});

}  // namespace browser
