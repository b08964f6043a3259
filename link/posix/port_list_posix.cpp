// Linux port list: the kernel's serial devices, then the virtual panels.
#include "link/port_list.hpp"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "link/natural_order.hpp"
#include "link/posix/kernel_ports.hpp"
#include "link/virtual_panel_registry.hpp"

namespace glt {

namespace fs = std::filesystem;

namespace {

// A ttyS device exists for every possible 8250 port; only those with a UART
// behind them are real. The sysfs "type" attribute tells, else the driver.
bool HasUart(const fs::path& classEntry, const std::string& devicePath)
{
    std::ifstream typeFile(classEntry / "type");
    int type = -1;
    if (typeFile >> type) {
        return type != PORT_UNKNOWN;
    }
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    serial_struct info{};
    const bool present = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return present;
}

} // namespace

std::vector<std::string> ListKernelPorts(const fs::path& sysClassTty, const fs::path& devFolder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sysClassTty, error)) {
        std::error_code entryError;
        // Only devices with a driver behind them; consoles and virtual
        // terminals have no "device".
        if (!fs::exists(entry.path() / "device", entryError)) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        if (name.starts_with("ttyS") && !HasUart(entry.path(), (devFolder / name).string())) {
            continue;
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back((devFolder / name).string());
    }
    return paths;
}

std::vector<std::string> ListSerialPorts()
{
    std::vector<std::string> ports = ListKernelPorts("/sys/class/tty", "/dev");
    for (std::string& panel : ListVirtualPanels()) {
        if (std::find(ports.begin(), ports.end(), panel) == ports.end()) {
            ports.push_back(std::move(panel));
        }
    }
    return ports;
}

// The port name is the device path itself.
std::string DevicePath(std::string_view portName) { return std::string(portName); }

} // namespace glt
