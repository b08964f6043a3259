#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

namespace glt::sim {

// One line per frame: seconds since the panel started (microseconds), the
// direction as the panel sees it (RX request, TX answer) and the bytes in hex,
// "0.021337 RX 01 46 00 02 01 00 28 55". Each line is flushed so that a test
// can read the log while the panel runs.
class FrameLog {
public:
    using Clock = std::chrono::steady_clock;

    FrameLog(const std::string& path, Clock::time_point start); // empty path: no log
    void Write(Clock::time_point at, std::string_view direction, std::span<const std::uint8_t> bytes);

private:
    std::ofstream out_;
    Clock::time_point start_;
};

} // namespace glt::sim
