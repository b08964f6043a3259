#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace glt {

// Line codes as the panel settings carry them.
enum class StopBits : std::uint8_t { One = 0, Two = 2 };
enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2 };

// What a write or a read delivered: ok only when every requested byte went
// through; count is the number of bytes actually transferred either way.
struct IoResult {
    bool ok = false;
    std::size_t count = 0;
};

// One serial line, opened exclusively. The protocol is written once over this
// interface; each platform supplies one back end.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device exclusively with 8 data bits, the given baud rate,
    // parity (checked exactly when used) and stop bits, DTR off, no flow
    // control; with rtsToggle RTS is raised only while transmitting. Input and
    // output are purged. False leaves the port closed.
    virtual bool Open(const std::string& devicePath, std::uint32_t baud, StopBits stopBits, Parity parity,
        bool rtsToggle) = 0;
    // Purges and closes; harmless on a closed port.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The operating system's handle while open, else -1.
    virtual std::intptr_t NativeHandle() const = 0;

    // Drops pending input and output.
    virtual void Purge() = 0;
    // Writes every byte, without a time limit.
    virtual IoResult Write(std::span<const std::uint8_t> bytes) = 0;
    // Reads buffer.size() bytes into buffer as they arrive, waiting at most
    // wait; ok only when all arrived in time. Bytes that arrive are stored even
    // when the read fails, and nothing lands in buffer after it returns.
    virtual IoResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) = 0;
};

// The back end of the platform this program was built for.
std::unique_ptr<SerialPort> MakeSerialPort();

} // namespace glt
