#include "link/device_commands.hpp"

#include <algorithm>
#include <cstdio>

#include "document/error.hpp"
#include "document/texts.hpp"

namespace glt {

namespace {

// Runs body, then cleanup, also when body throws; the error goes on unchanged.
template <typename Body, typename Cleanup>
void WithCleanup(Body body, Cleanup cleanup)
{
    try {
        body();
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
}

// Holds a busy mark for one command; idle again however the command ends.
class BusyMark {
public:
    explicit BusyMark(bool& mark) : mark_(mark) { mark_ = true; }
    ~BusyMark() { mark_ = false; }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;

private:
    bool& mark_;
};

[[noreturn]] void FailIo() { throw Error(std::string(kIoError)); }

} // namespace

std::string DeviceInfoCaption(std::uint8_t address, std::string_view portName)
{
    return "Информация об устройстве №" + std::to_string(address) + "  (" + std::string(portName) + ")";
}

std::string DeviceInfoText(DeviceKind kind, std::uint8_t major, std::uint8_t minor, std::uint8_t revision)
{
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(revision));
    return "—  Тип прибора:            " + std::string(ModelName(kind)) + "\n"
        + "—  Firmware version:     " + std::to_string(major) + "." + std::to_string(minor) + "\n"
        + "—  Hardware revision:    0x" + hex;
}

DeviceCommands::DeviceCommands(Document& doc, PageTable& pages, Shell& shell, TModbus& modbus)
    : doc_(doc), pages_(pages), shell_(shell), modbus_(modbus)
{
}

void DeviceCommands::ReadDataFromDevice(const ConnectionSettings& settings, std::string_view addressText)
{
    if (readBusy_) {
        return;
    }
    const DeviceAddress address = ParseDeviceAddress(addressText);
    // The read brings blocks 0..6 only. The external-network blocks are kept
    // so the user's lists survive; every other byte starts at zero.
    ConfigImage working{};
    const std::size_t keptFrom = Block(BlockId::NetRequests).offset;
    std::copy(doc_.image.begin() + static_cast<std::ptrdiff_t>(keptFrom), doc_.image.end(),
        working.begin() + static_cast<std::ptrdiff_t>(keptFrom));

    // Marked busy before events are processed, so that no click of that
    // moment starts a second read inside this one.
    const BusyMark mark(readBusy_);
    shell_.BeginBusy();
    shell_.ProcessEvents();
    WithCleanup(
        [&] {
            const DeviceKind kind = ConnectDevice(modbus_, settings, address, true);
            modbus_.Pause(kRequestPause);
            for (BlockId block : kTransferredBlocks) {
                modbus_.Pause(kRequestPause);
                if (!modbus_.ReadBlock(address.number, block)) {
                    shell_.SetStatusLabel("Block: " + std::to_string(static_cast<unsigned>(block)));
                    FailIo();
                }
                const auto data = modbus_.FrameBuffer().subspan(answer::kBlockData, Block(block).length);
                std::copy(data.begin(), data.end(), BlockData(working, block).begin());
            }
            doc_.state.WideDisplay = static_cast<std::int32_t>(kind);
            doc_.image = working;
            pages_.RefreshAll();
            shell_.SetStatusText(kStatusVersion);
            shell_.SetCaption(kReadCaption);
            doc_.state.HasFileName = false;
        },
        [&] {
            DisconnectDevice(modbus_);
            shell_.EndBusy();
            shell_.ProcessEvents();
        });
}

void DeviceCommands::WriteDataToDevice(const ConnectionSettings& settings, std::string_view addressText)
{
    if (writeBusy_) {
        return;
    }
    const DeviceAddress address = ParseDeviceAddress(addressText);
    // Busy from here on: the question box processes events too.
    const BusyMark mark(writeBusy_);
    if (!shell_.Confirm(kWriteQuestion)) {
        return;
    }
    pages_.WriteBackAll();
    shell_.BeginBusy();
    shell_.ProcessEvents();
    WithCleanup(
        [&] {
            ConnectDevice(modbus_, settings, address, true);
            for (BlockId block : kTransferredBlocks) {
                modbus_.Pause(kRequestPause);
                if (!modbus_.WriteBlock(address.number, block, BlockData(doc_.image, block))) {
                    shell_.SetStatusLabel(std::to_string(static_cast<unsigned>(block)));
                    FailIo();
                }
                bool confirmed = false;
                for (int poll = 0; poll < kCompletionPolls && !confirmed; ++poll) {
                    modbus_.Pause(kRequestPause);
                    // The poll's result is deliberately not consulted: a poll
                    // that got no answer leaves its own request in the frame
                    // buffer, whose function byte counts as a confirmation;
                    // only an answer with another function byte (an exception)
                    // asks for another poll.
                    modbus_.PollCompletion(address.number);
                    confirmed = modbus_.FrameBuffer()[answer::kFunction] == kFnPollCompletion;
                }
                if (!confirmed) {
                    FailIo();
                }
            }
            shell_.SetCaption(kAppTitle);
        },
        [&] {
            DisconnectDevice(modbus_);
            shell_.EndBusy();
            shell_.ProcessEvents();
        });
}

void DeviceCommands::ApplyConfig(const ConnectionSettings& settings, std::string_view addressText)
{
    const DeviceAddress address = ParseDeviceAddress(addressText);
    WithCleanup(
        [&] {
            ConnectDevice(modbus_, settings, address, true);
            modbus_.Pause(kRequestPause);
            // The result is deliberately not consulted: without an answer the
            // frame buffer still holds the request, whose byte 2 is 0, and the
            // command ends silently.
            modbus_.ApplyChanges(address.number);
            if (modbus_.FrameBuffer()[answer::kApplyResult] == kApplyNotStarted) {
                throw Error(std::string(kApplyNotStartedText));
            }
        },
        [&] { DisconnectDevice(modbus_); });
}

void DeviceCommands::ShowDeviceInfo(const ConnectionSettings& settings, std::string_view addressText)
{
    const DeviceAddress address = ParseDeviceAddress(addressText);
    WithCleanup(
        [&] {
            const DeviceKind kind = ConnectDevice(modbus_, settings, address, false);
            modbus_.Pause(kRequestPause);
            if (!modbus_.ReadDeviceInfo(address.number)) {
                FailIo();
            }
            const auto frame = modbus_.FrameBuffer();
            shell_.Inform(DeviceInfoCaption(address.number, settings.portName),
                DeviceInfoText(kind, frame[answer::kFirmwareMajor], frame[answer::kFirmwareMinor],
                    frame[answer::kHardwareRevision]));
        },
        [&] { DisconnectDevice(modbus_); });
}

} // namespace glt
