#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The report line the simulated counter sends after a count, in the form of the
// station's counter: 33 comma-separated fields beginning with "!LPR1", the counts
// in fields 16 to 23, the volume in field 24, "ISO Code: " and the code in field 31,
// and a trailing comma. No line end; the simulator adds it.
namespace simulator {

// The catalogue's line of an ISO code ("16/13"); empty when it has none.
std::optional<QByteArray> catalogueReport(const QString& isoCode);

// The 5 and 15 µm code of counts per sample volume by the ISO 4406 table ("13/9");
// empty when a count lies outside the table or the volume is not positive.
std::optional<QString> isoCodeOf(double count5, double count15, double volume);

// A line for counts given by the technician: the seven channels 2 to 200 µm (an
// eighth repeats the 200 µm count when not given), the volume in mL and the counting
// time; the ISO code is computed from the counts. Empty when the counts are not 7 or
// 8 whole numbers of 0 or more, or their code cannot be computed.
std::optional<QByteArray> countsReport(const QList<qint64>& counts, double volume, int countingMs);

// The same line without its ISO field: the field stays, empty.
QByteArray withoutIsoField(const QByteArray& report);

// The same line cut short before its counts: its first 11 fields, its ISO field and
// the empty last field.
QByteArray withoutCounts(const QByteArray& report);

}  // namespace simulator
