#pragma once

#include <QByteArray>
#include <QString>

// What travels to and from the particle counter: the four command words, each
// ended by one carriage return, and the marker that begins the counter's report.
namespace counterProtocol {

inline const QString Report_Marker = QStringLiteral("!LPR1");

// The text written for a command name of the table ("INITIALIZE", "RELEASE",
// "START", "STOP", any letter case), carriage return included; empty for any other.
QByteArray commandText(const QString& commandName);

// The command name a run request asks for: "SAMPLE" with "RUN SAMPLE" starts,
// "SAMPLE" with anything else and "FLUSH" with anything stop; any other sample
// type asks for nothing (empty).
QString startCommandName(const QString& sSampleType, const QString& sCommand);

// A received chunk begins a new line when its first character is CR or LF.
bool beginsLine(const QString& chunk);

// Whether the receive buffer holds the whole report: the marker (letter case as
// written) and a line end somewhere after it. The question is asked again at every
// line start of a buffer that only grows: each time only what arrived since the last
// time is searched (with the few characters before it, where a marker may have
// begun), so a flood of short lines costs no more than its length. A buffer found
// shorter than before was emptied: it is searched afresh.
class ReportSearch {
public:
    bool holdsWholeReport(const QString& buffer);
    void reset() { *this = ReportSearch(); }

private:
    qsizetype searched_ = 0;  // the buffer is searched up to here
    qsizetype marker_ = -1;   // where the first marker begins, once found
};

}  // namespace counterProtocol
