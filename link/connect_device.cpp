#include "link/connect_device.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "document/error.hpp"
#include "link/port_list.hpp"

namespace glt {

namespace {

constexpr unsigned kMinAddress = 1;
constexpr unsigned kMaxAddress = 255;

std::string DevicePrefix(const ConnectionSettings& settings, const DeviceAddress& address)
{
    return "Устройство № " + address.text + "  (" + settings.portName + ")  ";
}

std::string VersionConflict(unsigned major, unsigned minor)
{
    char text[96];
    std::snprintf(text, sizeof text, "Конфликт версий ПО - требуется программатор v%u.%u0", major, minor);
    return text;
}

} // namespace

std::optional<DeviceKind> IdentifyDevice(std::span<const std::uint8_t, answer::kSlaveIdLength> slaveId)
{
    for (const Identification& entry : kIdentificationTable) {
        if (std::equal(entry.pattern.begin(), entry.pattern.end(), slaveId.begin())) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

std::string_view ModelName(DeviceKind kind)
{
    for (const Identification& entry : kIdentificationTable) {
        if (entry.kind == kind) {
            return entry.model;
        }
    }
    return {};
}

std::uint32_t LeadingNumber(std::string_view text)
{
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

ConnectionSettings DefaultConnectionSettings(const std::vector<std::string>& ports)
{
    ConnectionSettings settings;
    if (!ports.empty()) {
        settings.portName = ports.front();
    }
    settings.baud = LeadingNumber(kBaudTexts.front());
    return settings;
}

DeviceAddress ParseDeviceAddress(std::string_view text)
{
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || last != end || value < kMinAddress || value > kMaxAddress) {
        throw Error("Адрес устройства \"" + std::string(text) + "\" должен быть числом от 1 до 255");
    }
    return DeviceAddress{std::string(text), static_cast<std::uint8_t>(value)};
}

DeviceKind ConnectDevice(TModbus& modbus, const ConnectionSettings& settings, const DeviceAddress& address,
    bool checkVersion)
{
    // With no port there is nothing to open; the message names no port.
    if (settings.portName.empty()
        || modbus.OpenPort(DevicePath(settings.portName), settings.baud, settings.stopBits, settings.parity, true,
               kFrameBufferSize)
            == kInvalidPortHandle) {
        throw Error("Невозможно открыть порт " + settings.portName);
    }
    const std::string noAnswer = DevicePrefix(settings, address) + "не отвечает на запросы";
    if (!modbus.ReportSlaveId(address.number, kSlaveIdAnswerLength)) {
        throw Error(noAnswer);
    }
    const auto kind = IdentifyDevice(modbus.FrameBuffer().subspan<answer::kSlaveId, answer::kSlaveIdLength>());
    if (!kind) {
        throw Error(DevicePrefix(settings, address) + "не является ГЛТ-07 или ГЛТ-09");
    }
    modbus.Pause(kRequestPause);
    if (!modbus.ReadDeviceInfo(address.number)) {
        throw Error(noAnswer);
    }
    const unsigned major = modbus.FrameBuffer()[answer::kFirmwareMajor];
    const unsigned minor = modbus.FrameBuffer()[answer::kFirmwareMinor];
    if (checkVersion && (major != kProgrammerMajor || minor != kProgrammerMinor)) {
        throw Error(VersionConflict(major, minor));
    }
    return *kind;
}

bool DisconnectDevice(TModbus& modbus)
{
    modbus.ClosePort();
    return true;
}

} // namespace glt
