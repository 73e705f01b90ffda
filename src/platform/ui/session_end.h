#pragma once

#include <functional>

namespace ui {

// A shutdown of the PC, the end of the desktop session and Ctrl-C (SIGTERM, SIGHUP,
// SIGINT) reach the program as a call of end on its user-interface thread, so that
// it ends by the road its own exit takes. A second one while that runs ends the
// process at once. A signal that was ignored when the program started (nohup, a
// script's job in the background) stays ignored. Set once, for the whole program.
void endOnSessionSignals(std::function<void()> end);

}  // namespace ui
