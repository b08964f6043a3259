#include "link/modbus.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <thread>

#include "document/crc16.hpp"

namespace glt {

namespace {

constexpr std::size_t kCrcLength = 2;

// Answer lengths beyond what a request's table entry gives.
constexpr std::size_t kPollAnswerLength = 4;     // address, 0x0E, CRC
constexpr std::size_t kPollExceptionExtra = 1;   // the exception code
constexpr std::size_t kDeviceInfoAnswerLength = 10;
constexpr std::size_t kShortAnswerLength = 5;    // ApplyChanges, WriteBlock
constexpr std::size_t kBlockAnswerOverhead = 8;  // ReadBlock: 6 header bytes and the CRC

constexpr std::chrono::milliseconds kNoPause{0};

std::size_t BlockLength(BlockId block) { return Block(block).length; }

constexpr std::size_t kMaxBlockLength = [] {
    std::size_t longest = 0;
    for (const BlockInfo& info : BlockTable) {
        longest = std::max(longest, info.length);
    }
    return longest;
}();

// Function 0x46 frames start with the address, the function, a 16-bit count
// (high byte first) of the bytes that follow up to the CRC, and the
// sub-function.
std::array<std::uint8_t, 5> ConfigHead(std::uint8_t address, std::size_t count, std::uint8_t sub)
{
    return {address, kFnConfig, static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count & 0xFFU), sub};
}

std::array<std::uint8_t, 2> ShortHead(std::uint8_t address, std::uint8_t function) { return {address, function}; }

} // namespace

void SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

TModbus::TModbus(std::unique_ptr<SerialPort> port, LinkFeedback& feedback, SleepFunction sleep)
    : port_(std::move(port)), feedback_(feedback), sleep_(std::move(sleep))
{
}

TModbus::~TModbus() { ClosePort(); }

std::intptr_t TModbus::OpenPort(const std::string& devicePath, std::uint32_t baud, StopBits stopBits,
    Parity parity, bool rtsToggle, std::size_t bufferSize)
{
    if (IsOpen()) {
        ClosePort();
    }
    if (!port_->Open(devicePath, baud, stopBits, parity, rtsToggle)) {
        return kInvalidPortHandle;
    }
    // Zeroed rather than left as it comes: callers read positions an answer
    // may not have reached.
    frameBuffer_.assign(bufferSize, 0);
    feedback_.SetStatusLabel(devicePath);
    return port_->NativeHandle();
}

void TModbus::ClosePort()
{
    if (port_->IsOpen()) {
        port_->Close();
    }
    frameBuffer_.clear();
    frameBuffer_.shrink_to_fit();
}

bool TModbus::IsOpen() const { return port_->IsOpen(); }

std::intptr_t TModbus::PortHandle() const { return port_->IsOpen() ? port_->NativeHandle() : kInvalidPortHandle; }

std::span<const std::uint8_t> TModbus::FrameBuffer() const { return frameBuffer_; }

std::uint16_t TModbus::Crc16(std::span<const std::uint8_t> data)
{
    const std::uint16_t crc = Crc16Modbus(data);
    return static_cast<std::uint16_t>((crc << 8) | (crc >> 8));
}

bool TModbus::SendFrame(std::span<const std::uint8_t> frame)
{
    if (!port_->IsOpen()) {
        return false;
    }
    port_->Purge();
    const IoResult result = port_->Write(frame);
    feedback_.SetStatusLabel(std::to_string(result.count));
    return result.ok && result.count == frame.size();
}

bool TModbus::ReceiveFrame(std::span<std::uint8_t> buffer, std::size_t& received, std::chrono::milliseconds wait)
{
    received = 0;
    if (!port_->IsOpen()) {
        return false;
    }
    const IoResult result = port_->Read(buffer, wait);
    received = result.count;
    feedback_.SetStatusLabel(std::to_string(received));
    return result.ok;
}

void TModbus::Pause(std::chrono::milliseconds duration) { sleep_(duration); }

bool TModbus::Request(std::span<const std::uint8_t> head, std::span<const std::uint8_t> payload,
    std::chrono::milliseconds pause, std::size_t answerLength)
{
    const std::size_t requestLength = head.size() + payload.size();
    if (frameBuffer_.size() < std::max(requestLength + kCrcLength, answerLength)) {
        feedback_.SetStatusLabel("Сбой посылки");
        return false;
    }
    const auto frame = std::span<std::uint8_t>(frameBuffer_);
    std::copy(head.begin(), head.end(), frame.begin());
    std::copy(payload.begin(), payload.end(), frame.begin() + static_cast<std::ptrdiff_t>(head.size()));
    const std::uint16_t crc = Crc16(frame.first(requestLength));
    frame[requestLength] = static_cast<std::uint8_t>(crc >> 8);
    frame[requestLength + 1] = static_cast<std::uint8_t>(crc & 0xFFU);
    if (!SendFrame(frame.first(requestLength + kCrcLength))) {
        feedback_.SetStatusLabel("Сбой посылки");
        return false;
    }
    if (pause.count() > 0) {
        Pause(pause);
    }
    return true;
}

