#include "bench/counter_port.h"

#include "common/station_config.h"
#include "platform/serial/device_port.h"

namespace counterPort {

namespace {

Maker& installed()
{
    static Maker maker;
    return maker;
}

}  // namespace

std::unique_ptr<serial::Port> make()
{
    if (installed()) return installed()();
    return std::make_unique<serial::DevicePort>(loadStationConfig().serialDevice);
}

Maker setMaker(Maker maker)
{
    Maker previous = std::move(installed());
    installed() = std::move(maker);
    return previous;
}

}  // namespace counterPort
