#pragma once

#include <QString>

// Every text value the station writes between single quotes in a statement goes
// through here, so that a quote typed by the technician stays text and can never
// end the value early.
inline QString sqlText(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

// A text value as a statement writes it: between single quotes, its own quotes doubled.
inline QString sqlQuoted(const QString& value) { return QLatin1Char('\'') + sqlText(value) + QLatin1Char('\''); }
