#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/serial_port.hpp"

namespace glt::test {

using Bytes = std::vector<std::uint8_t>;

// A serial port whose other end is a script: every written frame is recorded
// and answered by the responder (or the next queued answer); a read delivers
// what is pending and fails, as a timed-out read does, when that is short.
class FakeSerialPort final : public SerialPort {
public:
    struct OpenCall {
        std::string path;
        std::uint32_t baud;
        StopBits stopBits;
        Parity parity;
        bool rtsToggle;
    };

    bool Open(const std::string& devicePath, std::uint32_t baud, StopBits stopBits, Parity parity,
        bool rtsToggle) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::intptr_t NativeHandle() const override { return open_ ? 7 : -1; }
    void Purge() override;
    IoResult Write(std::span<const std::uint8_t> bytes) override;
    IoResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override;

    // Script.
    bool openSucceeds = true;
    bool writeSucceeds = true;
    std::function<Bytes(const Bytes& frame)> responder;
    std::deque<Bytes> answers;

    // Record.
    std::vector<OpenCall> opens;
    std::vector<Bytes> frames;
    std::vector<std::chrono::milliseconds> readWaits;
    std::vector<std::size_t> readSizes;
    int closes = 0;

private:
    bool open_ = false;
    Bytes pending_;
};

// bytes followed by their CRC, low byte first.
Bytes WithCrc(Bytes bytes);

} // namespace glt::test
