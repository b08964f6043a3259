#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/document.hpp"
#include "document/page_table.hpp"
#include "document/shell.hpp"
#include "link/connect_device.hpp"
#include "link/modbus.hpp"

namespace glt {

inline constexpr std::string_view kReadCaption = "[Readed] - GLT Configuration tool";
inline constexpr std::string_view kWriteQuestion = "Передать данные программирования?";
inline constexpr std::string_view kIoError = "Ошибка I/O";
inline constexpr std::string_view kApplyNotStartedText = "Программирование не запускалось";

// The blocks that travel to and from the panel, in transfer order; the
// external-network blocks live in files only.
inline constexpr std::array<BlockId, 7> kTransferredBlocks{BlockId::DevConfig, BlockId::MBusSettings,
    BlockId::InputType, BlockId::InputAssign, BlockId::DispSettings, BlockId::OutDataBase, BlockId::CrossBar};

// A write block is confirmed when the answer to one of this many polls is the
// completion function.
inline constexpr int kCompletionPolls = 25;

// The device information box.
std::string DeviceInfoCaption(std::uint8_t address, std::string_view portName);
std::string DeviceInfoText(DeviceKind kind, std::uint8_t major, std::uint8_t minor, std::uint8_t revision);

// The four device commands. Each opens the port, identifies the panel and
// always closes the port when it ends, also after a failure. Failures throw
// glt::Error; nothing is caught here.
class DeviceCommands {
public:
    DeviceCommands(Document& doc, PageTable& pages, Shell& shell, TModbus& modbus);

    // Reads blocks 0..6 into the image (blocks 7..9 are kept), refreshes every
    // page. A failure changes nothing. A call while a read runs is dropped.
    void ReadDataFromDevice(const ConnectionSettings& settings, std::string_view addressText);
    // After the user's confirmation writes the pages back, then blocks 0..6,
    // each confirmed by the completion poll. A call while a write runs is
    // dropped.
    void WriteDataToDevice(const ConnectionSettings& settings, std::string_view addressText);
    // Tells the panel to apply what it received.
    void ApplyConfig(const ConnectionSettings& settings, std::string_view addressText);
    // Shows the panel's model, firmware and hardware revision; any firmware.
    void ShowDeviceInfo(const ConnectionSettings& settings, std::string_view addressText);

private:
    Document& doc_;
    PageTable& pages_;
    Shell& shell_;
    TModbus& modbus_;
    bool readBusy_ = false;
    bool writeBusy_ = false;
};

} // namespace glt
