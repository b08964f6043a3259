#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "document/codecs/disp_settings.hpp"

namespace glt {
namespace {

std::vector<std::uint8_t> DispBytes(const ConfigImage& image)
{
    const auto block = BlockData(image, BlockId::DispSettings);
    return {block.begin(), block.end()};
}

TEST(DispSettings, ClassTable)
{
    struct Case {
        DisplayClass cls;
        std::uint32_t colour;
        const char* caption;
        const char* fillCaption;
        DisplayClass next;
    };
    const std::array<Case, 4> cases{{
        {DisplayClass::Absent, 0x00E0E0E0, "Отсутствует", "Отсутствует", DisplayClass::Indication},
        {DisplayClass::Indication, 0x0000FF00, "Индикация", "Индикация", DisplayClass::Warning},
        {DisplayClass::Warning, 0x0000FFFF, "Предупредительная", "Предупред.", DisplayClass::Alarm},
        {DisplayClass::Alarm, 0x000000FF, "Аварийная", "Аварийная", DisplayClass::Absent},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(ClassColour(c.cls), c.colour);
        EXPECT_EQ(ClassCaption(c.cls), c.caption);
        EXPECT_EQ(ClassFillCaption(c.cls), c.fillCaption);
        EXPECT_EQ(NextClass(c.cls), c.next);
    }
}

TEST(DispSettings, FillTagsMapToClasses)
{
    const std::array<DisplayClass, 4> expected{
        DisplayClass::Indication, DisplayClass::Warning, DisplayClass::Alarm, DisplayClass::Absent};
    for (int tag = 0; tag < 4; ++tag) {
        EXPECT_EQ(FillClassFromTag(tag), expected[static_cast<std::size_t>(tag)]) << tag;
    }
    EXPECT_THROW(FillClassFromTag(4), std::out_of_range);
    EXPECT_THROW(FillClassFromTag(-1), std::out_of_range);
}

TEST(DispSettings, DefaultAndFillWriteAllThirtyTwoBytesOnly)
{
    Document doc;
    doc.image.fill(0x77);
    DefaultDispSettings(doc);
    EXPECT_EQ(DispBytes(doc.image), std::vector<std::uint8_t>(32, 1));
    FillDispSettings(doc.image, FillClassFromTag(2));
    EXPECT_EQ(DispBytes(doc.image), std::vector<std::uint8_t>(32, 3));
    EXPECT_EQ(doc.image[106], 0x77);
    EXPECT_EQ(doc.image[139], 0x77);
}

TEST(DispSettings, ClickStepsOneWindowAndWrapsAfterFour)
{
    ConfigImage image{};
    BlockData(image, BlockId::DispSettings)[4] = 3;
    EXPECT_EQ(StepWindowClass(image, 4), DisplayClass::Absent);
    std::vector<std::uint8_t> expected(32, 0);
    EXPECT_EQ(DispBytes(image), expected);
    for (int click = 0; click < 4; ++click) {
        StepWindowClass(image, 31);
    }
    EXPECT_EQ(DispBytes(image), expected);
    StepWindowClass(image, 31);
    expected[31] = 1;
    EXPECT_EQ(DispBytes(image), expected);
    EXPECT_THROW(StepWindowClass(image, 32), std::out_of_range);
}

TEST(DispSettings, ByteAboveThreeShowsAbsentAndStepsToIndication)
{
    for (const std::uint8_t stored : {std::uint8_t{4}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
        SCOPED_TRACE(static_cast<int>(stored));
        ConfigImage image{};
        BlockData(image, BlockId::DispSettings)[7] = stored;
        EXPECT_EQ(WindowClass(image, 7), DisplayClass::Absent);
        EXPECT_EQ(ClassColour(WindowClass(image, 7)), 0x00E0E0E0U);
        EXPECT_EQ(StepWindowClass(image, 7), DisplayClass::Indication);
        EXPECT_EQ(BlockData(image, BlockId::DispSettings)[7], 1);
    }
}

TEST(DispSettings, LayoutFromWindowCountAndWideDisplay)
{
    struct Case {
        std::uint8_t windows;
        std::int32_t wide;
        DisplayPage page;
        int height;
        bool tiles13To16;
    };
    const std::array<Case, 6> cases{{
        {32, 0, DisplayPage::Normal, 160, true},
        {16, 0, DisplayPage::Wide, 160, true},
        {12, 1, DisplayPage::Wide, 129, false},
        {32, 1, DisplayPage::Wide, 129, false},
        {12, 0, DisplayPage::Normal, 160, true},
        {0, 0, DisplayPage::Normal, 160, true},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.windows} << "/" << c.wide);
        const DisplayLayout layout = DisplayLayoutFor(c.windows, c.wide);
        EXPECT_EQ(layout.page, c.page);
        EXPECT_EQ(layout.notebookHeight, c.height);
        EXPECT_EQ(layout.wideTiles13To16Visible, c.tiles13To16);
    }
}

} // namespace
} // namespace glt
