#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/config_image.hpp"
#include "fake_serial_port.hpp"

namespace glt::test {

// A panel at the far end of a FakeSerialPort: answers the requests it gets
// with a valid CRC, keeps its blocks in an image of its own, and can be told
// to misbehave. A request with a bad CRC or for another address gets no answer.
struct FakePanel {
    std::uint8_t address = 1;
    std::array<std::uint8_t, 4> slaveId{0x03, 0x20, 0x07, 0x32};
    std::uint8_t major = 1;
    std::uint8_t minor = 6;
    std::uint8_t revision = 0x0A;
    ConfigImage memory{};
    std::uint8_t applyResult = 0;

    int exceptionPolls = 0;                 // the next polls answered with 0x8E
    std::optional<unsigned> corruptBlock;   // its read answer carries a bad CRC
    bool answersInfo = true;
    std::optional<std::size_t> silentAfter; // frames answered before it goes quiet

    // What it saw.
    std::vector<unsigned> written;
    int polls = 0;
    std::size_t frames = 0;

    Bytes Answer(const Bytes& frame);
    void AttachTo(FakeSerialPort& port);
};

} // namespace glt::test
