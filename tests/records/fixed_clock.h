#pragma once

#include "platform/clock/clock.h"

// Stops the station's clock at a time for one test and lets it run again after it.
class FixedClock {
public:
    explicit FixedClock(const QDateTime& at) { stationClock::setClock(at); }
    ~FixedClock() { stationClock::useSystemClock(); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};
