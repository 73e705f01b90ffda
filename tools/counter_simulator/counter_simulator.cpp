#include "counter_simulator.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace simulator {

CounterSimulator::CounterSimulator(Options options, QObject* parent) : QObject(parent), options_(std::move(options)), random_(options_.seed)
{
    countTimer_.setSingleShot(true);
    connect(&countTimer_, &QTimer::timeout, this, &CounterSimulator::countDone);
    connect(&pieceTimer_, &QTimer::timeout, this, &CounterSimulator::writeNextPiece);
}

CounterSimulator::~CounterSimulator() { stop(); }

bool CounterSimulator::start(QString* error)
{
    if (master_ >= 0) return true;
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
        if (error) *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        master_ = slave_ = -1;
        return false;
    }
    // Raw both ways: the carriage returns travel as they are.
    termios t{};
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    devicePath_ = QString::fromLocal8Bit(ttyname(slave_));

    readable_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(readable_, &QSocketNotifier::activated, this, &CounterSimulator::readStation);
    random_.seed(options_.seed);
    return true;
}

void CounterSimulator::stop()
{
    countTimer_.stop();
    pieceTimer_.stop();
    pending_.clear();
    delete readable_;
    readable_ = nullptr;
    // The simulator keeps its own end of the terminal open while it runs, so that
    // the station closing and reopening the port never hangs the line up.
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    master_ = slave_ = -1;
    counting_ = false;
    remote_ = false;
}

void CounterSimulator::readStation()
{
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        received_.append(buffer, n);
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c == '\r' || c == '\n') {
                const QString command = QString::fromLatin1(line_).trimmed().toUpper();
                line_.clear();
                if (!command.isEmpty()) takeCommand(command);
            } else {
                line_.append(c);
            }
        }
    }
}

void CounterSimulator::takeCommand(const QString& command)
{
    commands_ << command;
    bool taken = true;
    if (command == QLatin1String("REMOTE+")) {
        remote_ = true;
    } else if (!remote_) {
        taken = false;
    } else if (command == QLatin1String("REMOTE-")) {
        remote_ = false;
    } else if (command == QLatin1String("S")) {
        counting_ = true;
        countTimer_.start(options_.countingMs);
    } else if (command == QLatin1String("H")) {
        counting_ = false;
        countTimer_.stop();
    } else {
        taken = false;
    }
    if (taken && options_.echo && !options_.silent) send("OK\r\n");
    emit commandReceived(command);
}

void CounterSimulator::countDone()
{
    if (!counting_) return;
    counting_ = false;
    if (options_.silent) return;
    QByteArray text;
    if (options_.leadLineEnd) text += "\r\n";
    text += options_.report + "\r\n";
    send(text);
    ++reportsSent_;
    emit reportSent();
}

void CounterSimulator::send(const QByteArray& text)
{
    if (master_ < 0 || text.isEmpty()) return;
    if (options_.chunks == Chunks::Whole) {
        pending_ << text;
    } else {
        std::uniform_int_distribution<int> size(1, 16);
        for (qsizetype at = 0; at < text.size();) {
            const int n = options_.chunks == Chunks::Single ? 1 : size(random_);
            pending_ << text.mid(at, n);
            at += n;
        }
    }
    if (!pieceTimer_.isActive()) {
        writeNextPiece();
        if (!pending_.isEmpty()) pieceTimer_.start(options_.chunkDelayMs);
    }
}

void CounterSimulator::writeNextPiece()
{
    if (pending_.isEmpty()) {
        pieceTimer_.stop();
        return;
    }
    writeAll(pending_.takeFirst());
    if (pending_.isEmpty()) pieceTimer_.stop();
}

bool CounterSimulator::writeAll(const QByteArray& piece)
{
    qsizetype at = 0;
    int waits = 0;
    while (at < piece.size()) {
        const ssize_t n = ::write(master_, piece.constData() + at, size_t(piece.size() - at));
        if (n < 0) {
            if (errno == EINTR) continue;
            // A station that reads nothing for a second loses the rest of the text.
            if (errno == EAGAIN && ++waits < 1000) {
                usleep(1000);
                continue;
            }
            return false;
        }
        at += n;
    }
    return true;
}

}  // namespace simulator
