#include "bench/counter_protocol.h"

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

bool holdsWholeReport(const QString& buffer)
{
    const qsizetype marker = buffer.indexOf(Report_Marker);
    if (marker < 0) return false;
    for (qsizetype i = marker + Report_Marker.size(); i < buffer.size(); ++i)
        if (buffer[i] == QLatin1Char('\r') || buffer[i] == QLatin1Char('\n')) return true;
    return false;
}

}  // namespace counterProtocol
