#pragma once

#include "platform/serial/serial_port.h"

#include <QByteArrayList>
#include <QStringList>

// A port that keeps what the station does with it: every write, every open and
// close. Tests hand it chunks as the line would deliver them and can make it refuse
// to open.
class RecordingPort : public serial::Port {
    Q_OBJECT
public:
    struct Log {
        QByteArrayList writes;
        QStringList calls;  // "open", "close", "write"
        bool opens = true;  // whether an open succeeds
        bool open = false;
    };

    explicit RecordingPort(Log& log) : log_(log) {}

    QString deviceName() const override { return QStringLiteral("/dev/recorded"); }
    bool isOpen() const override { return log_.open; }
    bool open() override
    {
        log_.calls << QStringLiteral("open");
        log_.open = log_.opens;
        return log_.open;
    }
    void close() override
    {
        log_.calls << QStringLiteral("close");
        log_.open = false;
    }
    bool write(const QByteArray& data) override
    {
        log_.calls << QStringLiteral("write");
        if (!log_.open) return false;
        log_.writes << data;
        return true;
    }
    QString errorText() const override { return log_.opens ? QString() : QStringLiteral("No such file or directory"); }

    void receive(const QByteArray& chunk) { emit commEvent(serial::CommEvent::Receive, chunk); }
    void lineFault(const QByteArray& input) { emit commEvent(serial::CommEvent::Error, input); }

private:
    Log& log_;
};
