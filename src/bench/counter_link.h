#pragma once

#include "bench/counter_protocol.h"
#include "platform/serial/serial_port.h"

#include <QObject>
#include <QString>
#include <memory>

// The counter dialog's side of the serial line: it sends the counter's commands,
// collects everything received into the dialog's receive buffer and recognises the
// end of a count. It owns the port; the dialog owns it.
class CounterLink : public QObject {
    Q_OBJECT
public:
    // receivedData is the dialog's receive buffer; it must outlive the link.
    CounterLink(std::unique_ptr<serial::Port> port, QString& receivedData, QObject* parent = nullptr);
    ~CounterLink() override;

    // "IDLE" or "COUNTING"; every line start received sets "IDLE".
    QString Dialog_State = QStringLiteral("IDLE");

    // Sends a command of the table; false when nothing could be sent (the
    // technician has then been told through cannotConnect).
    bool Counter_Command(const QString& commandStr);
    // Turns a run request into a command (see counterProtocol::startCommandName);
    // false when nothing was sent.
    bool Counter_Start(const QString& sSampleType, const QString& sCommand);
    // Closes and reopens the port and empties the receive buffer; a port that
    // cannot be opened is left closed without a word.
    void Reset_Port();
    // Appends a received chunk; true when it begins a new line.
    bool Append_Received(const QString& chunk);
    // Sets the state "IDLE" and, when the whole report is in the buffer, takes it if
    // this link started a count; a report of no count of its own is given up.
    void Check_Count_Reply();
    // The dialog is being left: a count it started and that still runs is stopped
    // ("H"), and no report is taken from now on.
    void Leave_Count();

    // The report was taken; nothing received after it counts.
    bool reportTaken() const { return reportTaken_; }
    // "S" went out and neither "H" nor the report has followed.
    bool countRunning() const { return countRunning_; }
    serial::Port& port() { return *port_; }

signals:
    // The buffer holds the whole report.
    void reportReceived();
    // A whole report came in for no count of this link (it started none, or the
    // dialog is being left); the receive buffer has been emptied of it.
    void reportNotOurs(const QString& received);
    // A command could not be sent: the device cannot be opened.
    void cannotConnect(const QString& device, const QString& reason);

private:
    void MSComm1_OnComm(serial::CommEvent event, const QByteArray& input);
    bool Send_Command(const QByteArray& text);

    std::unique_ptr<serial::Port> port_;
    QString& receivedData_;
    counterProtocol::ReportSearch search_;
    bool reportTaken_ = false;
    // A report counts only for a count this link started: after the dialog that
    // sent "S" is left, the counter's report may reach the next one.
    bool countOwned_ = false;
    bool countRunning_ = false;
};
