#pragma once

#include <functional>

namespace ui {

// A shutdown of the PC, the end of the desktop session and Ctrl-C (SIGTERM, SIGHUP,
// SIGINT) reach the program as a call of end on its user-interface thread, so that
// it ends by the road its own exit takes. A session's stop sends SIGTERM and SIGHUP
// together, and a terminal that goes sends SIGHUP after a Ctrl-C: a signal while that
// road runs lets it go on, unless it repeats the signal that began it (a second
// Ctrl-C), which ends the process at once. A signal that was ignored when the
// program started (nohup, a script's job in the background) stays ignored. Set once,
// for the whole program.
void endOnSessionSignals(std::function<void()> end);

// A write to a pipe or socket whose reader has gone (the X server that ended, a
// logger that stopped reading standard error) fails with an error its call
// reports, instead of ending the process by SIGPIPE before its end has run; so
// does a SIGPIPE sent from outside. For the whole program; a second call changes
// nothing.
void survivesBrokenWrites();

// When the X server goes away (a shutdown stops it with the program, or it ends
// alone), the window system's library ends the process itself, without the
// program's exit; it says so first. steps is called then, once, on the
// user-interface thread, before the process ends: what the program's end does
// without a screen. Set once, for the whole program.
void whenTheDisplayGoes(std::function<void()> steps);

}  // namespace ui
