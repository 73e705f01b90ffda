#pragma once

#include "platform/ui/clock.h"

// Stops the station's clock at a time for one test and lets it run again after it.
class FixedClock {
public:
    explicit FixedClock(const QDateTime& at) { ui::setClock(at); }
    ~FixedClock() { ui::useSystemClock(); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};
