#pragma once

#include <cstdint>
#include <span>

namespace glt {

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final
// exclusive-or. Stored and sent low byte first; over data followed by its own
// CRC it yields 0.
std::uint16_t Crc16Modbus(std::span<const std::uint8_t> bytes);

} // namespace glt
