#pragma once

#include "platform/serial/serial_port.h"

#include <functional>
#include <memory>

// The port the counter dialog opens at each showing: the station's serial device
// (station.ini, [counter] serial_device), unless a test has put its own maker in place.
namespace counterPort {

using Maker = std::function<std::unique_ptr<serial::Port>()>;

std::unique_ptr<serial::Port> make();

// Puts a maker in place; an empty one brings the station's device back. Returns
// the maker it replaced.
Maker setMaker(Maker maker);

}  // namespace counterPort
