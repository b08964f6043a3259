#include "document/crc16.hpp"

#include <array>

namespace glt {

namespace {

constexpr std::array<std::uint16_t, 256> MakeTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned n = 0; n < 256; ++n) {
        std::uint16_t value = static_cast<std::uint16_t>(n);
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1U) ? static_cast<std::uint16_t>((value >> 1) ^ 0xA001U)
                                 : static_cast<std::uint16_t>(value >> 1);
        }
        table[n] = value;
    }
    return table;
}

constexpr auto kTable = MakeTable();

} // namespace

std::uint16_t Crc16Modbus(std::span<const std::uint8_t> bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t byte : bytes) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ byte) & 0xFFU]);
    }
    return crc;
}

} // namespace glt
