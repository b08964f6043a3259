#include "document/codecs/disp_settings.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace glt {
namespace {

struct ClassEntry {
    std::uint32_t colour;
    std::string_view caption;
    std::string_view fillCaption;
};

constexpr std::array<ClassEntry, kDisplayClassCount> kClasses{{
    {0x00E0E0E0, "Отсутствует", "Отсутствует"},
    {0x0000FF00, "Индикация", "Индикация"},
    {0x0000FFFF, "Предупредительная", "Предупред."},
    {0x000000FF, "Аварийная", "Аварийная"},
}};

constexpr std::array<DisplayClass, kDisplayClassCount> kFillClasses{
    DisplayClass::Indication, DisplayClass::Warning, DisplayClass::Alarm, DisplayClass::Absent};

constexpr std::uint8_t kSixteenWindows = 16;

const ClassEntry& Entry(DisplayClass cls) { return kClasses[static_cast<std::size_t>(cls)]; }

std::size_t CheckedWindow(std::size_t window)
{
    if (window >= kWindowCount) {
        throw std::out_of_range("window out of range");
    }
    return window;
}

} // namespace

DisplayClass ClassOfByte(std::uint8_t value)
{
    return value < kDisplayClassCount ? static_cast<DisplayClass>(value) : DisplayClass::Absent;
}

std::uint32_t ClassColour(DisplayClass cls) { return Entry(cls).colour; }

std::string_view ClassCaption(DisplayClass cls) { return Entry(cls).caption; }

std::string_view ClassFillCaption(DisplayClass cls) { return Entry(cls).fillCaption; }

DisplayClass NextClass(DisplayClass cls)
{
    return static_cast<DisplayClass>((static_cast<std::size_t>(cls) + 1) % kDisplayClassCount);
}

DisplayClass FillClassFromTag(int tag)
{
    if (tag < 0 || tag >= static_cast<int>(kFillClasses.size())) {
        throw std::out_of_range("fill tag out of range");
    }
    return kFillClasses[static_cast<std::size_t>(tag)];
}

DisplayClass WindowClass(const ConfigImage& image, std::size_t window)
{
    return ClassOfByte(BlockData(image, BlockId::DispSettings)[CheckedWindow(window)]);
}

DisplayClass StepWindowClass(ConfigImage& image, std::size_t window)
{
    const DisplayClass next = NextClass(WindowClass(image, window));
    BlockData(image, BlockId::DispSettings)[window] = static_cast<std::uint8_t>(next);
    return next;
}

void FillDispSettings(ConfigImage& image, DisplayClass cls)
{
    const auto block = BlockData(image, BlockId::DispSettings);
    std::fill(block.begin(), block.end(), static_cast<std::uint8_t>(cls));
}

DisplayLayout DisplayLayoutFor(std::uint8_t windowCountByte, std::int32_t wideDisplay)
{
    if (wideDisplay == 1) {
        return {DisplayPage::Wide, kNotebookHeightShort, false};
    }
    const DisplayPage page = windowCountByte == kSixteenWindows ? DisplayPage::Wide : DisplayPage::Normal;
    return {page, kNotebookHeight, true};
}

void DefaultDispSettings(Document& doc) { FillDispSettings(doc.image, DisplayClass::Indication); }

} // namespace glt
