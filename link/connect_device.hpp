#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/codecs/mbus_settings.hpp"
#include "link/modbus.hpp"

namespace glt {

// Result of identification; a read stores it in WideDisplay.
enum class DeviceKind : std::uint8_t { Glt07 = 0, Glt09 = 1 };

struct Identification {
    std::array<std::uint8_t, answer::kSlaveIdLength> pattern; // Report Slave ID bytes 2..5
    DeviceKind kind;
    std::string_view model;
};

inline constexpr std::array<Identification, 2> kIdentificationTable{{
    {{0x03, 0x20, 0x07, 0x32}, DeviceKind::Glt07, "ГЛТ-07"},
    {{0x03, 0x0C, 0x09, 0x32}, DeviceKind::Glt09, "ГЛТ-09"},
}};

// The kind whose pattern equals the four bytes, or nullopt for a device that
// is not one of these panels.
std::optional<DeviceKind> IdentifyDevice(std::span<const std::uint8_t, answer::kSlaveIdLength> slaveId);
std::string_view ModelName(DeviceKind kind);

// The programmer's own version; the panel's firmware must match it.
inline constexpr unsigned kProgrammerMajor = 1;
inline constexpr unsigned kProgrammerMinor = 6;

// The baud list of the connection window: the same items, padded to one
// width, as the panel's own speed list.
inline constexpr auto kBaudTexts = [] {
    std::array<std::string_view, BaudRateTable.size()> texts{};
    for (std::size_t i = 0; i < BaudRateTable.size(); ++i) {
        texts[i] = BaudRateTable[i].text;
    }
    return texts;
}();

// The decimal number a text starts with (0 when it starts with none).
std::uint32_t LeadingNumber(std::string_view text);

struct ConnectionSettings {
    std::string portName; // empty when the machine has no serial port
    std::uint32_t baud = 9600;
    StopBits stopBits = StopBits::Two;
    Parity parity = Parity::None;
};

// The settings a run starts with: the first port, 9600 baud, two stop bits,
// no parity.
ConnectionSettings DefaultConnectionSettings(const std::vector<std::string>& ports);

// The panel address as typed and as the number it stands for (1..255).
struct DeviceAddress {
    std::string text;
    std::uint8_t number = 0;
};

// Throws glt::Error unless text is a whole number from 1 to 255.
DeviceAddress ParseDeviceAddress(std::string_view text);

// Opens the port and identifies the panel; with checkVersion its firmware must
// be 1.6. Throws glt::Error with the user's message on any failure and leaves
// the port as far as it got: the caller always ends with DisconnectDevice.
DeviceKind ConnectDevice(TModbus& modbus, const ConnectionSettings& settings, const DeviceAddress& address,
    bool checkVersion);

bool DisconnectDevice(TModbus& modbus);

} // namespace glt
