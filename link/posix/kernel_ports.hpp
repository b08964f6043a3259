#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace glt {

// The device paths (devFolder/name) of the serial devices listed under
// sysClassTty that have a driver behind them, ttyS ones only with a UART
// present, in natural name order.
std::vector<std::string> ListKernelPorts(const std::filesystem::path& sysClassTty,
    const std::filesystem::path& devFolder);

} // namespace glt