bool TModbus::Receive(std::size_t offset, std::size_t length)
{
    std::size_t received = 0;
    if (!ReceiveFrame(std::span<std::uint8_t>(frameBuffer_).subspan(offset, length), received, responseTimeout_)) {
        feedback_.SetStatusLabel("Сбой приема");
        return false;
    }
    return true;
}

bool TModbus::CheckAnswer(std::size_t length, CrcRule rule, std::uint8_t address, std::uint8_t function)
{
    const auto bytes = FrameBuffer().first(length);
    const std::uint16_t r = Crc16(bytes);
    switch (rule) {
    case CrcRule::None:
        return true;
    case CrcRule::Reported:
        feedback_.SetStatusLabel("CRC: " + std::to_string(r));
        return true;
    case CrcRule::Enforced:
        break;
    }
    if (r != 0) {
        feedback_.Beep();
        feedback_.SetStatusLabel("CRC: " + std::to_string(r));
        return false;
    }
    // An intact frame from another panel, or to another request, must never
    // reach the image: refused like a bad CRC.
    if (bytes[answer::kAddress] != address || bytes[answer::kFunction] != function) {
        feedback_.Beep();
        return false;
    }
    return true;
}

bool TModbus::ReportSlaveId(std::uint8_t address, std::size_t answerLength)
{
    return Request(ShortHead(address, kFnReportSlaveId), {}, kNoPause, answerLength) && Receive(0, answerLength)
        && CheckAnswer(answerLength, CrcRule::Reported, address, kFnReportSlaveId);
}

bool TModbus::PollCompletion(std::uint8_t address)
{
    if (!Request(ShortHead(address, kFnPollCompletion), {}, kNoPause, kPollAnswerLength + kPollExceptionExtra)
        || !Receive(0, kPollAnswerLength)) {
        return false;
    }
    std::size_t length = kPollAnswerLength;
    // An exception answer carries one byte more, its exception code.
    if ((frameBuffer_[answer::kFunction] & kExceptionBit) != 0) {
        if (!Receive(kPollAnswerLength, kPollExceptionExtra)) {
            return false;
        }
        length += kPollExceptionExtra;
    }
    return CheckAnswer(length, CrcRule::Reported, address, kFnPollCompletion);
}

bool TModbus::ReadDeviceInfo(std::uint8_t address)
{
    return Request(ConfigHead(address, 1, kSubDeviceInfo), {}, kNoPause, kDeviceInfoAnswerLength)
        && Receive(0, kDeviceInfoAnswerLength)
        && CheckAnswer(kDeviceInfoAnswerLength, CrcRule::Enforced, address, kFnConfig);
}

bool TModbus::ApplyChanges(std::uint8_t address)
{
    return Request(ConfigHead(address, 1, kSubApply), {}, kAnswerPause, kShortAnswerLength)
        && Receive(0, kShortAnswerLength) && CheckAnswer(kShortAnswerLength, CrcRule::None, address, kFnConfig);
}

bool TModbus::ReadBlock(std::uint8_t address, BlockId block)
{
    const std::size_t answerLength = BlockLength(block) + kBlockAnswerOverhead;
    const std::uint8_t blockNumber = static_cast<std::uint8_t>(block);
    return Request(ConfigHead(address, 2, kSubReadBlock), {&blockNumber, 1}, kAnswerPause, answerLength)
        && Receive(0, answerLength) && CheckAnswer(answerLength, CrcRule::Enforced, address, kFnConfig);
}

bool TModbus::WriteBlock(std::uint8_t address, BlockId block, std::span<const std::uint8_t> data)
{
    const std::size_t length = BlockLength(block);
    if (data.size() < length) {
        feedback_.SetStatusLabel("Сбой посылки");
        return false;
    }
    // The payload is the block number and the block's data bytes.
    std::array<std::uint8_t, 1 + kMaxBlockLength> payload{};
    payload[0] = static_cast<std::uint8_t>(block);
    std::copy_n(data.begin(), length, payload.begin() + 1);
    return Request(ConfigHead(address, 1 + 1 + length, kSubWriteBlock), std::span(payload).first(1 + length),
               kAnswerPause, kShortAnswerLength)
        && Receive(0, kShortAnswerLength) && CheckAnswer(kShortAnswerLength, CrcRule::Enforced, address, kFnConfig);
}

} // namespace glt
