#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/config_image.hpp"
#include "document/document.hpp"

namespace glt {

// Block DispSettings: the display class of windows 1..32, one byte each.
inline constexpr std::size_t kWindowCount = 32;
inline constexpr std::size_t kWideTileCount = 16;

enum class DisplayClass : std::uint8_t {
    Absent = 0,
    Indication = 1,
    Warning = 2,
    Alarm = 3,
};
inline constexpr std::size_t kDisplayClassCount = 4;

// A stored byte above 3 is not a class: it shows as Absent, and a click
// steps it to Indication like an Absent window.
DisplayClass ClassOfByte(std::uint8_t value);
std::uint32_t ClassColour(DisplayClass cls); // 0x00BBGGRR
std::string_view ClassCaption(DisplayClass cls);     // legend
std::string_view ClassFillCaption(DisplayClass cls); // fill menu
DisplayClass NextClass(DisplayClass cls);            // 0 -> 1 -> 2 -> 3 -> 0
// Fill menu tags 0..3 give classes 1, 2, 3, 0; anything else std::out_of_range.
DisplayClass FillClassFromTag(int tag);

// window is 0..31 (the tile's tag); anything else throws std::out_of_range.
DisplayClass WindowClass(const ConfigImage& image, std::size_t window);
// Steps the window to its next class and returns it.
DisplayClass StepWindowClass(ConfigImage& image, std::size_t window);
// Every one of the 32 bytes, shown by the layout or not.
void FillDispSettings(ConfigImage& image, DisplayClass cls);

// The notebook pages of the two layouts.
enum class DisplayPage : int { Normal = 0, Wide = 1 };
inline constexpr int kNotebookHeight = 160;
inline constexpr int kNotebookHeightShort = 129;

struct DisplayLayout {
    DisplayPage page;
    int notebookHeight;
    bool wideTiles13To16Visible;
};
DisplayLayout DisplayLayoutFor(std::uint8_t windowCountByte, std::int32_t wideDisplay);

// Every window an indication.
void DefaultDispSettings(Document& doc);

} // namespace glt
