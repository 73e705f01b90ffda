#include "bench/counter_link.h"

#include "bench/counter_protocol.h"

CounterLink::CounterLink(std::unique_ptr<serial::Port> port, QString& receivedData, QObject* parent)
    : QObject(parent), port_(std::move(port)), receivedData_(receivedData)
{
    connect(port_.get(), &serial::Port::commEvent, this, &CounterLink::MSComm1_OnComm);
}

CounterLink::~CounterLink()
{
    // No command at closing: the counter stays as it is.
    port_->close();
}

bool CounterLink::Counter_Command(const QString& commandStr)
{
    const QByteArray text = counterProtocol::commandText(commandStr);
    if (text.isEmpty() || !Send_Command(text)) return false;
    const QString name = commandStr.toUpper();
    if (name == QLatin1String("START")) countOwned_ = countRunning_ = true;
    if (name == QLatin1String("STOP")) countRunning_ = false;
    return true;
}

bool CounterLink::Counter_Start(const QString& sSampleType, const QString& sCommand)
{
    const QString name = counterProtocol::startCommandName(sSampleType, sCommand);
    if (name.isEmpty()) return false;
    return Counter_Command(name);
}

bool CounterLink::Send_Command(const QByteArray& text)
{
    if (port_->isOpen()) return port_->write(text);

    // A closed port (never opened, or the device went away) is reset. When it opens
    // again the counter is put back in remote mode before the command, as at the
    // dialog's opening; when it does not, the technician is told and may try again.
    Reset_Port();
    if (!port_->isOpen()) {
        emit cannotConnect(port_->deviceName(), port_->errorText());
        return false;
    }
    const QByteArray remote = counterProtocol::commandText(QStringLiteral("INITIALIZE"));
    if (text != remote && !port_->write(remote)) return false;
    return port_->write(text);
}

void CounterLink::Reset_Port()
{
    port_->close();
    port_->open();
    receivedData_.clear();
    search_.reset();
}

void CounterLink::MSComm1_OnComm(serial::CommEvent event, const QByteArray& input)
{
    const QString chunk = QString::fromLatin1(input);
    // Only a receive event counts; what came with any other event is dropped.
    if (event != serial::CommEvent::Receive) return;
    if (reportTaken_) return;
    if (Append_Received(chunk)) Check_Count_Reply();
}

bool CounterLink::Append_Received(const QString& chunk)
{
    if (receivedData_.isEmpty()) search_.reset();  // emptied by the dialog since
    receivedData_ += chunk;
    return counterProtocol::beginsLine(chunk);
}

void CounterLink::Check_Count_Reply()
{
    Dialog_State = QStringLiteral("IDLE");
    if (reportTaken_ || !search_.holdsWholeReport(receivedData_)) return;
    if (!countOwned_) {
        const QString received = receivedData_;
        receivedData_.clear();
        emit reportNotOurs(received);
        return;
    }
    reportTaken_ = true;
    countRunning_ = false;
    emit reportReceived();
}

void CounterLink::Leave_Count()
{
    if (countRunning_) Counter_Command(QStringLiteral("STOP"));
    countOwned_ = countRunning_ = false;
}
