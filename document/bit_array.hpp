#pragma once

#include <cstdint>
#include <span>

namespace glt {

// Item n of a bit array is bit (n mod 8) of byte (n div 8), bit 0 the least
// significant. Callers keep n inside the array.
inline void SetBit(unsigned n, std::span<std::uint8_t> array, int value)
{
    const auto mask = static_cast<std::uint8_t>(1U << (n % 8));
    if (value != 0) {
        array[n / 8] = static_cast<std::uint8_t>(array[n / 8] | mask);
    } else {
        array[n / 8] = static_cast<std::uint8_t>(array[n / 8] & ~mask);
    }
}

inline int TestBit(unsigned n, std::span<const std::uint8_t> array)
{
    return (array[n / 8] >> (n % 8)) & 1;
}

} // namespace glt
