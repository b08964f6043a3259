// Windows port list: the system's serial device map, in its own order.
#include "link/port_list.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace glt {

std::vector<std::string> ListSerialPorts()
{
    std::vector<std::string> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return ports;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[256];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        const LONG status = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            continue; // a value too long to be a port name, or not a name
        }
        std::string port(reinterpret_cast<const char*>(data), dataLength);
        port.erase(port.find_last_not_of('\0') + 1);
        if (!port.empty()) {
            ports.push_back(port);
        }
    }
    RegCloseKey(key);
    return ports;
}

std::string DevicePath(std::string_view portName) { return "\\\\.\\" + std::string(portName); }

} // namespace glt
