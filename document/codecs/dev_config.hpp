#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/document.hpp"

namespace glt {

// Field offsets inside the DevConfig block (block 0 starts at image offset 0).
namespace devcfg {
inline constexpr std::size_t kInputModules = 0;
inline constexpr std::size_t kRelayModules = 1;
inline constexpr std::size_t kWindowCount = 2;
inline constexpr std::size_t kOptionFlags = 3;
inline constexpr std::size_t kLinkTimeout = 5;
// Byte 4 is reserved and carried; bytes 6 to 19 are reserved and cleared by the default.
inline constexpr std::size_t kClearedFrom = 6;

inline constexpr std::uint8_t kFixConfigBit = 0x01;
inline constexpr std::uint8_t kModbusMasterBit = 0x02;
} // namespace devcfg

struct ModelRow {
    std::string_view model;
    std::uint8_t inputModules;
    std::uint8_t relayModules;
    std::uint8_t windowCount;
    std::int32_t wideDisplay;
    std::string_view composition;
    std::string_view windowCaption;
};

inline constexpr std::array<ModelRow, 5> ModelTable{{
    {"ГЛТ-07", 2, 1, 32, 0, "2 * ДИК-7 + ЛУТ-54", "32 окна"},
    {"ГЛТ-07-01", 0, 0, 32, 0, "——", "32 окна"},
    {"ГЛТ-07-02", 1, 1, 16, 0, "ДИК-7 + ЛУТ-54", "16 окон"},
    {"ГЛТ-07-03", 0, 0, 16, 0, "——", "16 окон"},
    {"ГЛТ-09", 0, 0, 12, 1, "——", "12 окон"},
}};

// The first row matching the block's composition and WideDisplay, or none.
std::optional<std::size_t> FindModel(const Document& doc);

// "12 окон", "16 окон", "32 окна"; empty for any other count.
std::string_view WindowCaption(std::uint8_t windowCount);

// Writes row's composition and WideDisplay; options stay.
void ApplyModel(Document& doc, std::size_t row);

bool TestOption(const Document& doc, std::uint8_t bit);
// Sets or clears one option bit; the other bits of the byte stay.
void SetOption(Document& doc, std::uint8_t bit, bool on);

// Line-control time-out list: item index i stands for i + 1 seconds.
inline constexpr int kTimeoutItemCount = 60;
inline constexpr int kDefaultTimeoutIndex = 4;
std::string TimeoutItemText(int index);
// The list index a stored LinkTimeout selects; none for 0 and for values above 60.
std::optional<int> TimeoutIndex(std::uint8_t linkTimeout);
// The LinkTimeout the controls stand for; selectedIndex is -1 when nothing is selected.
std::uint8_t LinkTimeoutFrom(bool lineControl, int selectedIndex);

void DefaultDevConfig(Document& doc);

} // namespace glt
