#pragma once

class Form_Login;

// The station's start in the current folder (the station folder), once the
// application, the database backend and the message box are in place: a write
// whose reader has gone an error its call reports, not the process's end, the
// particle-count bench as the station form, the login screen loaded, the racks a
// station before this one still owed kept to be given back first, the session's
// signals and the display's end taking the road of the station's exit; then the
// login screen is shown. Returns it.
Form_Login& startStation();
