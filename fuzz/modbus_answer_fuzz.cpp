// The master's answer paths fed by a line whose every read delivers fuzzed
// bytes in fuzzed amounts. Either single requests in any order, or a whole
// device command: never a crash, a request that succeeds carries a valid
// answer, a failed read leaves the document alone, the port always ends closed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "document/crc16.hpp"
#include "document/error.hpp"
#include "fuzz_harness.hpp"
#include "link/device_commands.hpp"
#include "link/modbus.hpp"

namespace {

using namespace glt;

// Reads the fuzz input front to back; an exhausted input reads as zeros.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data, size) {}
    bool Empty() const { return data_.empty(); }
    std::uint8_t Byte()
    {
        if (data_.empty()) {
            return 0;
        }
        const std::uint8_t b = data_.front();
        data_ = data_.subspan(1);
        return b;
    }
    std::span<const std::uint8_t> Take(std::size_t count)
    {
        const std::span<const std::uint8_t> taken = data_.first(std::min(count, data_.size()));
        data_ = data_.subspan(taken.size());
        return taken;
    }

private:
    std::span<const std::uint8_t> data_;
};

// The other end of the line is the fuzz input: each read takes an amount
// byte, then up to that many bytes, and succeeds only when the read is full.
class FuzzedPort final : public SerialPort {
public:
    explicit FuzzedPort(Input& input) : input_(input) {}
    bool Open(const std::string&, std::uint32_t, StopBits, Parity, bool) override
    {
        open_ = input_.Byte() != 0xFF; // rarely refuses to open
        return open_;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::intptr_t NativeHandle() const override { return open_ ? 3 : -1; }
    void Purge() override {}
    IoResult Write(std::span<const std::uint8_t> bytes) override
    {
        fuzz::Require(open_, "write on a closed port");
        return {true, bytes.size()};
    }
    IoResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override
    {
        fuzz::Require(open_, "read on a closed port");
        const std::span<const std::uint8_t> arrived = input_.Take(std::min<std::size_t>(input_.Byte(), buffer.size()));
        std::copy(arrived.begin(), arrived.end(), buffer.begin());
        return {arrived.size() == buffer.size(), arrived.size()};
    }

private:
    Input& input_;
    bool open_ = false;
};

bool FrameIsValid(std::span<const std::uint8_t> frame, std::size_t length, std::uint8_t address, std::uint8_t function)
{
    return Crc16Modbus(frame.first(length)) == 0 && frame[answer::kAddress] == address
        && frame[answer::kFunction] == function;
}

void SingleRequests(Input& input, TModbus& modbus)
{
    if (modbus.OpenPort("fuzz", 9600, StopBits::Two, Parity::None, true, kFrameBufferSize) == kInvalidPortHandle) {
        return;
    }
    while (!input.Empty()) {
        const std::uint8_t op = input.Byte();
        const std::uint8_t address = input.Byte();
        const auto block = static_cast<BlockId>((op >> 3) % BlockTable.size());
        const std::size_t length = Block(block).length;
        switch (op % 6) {
        case 0:
            modbus.ReportSlaveId(address, kSlaveIdAnswerLength);
            break;
        case 1:
            modbus.PollCompletion(address);
            break;
        case 2:
            if (modbus.ReadDeviceInfo(address)) {
                fuzz::Require(FrameIsValid(modbus.FrameBuffer(), 10, address, kFnConfig), "bad device info taken");
            }
            break;
        case 3:
            modbus.ApplyChanges(address);
            break;
        case 4:
            if (modbus.ReadBlock(address, block)) {
                fuzz::Require(FrameIsValid(modbus.FrameBuffer(), length + 8, address, kFnConfig), "bad block taken");
            }
            break;
        default: {
            const ConfigImage data{};
            if (modbus.WriteBlock(address, block, BlockData(data, block))) {
                fuzz::Require(FrameIsValid(modbus.FrameBuffer(), 5, address, kFnConfig), "bad write answer taken");
            }
            break;
        }
        }
        fuzz::Require(modbus.FrameBuffer().size() == kFrameBufferSize, "frame buffer resized");
    }
    modbus.ClosePort();
}

void DeviceCommand(Input& input, TModbus& modbus)
{
    Document doc;
    for (std::size_t i = 0; i < doc.image.size(); ++i) {
        doc.image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    doc.state.WideDisplay = 5;
    const Document before = doc;

    fuzz::HeadlessShell shell;
    fuzz::CountingPages pages;
    DeviceCommands commands(doc, pages, shell, modbus);
    const ConnectionSettings settings{"fuzz", 9600, StopBits::Two, Parity::None};
    const std::uint8_t which = input.Byte();
    const std::string address = std::to_string(1 + input.Byte() % 255);

    bool failed = false;
    try {
        switch (which % 4) {
        case 0:
            commands.ReadDataFromDevice(settings, address);
            break;
        case 1:
            commands.WriteDataToDevice(settings, address);
            break;
        case 2:
            commands.ApplyConfig(settings, address);
            break;
        default:
            commands.ShowDeviceInfo(settings, address);
            break;
        }
    } catch (const Error&) {
        failed = true;
    }
    fuzz::Require(!modbus.IsOpen() && modbus.FrameBuffer().empty(), "port left open after a command");
    fuzz::Require(shell.busyDepth == 0, "busy cursor left on");
    const std::size_t kept = Block(BlockId::NetRequests).offset;
    fuzz::Require(std::equal(doc.image.begin() + kept, doc.image.end(), before.image.begin() + kept),
        "a device command changed the external-network blocks");
    if (which % 4 == 0 && failed) {
        fuzz::Require(doc.image == before.image && doc.state.WideDisplay == before.state.WideDisplay,
            "a failed read changed the document");
        fuzz::Require(pages.Calls() == 0 && shell.captions.empty(), "a failed read redrew the window");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    const bool wholeCommand = input.Byte() & 1;
    NullFeedback feedback;
    TModbus modbus(std::make_unique<FuzzedPort>(input), feedback, [](std::chrono::milliseconds) {});
    if (wholeCommand) {
        DeviceCommand(input, modbus);
    } else {
        SingleRequests(input, modbus);
    }
    return 0;
}
