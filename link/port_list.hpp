#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glt {

// The serial ports of this machine in the order the user sees them. On Linux
// a port name is its device path (the kernel's serial devices, then the
// virtual panels); on Windows it is a name such as COM1 from the system's
// serial device map.
std::vector<std::string> ListSerialPorts();

// The path OpenPort needs for a port name.
std::string DevicePath(std::string_view portName);

} // namespace glt
