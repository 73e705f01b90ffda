#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The serial line to the particle counter. A port opens and closes (a reset is a
// close and an open), writes each command in one write, and reports what happens on
// the line as comm events: received characters, or anything else (an error, the
// device gone). Received characters come in chunks cut so that every line end (CR
// or LF) begins a chunk, whatever sizes the operating system delivers.
namespace serial {

enum class CommEvent {
    Receive,  // characters were received; the input holds them
    Error,    // the line reported a fault; no characters are lost through it
};

class Port : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The device the port talks to, as the technician knows it ("/dev/ttyUSB0").
    virtual QString deviceName() const = 0;
    virtual bool isOpen() const = 0;
    // Opens the device with the station's line settings; false when it cannot.
    virtual bool open() = 0;
    virtual void close() = 0;
    // Writes the text in one write; false when the port is closed or the write failed.
    virtual bool write(const QByteArray& data) = 0;
    // Why the last open or write failed.
    virtual QString errorText() const = 0;

signals:
    void commEvent(serial::CommEvent event, const QByteArray& input);
};

}  // namespace serial
