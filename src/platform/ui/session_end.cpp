#include "platform/ui/session_end.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ui {

namespace {

// The handler only notes the signal and wakes the event loop through a pipe: all
// else happens on the user-interface thread.
int wakePipe[2] = {-1, -1};
volatile std::sig_atomic_t ending = 0;

void onSignal(int signal)
{
    if (ending) _exit(128 + signal);
    ending = signal;
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &wake, 1);
}

}  // namespace

void endOnSessionSignals(std::function<void()> end)
{
    if (wakePipe[0] >= 0 || ::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* woken = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(woken, &QSocketNotifier::activated, woken, [woken, end = std::move(end)] {
        woken->setEnabled(false);
        char wake = 0;
        [[maybe_unused]] const ssize_t read = ::read(wakePipe[0], &wake, 1);
        end();
    });
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction before = {};
        if (::sigaction(signal, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) continue;
        struct sigaction on = {};
        on.sa_handler = onSignal;
        sigemptyset(&on.sa_mask);
        on.sa_flags = SA_RESTART;
        ::sigaction(signal, &on, nullptr);
    }
}

}  // namespace ui
