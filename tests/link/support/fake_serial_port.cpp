#include "fake_serial_port.hpp"

#include <algorithm>

#include "document/crc16.hpp"

namespace glt::test {

bool FakeSerialPort::Open(const std::string& devicePath, std::uint32_t baud, StopBits stopBits, Parity parity,
    bool rtsToggle)
{
    opens.push_back({devicePath, baud, stopBits, parity, rtsToggle});
    open_ = openSucceeds;
    pending_.clear();
    return open_;
}

void FakeSerialPort::Close()
{
    if (open_) {
        ++closes;
    }
    open_ = false;
    pending_.clear();
}

void FakeSerialPort::Purge() { pending_.clear(); }

IoResult FakeSerialPort::Write(std::span<const std::uint8_t> bytes)
{
    if (!writeSucceeds) {
        return {false, 0};
    }
    frames.emplace_back(bytes.begin(), bytes.end());
    Bytes reply;
    if (responder) {
        reply = responder(frames.back());
    } else if (!answers.empty()) {
        reply = std::move(answers.front());
        answers.pop_front();
    }
    pending_.insert(pending_.end(), reply.begin(), reply.end());
    return {true, bytes.size()};
}

IoResult FakeSerialPort::Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait)
{
    readWaits.push_back(wait);
    readSizes.push_back(buffer.size());
    const std::size_t count = std::min(buffer.size(), pending_.size());
    std::copy_n(pending_.begin(), count, buffer.begin());
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    return {count == buffer.size(), count};
}

Bytes WithCrc(Bytes bytes)
{
    const std::uint16_t crc = Crc16Modbus(bytes);
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFFU));
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
    return bytes;
}

} // namespace glt::test
