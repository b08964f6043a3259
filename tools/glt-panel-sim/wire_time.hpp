#pragma once

#include <chrono>
#include <cstddef>

namespace glt::sim {

// The character format on the line. A character takes a start bit, 8 data
// bits, the parity bit when there is parity, and the stop bits.
struct LineFormat {
    unsigned baud = 9600;
    bool parity = false;
    unsigned stopBits = 2;
};

unsigned BitsPerChar(const LineFormat& line);

// How long the given number of characters takes on the line.
std::chrono::microseconds WireTime(std::size_t chars, const LineFormat& line);

// The silence that ends a frame: 3.5 characters, and at least 1750 us above
// 19200 baud as Modbus RTU fixes it.
std::chrono::microseconds FrameGap(const LineFormat& line);

} // namespace glt::sim
