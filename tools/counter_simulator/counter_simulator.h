#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <random>

// A particle counter on a pseudo-terminal: the station opens the terminal's path as
// its serial device. The counter takes commands ended by a carriage return:
// "REMOTE+" (from now on it takes commands from the line), "REMOTE-" (no longer),
// "S" (counts for the counting time, then sends its report and a line end) and "H"
// (stops a count). Commands other than REMOTE+ are ignored while it is not remote.
// Tests start it in their own process and drive the station's real port against it.
namespace simulator {

enum class Chunks {
    Whole,   // everything one write
    Single,  // one byte per write
    Random,  // 1 to 16 bytes per write
};

struct Options {
    QByteArray report;      // the report line, without line end
    int countingMs = 3000;  // from "S" to the report
    Chunks chunks = Chunks::Whole;
    int chunkDelayMs = 2;      // pause between two writes of one text
    quint32 seed = 4406;       // of the random chunk sizes
    bool leadLineEnd = false;  // a line end before the report, in the same text
    bool echo = false;         // answers every command it takes with "OK" and a line end
    bool silent = false;       // sends nothing at all, never reports
};

class CounterSimulator : public QObject {
    Q_OBJECT
public:
    explicit CounterSimulator(Options options, QObject* parent = nullptr);
    ~CounterSimulator() override;

    // Opens the pseudo-terminal; false with the reason when it cannot.
    bool start(QString* error = nullptr);
    void stop();
    // The terminal's path, to be opened as the serial device.
    QString devicePath() const { return devicePath_; }

    Options& options() { return options_; }
    // The commands received, in order ("REMOTE+", "S", ...), and what the station
    // wrote, byte for byte.
    const QStringList& commands() const { return commands_; }
    const QByteArray& receivedBytes() const { return received_; }
    // Forgets the commands and bytes noted so far (long runs).
    void forgetTraffic()
    {
        commands_.clear();
        received_.clear();
    }
    bool isRemote() const { return remote_; }
    bool isCounting() const { return counting_; }
    int reportsSent() const { return reportsSent_; }
    bool isSending() const { return !pending_.isEmpty(); }

    // Sends text as the counter would, in the configured chunks.
    void send(const QByteArray& text);

signals:
    void commandReceived(const QString& command);
    void reportSent();

private:
    void readStation();
    void takeCommand(const QString& command);
    void countDone();
    void writeNextPiece();
    bool writeAll(const QByteArray& piece);

    Options options_;
    int master_ = -1;
    int slave_ = -1;
    QString devicePath_;
    QSocketNotifier* readable_ = nullptr;
    QTimer countTimer_;
    QTimer pieceTimer_;
    QList<QByteArray> pending_;
    QByteArray line_;
    QByteArray received_;
    QStringList commands_;
    bool remote_ = false;
    bool counting_ = false;
    int reportsSent_ = 0;
    std::mt19937 random_;
};

}  // namespace simulator
