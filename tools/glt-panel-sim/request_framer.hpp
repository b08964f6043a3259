#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glt::sim {

// The length a request will have, judged from its first bytes: its function
// fixes it, or for function 0x46 its count field. 0 while the prefix does not
// tell (too short, or a function whose length the panel does not know).
std::size_t ExpectedRequestLength(std::span<const std::uint8_t> prefix);

// Collects the bytes of one request. A request of a known function ends as
// soon as its last byte arrives, so the answer does not wait for the silence;
// anything else ends when the line falls silent.
class RequestFramer {
public:
    // Adds one byte; gives the request when this byte completes it.
    std::optional<std::vector<std::uint8_t>> Push(std::uint8_t byte);
    // The line fell silent: what was collected is a frame on its own.
    std::vector<std::uint8_t> Flush();
    bool Empty() const { return bytes_.empty(); }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace glt::sim
