#pragma once

#include <QDateTime>

// Every "now" of the station comes from here, so that tests can set and move time.
namespace stationClock {

QDateTime now();
// Fixes the clock at a time; it then moves only through advanceClock.
void setClock(const QDateTime& fixed);
void advanceClock(qint64 seconds);
// Back to the system's clock.
void useSystemClock();

}  // namespace stationClock
