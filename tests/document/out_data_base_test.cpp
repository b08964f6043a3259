#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/codecs/out_data_base.hpp"

namespace glt {
namespace {

std::vector<std::uint8_t> OutBytes(const ConfigImage& image)
{
    const auto block = BlockData(image, BlockId::OutDataBase);
    return {block.begin(), block.end()};
}

std::vector<std::uint8_t> Settings(std::vector<std::uint8_t> relays)
{
    relays.resize(24, kNoExternalInput);
    return relays;
}

TEST(OutDataBase, DefaultOnAnEmptyImage)
{
    Document doc;
    DefaultOutDataBase(doc);
    EXPECT_EQ(OutBytes(doc.image), Settings({0x3E, 0x3E, 0x3E, 0x3E, 0x3C, 0x3C, 0x3C, 0x3C}));
}

TEST(OutDataBase, DefaultKeepsAndCopiesTheTopBitsOfRelayOne)
{
    Document doc;
    const auto block = BlockData(doc.image, BlockId::OutDataBase);
    std::fill(block.begin(), block.end(), std::uint8_t{0x01});
    block[0] = 0x81;
    block[3] = 0x40;
    DefaultOutDataBase(doc);
    EXPECT_EQ(OutBytes(doc.image), Settings({0xBE, 0xBE, 0xBE, 0xBE, 0xBC, 0xBC, 0xBC, 0xBC}));
}

TEST(OutDataBase, TypeListOrderCaptionsAndFillBytes)
{
    struct Case {
        int position;
        OutputType type;
        const char* caption;
        std::uint8_t fill;
    };
    const std::array<Case, 4> cases{{
        {0, OutputType::LightSignal, "  Световая сигнализация", 0x3C},
        {1, OutputType::SoundSignal, "  Звуковая сигнализация", 0x3E},
        {2, OutputType::Control, "  Управление", 0x3D},
        {3, OutputType::ControlWithBlock, "  Управление с блок.", 0x3F},
    }};
    const auto items = OutputTypeListItems();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(OutputTypeAtListPosition(c.position), c.type);
        EXPECT_EQ(ListPositionOf(c.type), c.position);
        EXPECT_EQ(OutputTypeCaption(c.type), c.caption);
        EXPECT_EQ(items[static_cast<std::size_t>(c.position)], c.caption);
        EXPECT_EQ(FillByteFromTag(c.position), c.fill);
    }
    EXPECT_THROW(OutputTypeAtListPosition(4), std::out_of_range);
    EXPECT_THROW(FillByteFromTag(-1), std::out_of_range);
}

TEST(OutDataBase, LockAndGreyRulesByType)
{
    struct Case {
        OutputType type;
        std::array<bool, 8> editable; // columns 0..7
        bool ackGreyed;
        bool resetGreyed;
    };
    const std::array<Case, 4> cases{{
        {OutputType::LightSignal, {true, true, true, true, true, true, true, true}, false, false},
        {OutputType::SoundSignal, {true, true, true, true, true, true, true, true}, false, false},
        {OutputType::Control, {true, true, false, false, false, false, false, false}, true, true},
        {OutputType::ControlWithBlock, {true, true, false, false, false, true, true, true}, true, false},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        for (int column = 0; column < kOutBaseColumns; ++column) {
            EXPECT_EQ(CanEditOutBaseCell(c.type, column), c.editable[static_cast<std::size_t>(column)]) << column;
        }
        EXPECT_EQ(RowRulesFor(c.type).ackGreyed, c.ackGreyed);
        EXPECT_EQ(RowRulesFor(c.type).resetGreyed, c.resetGreyed);
    }
}

TEST(OutDataBase, CheckBoxColumnsWriteTheirOwnBitOnly)
{
    struct Case {
        int column;
        std::optional<unsigned> bit;
    };
    const std::array<Case, 8> cases{{{0, std::nullopt}, {1, std::nullopt}, {2, 5U}, {3, 3U}, {4, std::nullopt},
        {5, 4U}, {6, 2U}, {7, std::nullopt}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(CheckBoxBit(c.column), c.bit);
        Document doc;
        DefaultOutDataBase(doc);
        const auto before = OutBytes(doc.image);
        SetRelayCheckBox(doc.image, 8, c.column, false);
        auto expected = before;
        if (c.bit) {
            expected[7] = static_cast<std::uint8_t>(expected[7] & ~(1U << *c.bit));
        }
        EXPECT_EQ(OutBytes(doc.image), expected);
        SetRelayCheckBox(doc.image, 8, c.column, true);
        EXPECT_EQ(OutBytes(doc.image), before);
    }
}

TEST(OutDataBase, ChoosingATypeReplacesOnlyTheTypeBits)
{
    Document doc;
    DefaultOutDataBase(doc);
    auto block = BlockData(doc.image, BlockId::OutDataBase);
    block[2] = 0xEA; // top bits set, flags partly set, type 2
    SetRelayType(doc.image, 3, OutputTypeAtListPosition(2));
    EXPECT_EQ(block[2], 0xE9);
    EXPECT_EQ(RelayType(doc.image, 3), OutputType::Control);
    EXPECT_EQ(block[1], 0x3E);
    EXPECT_THROW(SetRelayType(doc.image, 9, OutputType::Control), std::out_of_range);
    EXPECT_THROW(RelayType(doc.image, 0), std::out_of_range);
}

TEST(OutDataBase, ExternalInputTextToByte)
{
    struct Case {
        const char* text;
        std::optional<std::uint8_t> value;
    };
    const std::array<Case, 12> cases{{
        {"", 255},
        {"1", 0},
        {"01", 0},
        {"9", 8},
        {"64", 63},
        {"0", std::nullopt},
        {"00", std::nullopt},
        {"65", std::nullopt},
        {"99", std::nullopt},
        {"164", std::nullopt},
        {"-1", std::nullopt},
        {"1a", std::nullopt},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseExternalInput(c.text), c.value);
    }
}

TEST(OutDataBase, ExternalInputByteToText)
{
    struct Case {
        std::uint8_t value;
        const char* text;
    };
    const std::array<Case, 6> cases{{{0, "1"}, {9, "10"}, {63, "64"}, {64, ""}, {200, ""}, {255, ""}}};
    for (const Case& c : cases) {
        EXPECT_EQ(ExternalInputText(c.value), c.text) << int{c.value};
    }
}

TEST(OutDataBase, ExternalInputColumnsAddressTheirBytes)
{
    ConfigImage image{};
    SetExternalInput(image, 2, kColAckExternal, 63);
    SetExternalInput(image, 8, kColResetExternal, 7);
    auto expected = std::vector<std::uint8_t>(24, 0);
    expected[9] = 63;
    expected[23] = 7;
    EXPECT_EQ(OutBytes(image), expected);
    EXPECT_EQ(ExternalInput(image, 2, kColAckExternal), 63);
    EXPECT_EQ(ExternalInput(image, 8, kColResetExternal), 7);
    EXPECT_THROW(SetExternalInput(image, 1, kColAckModbus, 1), std::out_of_range);
}

TEST(OutDataBase, FillWritesEveryRelayAndClearsTheInputs)
{
    for (int tag = 0; tag < 4; ++tag) {
        SCOPED_TRACE(tag);
        ConfigImage image{};
        BlockData(image, BlockId::OutDataBase)[0] = 0xC0;
        BlockData(image, BlockId::OutDataBase)[10] = 5;
        FillOutDataBase(image, tag);
        EXPECT_EQ(OutBytes(image), Settings(std::vector<std::uint8_t>(8, FillByteFromTag(tag))));
    }
}

TEST(OutDataBase, RelayInputsFromAssignments)
{
    ConfigImage image{};
    const auto assign = BlockData(image, BlockId::InputAssign);
    std::fill(assign.begin(), assign.end(), std::uint8_t{255});
    assign[0] = 100;  // input 1 acknowledges relay 1
    assign[4] = 100;  // input 5 too: the later input wins
    assign[9] = 107;  // input 10 acknowledges relay 8
    assign[10] = 108; // relay 9 does not exist
    assign[20] = 116; // input 21 resets relay 1
    assign[63] = 123; // input 64 resets relay 8
    assign[30] = 131; // relay 16
    assign[31] = 5;   // a window
    const RelayInputs inputs = RelayInputsFromAssignments(image);

    std::array<std::optional<int>, 8> ack{};
    ack[0] = 5;
    ack[7] = 10;
    std::array<std::optional<int>, 8> reset{};
    reset[0] = 21;
    reset[7] = 64;
    EXPECT_EQ(inputs.ack, ack);
    EXPECT_EQ(inputs.reset, reset);
}

} // namespace
} // namespace glt
