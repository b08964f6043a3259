#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/config_image.hpp"
#include "link/link_feedback.hpp"
#include "link/serial_port.hpp"

namespace glt {

using SleepFunction = std::function<void(std::chrono::milliseconds)>;

// The real pause: the calling thread sleeps.
void SleepFor(std::chrono::milliseconds duration);

inline constexpr std::intptr_t kInvalidPortHandle = -1;
inline constexpr std::size_t kFrameBufferSize = 256;
inline constexpr std::chrono::milliseconds kResponseTimeout{1000};
// Between a block or apply request and its answer.
inline constexpr std::chrono::milliseconds kAnswerPause{10};
// Between the requests of a command.
inline constexpr std::chrono::milliseconds kRequestPause{20};

// Function codes of the panel and the sub-functions of kFnConfig.
inline constexpr std::uint8_t kFnReportSlaveId = 0x11;
inline constexpr std::uint8_t kFnPollCompletion = 0x0E;
inline constexpr std::uint8_t kFnConfig = 0x46;
inline constexpr std::uint8_t kExceptionBit = 0x80;
inline constexpr std::uint8_t kSubDeviceInfo = 0x00;
inline constexpr std::uint8_t kSubReadBlock = 0x01;
inline constexpr std::uint8_t kSubWriteBlock = 0x02;
inline constexpr std::uint8_t kSubApply = 0x03;

// Positions of the answer fields in FrameBuffer.
namespace answer {
inline constexpr std::size_t kAddress = 0;
inline constexpr std::size_t kFunction = 1;
inline constexpr std::size_t kSlaveId = 2;       // ReportSlaveId: 4 bytes 2..5
inline constexpr std::size_t kSlaveIdLength = 4;
inline constexpr std::size_t kApplyResult = 2;   // ApplyChanges result code
inline constexpr std::size_t kFirmwareMajor = 5; // ReadDeviceInfo
inline constexpr std::size_t kFirmwareMinor = 6;
inline constexpr std::size_t kHardwareRevision = 7;
inline constexpr std::size_t kBlockData = 6;     // ReadBlock: the block's data bytes
} // namespace answer

// ApplyChanges result code: the panel did not start programming.
inline constexpr std::uint8_t kApplyNotStarted = 1;
// ConnectDevice asks this many bytes of the Report Slave ID answer.
inline constexpr std::size_t kSlaveIdAnswerLength = 8;

// The serial Modbus RTU master. One request at a time: each request is built
// in FrameBuffer from position 0 and its answer received there again. A
// receive stores only the bytes that arrive, so the positions it does not
// reach keep the request just sent; callers rely on that (see the completion
// poll and the apply command).
class TModbus {
public:
    TModbus(std::unique_ptr<SerialPort> port, LinkFeedback& feedback, SleepFunction sleep = SleepFor);
    ~TModbus();
    TModbus(const TModbus&) = delete;
    TModbus& operator=(const TModbus&) = delete;

    // Opens (closing first when open) and allocates a zeroed frame buffer of
    // bufferSize bytes. Returns the port handle, or kInvalidPortHandle with the
    // port closed and no buffer. The status label shows the device path.
    std::intptr_t OpenPort(const std::string& devicePath, std::uint32_t baud, StopBits stopBits, Parity parity,
        bool rtsToggle, std::size_t bufferSize);
    // Purges, closes and frees the frame buffer; harmless when closed.
    void ClosePort();
    bool IsOpen() const;
    std::intptr_t PortHandle() const;

    // Empty while the port is closed.
    std::span<const std::uint8_t> FrameBuffer() const;

    // CRC-16/MODBUS with its bytes exchanged: the high byte of the result is
    // the CRC byte sent first.
    static std::uint16_t Crc16(std::span<const std::uint8_t> data);

    // Purges, then writes every byte; status label <- bytes written.
    bool SendFrame(std::span<const std::uint8_t> frame);
    // True when buffer.size() bytes arrived within wait; status label <- bytes
    // received.
    bool ReceiveFrame(std::span<std::uint8_t> buffer, std::size_t& received, std::chrono::milliseconds wait);

    // The requests. Each leaves its answer in FrameBuffer. CRC: ReportSlaveId
    // and PollCompletion report it and succeed whatever it is; ReadDeviceInfo,
    // ReadBlock and WriteBlock refuse a bad CRC, or an answer from another
    // address or to another function, with a beep; ApplyChanges checks none.
    bool ReportSlaveId(std::uint8_t address, std::size_t answerLength);
    bool PollCompletion(std::uint8_t address);
    bool ReadDeviceInfo(std::uint8_t address);
    bool ApplyChanges(std::uint8_t address);
    bool ReadBlock(std::uint8_t address, BlockId block);
    // Sends the first length(block) bytes of data (data must hold that many).
    bool WriteBlock(std::uint8_t address, BlockId block, std::span<const std::uint8_t> data);

    // The fixed pauses between requests go through here.
    void Pause(std::chrono::milliseconds duration);

private:
    enum class CrcRule { Enforced, Reported, None };

    // Builds head and payload at position 0, appends the CRC and sends the
    // frame, then pauses. Fails without sending when the frame buffer cannot
    // hold the request or an answer of answerLength bytes.
    bool Request(std::span<const std::uint8_t> head, std::span<const std::uint8_t> payload,
        std::chrono::milliseconds pause, std::size_t answerLength);
    bool Receive(std::size_t offset, std::size_t length);
    bool CheckAnswer(std::size_t length, CrcRule rule, std::uint8_t address, std::uint8_t function);

    std::unique_ptr<SerialPort> port_;
    LinkFeedback& feedback_;
    SleepFunction sleep_;
    std::vector<std::uint8_t> frameBuffer_;
    std::chrono::milliseconds responseTimeout_ = kResponseTimeout;
};

} // namespace glt
