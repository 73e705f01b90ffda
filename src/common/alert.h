#pragma once

#include <QString>
#include <functional>

namespace commonModule {

// Shows a modal message to the technician; a text that is empty or only blanks
// shows nothing. Everything the station tells the technician in a message box
// goes through here.
void Show_Alert(const QString& sMessage);

// How many messages have been shown since the program started. A caller compares
// it before and after a call to know whether the call has already told the
// technician something.
unsigned long alertsShown();

// What actually puts the message on the screen. The program registers the message
// box Form_Alert at start-up (commonUi::registerMessageBox); a program without it
// writes the message to the error output, and a test may install a recorder. An
// empty presenter goes back to writing the message out. Returns the presenter it
// replaced.
using Alert_Presenter = std::function<void(const QString&)>;
Alert_Presenter Set_Alert_Presenter(Alert_Presenter presenter);

}  // namespace commonModule
