// counter_simulator: a particle counter on a pseudo-terminal, for the demo station
// and for tests that want it in a process of its own. See --help.
#include "counter_simulator.h"
#include "simulator_options.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

void say(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();

    simulator::CommandLine line;
    QString error;
    if (!simulator::parseCommandLine(arguments, &line, &error)) {
        std::fputs(qPrintable(QStringLiteral("counter_simulator: %1\n\n%2").arg(error, simulator::usage())), stderr);
        return 2;
    }
    if (line.help) {
        std::fputs(qPrintable(simulator::usage()), stdout);
        return 0;
    }

    simulator::CounterSimulator counter(line.options);
    if (!counter.start(&error)) {
        std::fputs(qPrintable(QStringLiteral("counter_simulator: %1\n").arg(error)), stderr);
        return 1;
    }
    if (!line.link.isEmpty()) {
        QFile::remove(line.link);
        if (!QFile::link(counter.devicePath(), line.link)) {
            std::fputs(qPrintable(QStringLiteral("counter_simulator: cannot make the link %1\n").arg(line.link)), stderr);
            return 1;
        }
    }

    socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe);
    QSocketNotifier signalled(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalled, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGHUP, onSignal);

    // "quit" on the input ends the program; an input that is closed is left alone.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            return;
        }
        if (QByteArray(buffer, int(n)).trimmed().toLower().contains("quit")) QCoreApplication::quit();
    });

    QObject::connect(&counter, &simulator::CounterSimulator::commandReceived, &app,
                     [](const QString& command) { say(QStringLiteral("command: ") + command); });
    QObject::connect(&counter, &simulator::CounterSimulator::reportSent, &app,
                     [&counter] { say(QStringLiteral("report: ") + QString::fromLatin1(counter.options().report)); });

    say(QStringLiteral("terminal: ") + counter.devicePath());
    const int rc = app.exec();
    counter.stop();
    if (!line.link.isEmpty()) QFile::remove(line.link);
    return rc;
}
