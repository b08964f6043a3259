#include "wire_time.hpp"

#include <algorithm>

namespace glt::sim {

unsigned BitsPerChar(const LineFormat& line) { return 1 + 8 + (line.parity ? 1 : 0) + line.stopBits; }

std::chrono::microseconds WireTime(std::size_t chars, const LineFormat& line)
{
    const auto bits = static_cast<long long>(chars) * BitsPerChar(line);
    return std::chrono::microseconds(bits * 1'000'000LL / std::max(line.baud, 1U));
}

std::chrono::microseconds FrameGap(const LineFormat& line)
{
    if (line.baud > 19200) {
        return std::chrono::microseconds(1750);
    }
    const auto bits = 7LL * BitsPerChar(line); // 3.5 characters
    return std::chrono::microseconds(bits * 1'000'000LL / (2LL * std::max(line.baud, 1U)));
}

} // namespace glt::sim
