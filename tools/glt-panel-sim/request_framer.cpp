#include "request_framer.hpp"

#include <utility>

#include "panel_frames.hpp"

namespace glt::sim {

std::size_t ExpectedRequestLength(std::span<const std::uint8_t> prefix)
{
    if (prefix.size() <= kPosFunction) {
        return 0;
    }
    switch (prefix[kPosFunction]) {
    case kFnReportSlaveId:
    case kFnPollCompletion:
        return kPlainRequest;
    case kFnConfig:
        if (prefix.size() < kConfigHeader) {
            return 0;
        }
        return kConfigHeader + ((std::size_t{prefix[kPosCountHigh]} << 8) | prefix[kPosCountLow]) + kCrcBytes;
    default:
        return 0;
    }
}

std::optional<std::vector<std::uint8_t>> RequestFramer::Push(std::uint8_t byte)
{
    // A longer run than any frame is noise; it is dropped at the next silence.
    if (bytes_.size() < kMaxFrame + 1) {
        bytes_.push_back(byte);
    }
    const std::size_t expected = ExpectedRequestLength(bytes_);
    if (expected != 0 && expected <= kMaxFrame && bytes_.size() == expected) {
        return Flush();
    }
    return std::nullopt;
}

std::vector<std::uint8_t> RequestFramer::Flush() { return std::exchange(bytes_, {}); }

} // namespace glt::sim
