#include "platform/serial/device_port.h"

#include "platform/serial/line_chunks.h"

#include <QPointer>

namespace serial {

DevicePort::DevicePort(const QString& device, QObject* parent) : Port(parent), device_(device)
{
    connect(&port_, &QSerialPort::readyRead, this, &DevicePort::readAvailable);
    connect(&port_, &QSerialPort::errorOccurred, this, &DevicePort::lineError);
}

DevicePort::~DevicePort() { close(); }

bool DevicePort::open()
{
    if (port_.isOpen()) return true;
    error_.clear();
    if (device_.trimmed().isEmpty()) {
        error_ = QStringLiteral("no serial device is configured");
        return false;
    }
    port_.setPortName(device_);
    if (!port_.open(QIODevice::ReadWrite)) {
        // The error handler has already taken the reason and cleared the port's error.
        if (error_.isEmpty()) error_ = port_.errorString();
        return false;
    }
    const bool set = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        error_ = port_.errorString();
        port_.close();
        return false;
    }
    port_.clear(QSerialPort::Input);
    return true;
}

void DevicePort::close()
{
    if (port_.isOpen()) port_.close();
}

bool DevicePort::write(const QByteArray& data)
{
    if (!port_.isOpen()) {
        error_ = QStringLiteral("the port is closed");
        return false;
    }
    const qint64 written = port_.write(data);
    if (written != data.size()) {
        error_ = port_.errorString();
        return false;
    }
    // Out now: the dialog may close the port right after its last command.
    port_.flush();
    return true;
}

void DevicePort::readAvailable()
{
    const QByteArray data = port_.readAll();
    QPointer<DevicePort> alive(this);
    for (const QByteArray& piece : splitAtLineEnds(data)) {
        emit commEvent(CommEvent::Receive, piece);
        if (!alive) return;
    }
}

void DevicePort::lineError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError) return;
    error_ = port_.errorString();
    // A device that went away (unplugged, switched off) fails every read; the port
    // closes, so that the next command tries to open it again.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) close();
    port_.clearError();
    emit commEvent(CommEvent::Error, QByteArray());
}

}  // namespace serial
