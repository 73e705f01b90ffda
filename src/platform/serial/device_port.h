#pragma once

#include "platform/serial/serial_port.h"

#include <QSerialPort>

namespace serial {

// The station's serial device: 9600 baud, 8 data bits, no parity, one stop bit, no
// flow control, fixed. Input waiting in the device when the port opens is dropped,
// so a reset starts from an empty line. When the device goes away the port closes
// itself and reports an error event.
class DevicePort : public Port {
    Q_OBJECT
public:
    explicit DevicePort(const QString& device, QObject* parent = nullptr);
    ~DevicePort() override;

    QString deviceName() const override { return device_; }
    bool isOpen() const override { return port_.isOpen(); }
    bool open() override;
    void close() override;
    bool write(const QByteArray& data) override;
    QString errorText() const override { return error_; }

private:
    void readAvailable();
    void lineError(QSerialPort::SerialPortError error);

    QString device_;
    QSerialPort port_;
    QString error_;
};

}  // namespace serial
