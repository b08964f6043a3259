#include "frame_log.hpp"

#include <cstdio>

#include "document/error.hpp"
#include "document/hex_bytes.hpp"

namespace glt::sim {

FrameLog::FrameLog(const std::string& path, Clock::time_point start) : start_(start)
{
    if (path.empty()) {
        return;
    }
    out_.open(path, std::ios::out | std::ios::trunc);
    if (!out_) {
        throw Error("cannot write the log " + path);
    }
}

void FrameLog::Write(Clock::time_point at, std::string_view direction, std::span<const std::uint8_t> bytes)
{
    if (!out_.is_open()) {
        return;
    }
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(at - start_).count();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%lld.%06lld", static_cast<long long>(micros / 1'000'000),
        static_cast<long long>(micros % 1'000'000));
    out_ << stamp << ' ' << direction << ' ' << HexBytes(bytes) << std::endl;
}

} // namespace glt::sim
