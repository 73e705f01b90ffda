#pragma once

#include <QString>

// The state of an instrument of a station: a status text and whether it is on. Its
// two operations change nothing and report failure.
class Instrument {
public:
    QString Status;
    bool is_On = false;

    bool Set_DeviceStatus() const { return false; }
    bool Reset() const { return false; }
};
