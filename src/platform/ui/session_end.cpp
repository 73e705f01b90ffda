#include "platform/ui/session_end.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

namespace ui {

namespace {

// The handler only notes the signal and wakes the event loop through a pipe: all
// else happens on the user-interface thread.
int wakePipe[2] = {-1, -1};
volatile std::sig_atomic_t ending = 0;

void onSignal(int signal)
{
    if (ending == signal) _exit(128 + signal);
    if (ending) return;
    ending = signal;
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &wake, 1);
}

// A write whose reader has gone fails with EPIPE, which its caller reports; the
// signal that comes with it does nothing. It is caught rather than ignored: exec
// resets a caught signal and keeps an ignored one ignored, so a program the
// station starts (the browser) begins with the default action.
void onBrokenWrite(int) {}

// A signal that was ignored when the program started stays ignored.
void catchUnlessIgnored(int signal, void (*handler)(int))
{
    struct sigaction before = {};
    if (::sigaction(signal, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) return;
    struct sigaction on = {};
    on.sa_handler = handler;
    sigemptyset(&on.sa_mask);
    on.sa_flags = SA_RESTART;
    ::sigaction(signal, &on, nullptr);
}

// The X connection has broken: the server ended or the link to it is gone.
bool displayGone()
{
    if (!qGuiApp || QCoreApplication::closingDown()) return false;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection());
}

std::function<void()>& stepsWhenTheDisplayGoes()
{
    static std::function<void()> steps;
    return steps;
}

QtMessageHandler messagesBefore = nullptr;

// Qt's X platform says that the connection broke before it ends the process, so
// the first message on the user-interface thread after the break is the last moment
// the program has.
void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (stepsWhenTheDisplayGoes() && qGuiApp && QThread::currentThread() == qGuiApp->thread() && displayGone())
        std::exchange(stepsWhenTheDisplayGoes(), {})();
    if (messagesBefore) messagesBefore(type, context, text);
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
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) catchUnlessIgnored(signal, onSignal);
}

void survivesBrokenWrites() { catchUnlessIgnored(SIGPIPE, onBrokenWrite); }

void whenTheDisplayGoes(std::function<void()> steps)
{
    if (stepsWhenTheDisplayGoes() || !steps) return;
    stepsWhenTheDisplayGoes() = std::move(steps);
    messagesBefore = qInstallMessageHandler(onMessage);
}

}  // namespace ui
