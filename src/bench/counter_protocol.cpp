#include "bench/counter_protocol.h"

#include <algorithm>

namespace counterProtocol {

QByteArray commandText(const QString& commandName)
{
    const QString name = commandName.toUpper();
    QByteArray text;
    if (name == QLatin1String("INITIALIZE"))
        text = "REMOTE+";
    else if (name == QLatin1String("RELEASE"))
        text = "REMOTE-";
    else if (name == QLatin1String("START"))
        text = "S";
    else if (name == QLatin1String("STOP"))
        text = "H";
    else
        return {};
    return text + '\r';
}

QString startCommandName(const QString& sSampleType, const QString& sCommand)
{
    const QString type = sSampleType.toUpper();
    if (type == QLatin1String("SAMPLE")) return sCommand == QLatin1String("RUN SAMPLE") ? QStringLiteral("START") : QStringLiteral("STOP");
    if (type == QLatin1String("FLUSH")) return QStringLiteral("STOP");
    return {};
}

bool beginsLine(const QString& chunk) { return !chunk.isEmpty() && (chunk[0] == QLatin1Char('\r') || chunk[0] == QLatin1Char('\n')); }

bool ReportSearch::holdsWholeReport(const QString& buffer)
{
    if (buffer.size() < searched_) reset();
    if (marker_ < 0) {
        marker_ = buffer.indexOf(Report_Marker, std::max<qsizetype>(0, searched_ - (Report_Marker.size() - 1)));
        if (marker_ < 0) {
            searched_ = buffer.size();
            return false;
        }
        searched_ = marker_ + Report_Marker.size();
    }
    for (; searched_ < buffer.size(); ++searched_)
        if (buffer[searched_] == QLatin1Char('\r') || buffer[searched_] == QLatin1Char('\n')) return true;
    return false;
}

}  // namespace counterProtocol
