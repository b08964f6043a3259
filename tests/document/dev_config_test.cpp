#include <gtest/gtest.h>

#include "document/codecs/dev_config.hpp"

namespace glt {
namespace {

std::uint8_t& Byte(Document& doc, std::size_t offset) { return doc.image[Block(BlockId::DevConfig).offset + offset]; }

TEST(DevConfigDefault, WritesModelAndOptionsAndKeepsCarriedBits)
{
    Document doc;
    doc.image.fill(0xFF);
    doc.state.WideDisplay = 1;
    DefaultDevConfig(doc);

    EXPECT_EQ(Byte(doc, 0), 2);
    EXPECT_EQ(Byte(doc, 1), 1);
    EXPECT_EQ(Byte(doc, 2), 32);
    EXPECT_EQ(Byte(doc, 3), 0xFD) << "bit 0 set, bit 1 clear, bits 2-7 carried";
    EXPECT_EQ(Byte(doc, 4), 0xFF) << "reserved byte 4 is never written";
    EXPECT_EQ(Byte(doc, 5), 0);
    for (std::size_t k = 6; k < 20; ++k) {
        EXPECT_EQ(Byte(doc, k), 0) << k;
    }
    EXPECT_EQ(doc.image[20], 0xFF) << "the CRC slot is left to sealing";
    EXPECT_EQ(doc.state.WideDisplay, 0);
}

struct ModelCase {
    std::uint8_t in, relay, windows;
    std::int32_t wide;
    std::optional<std::size_t> row;
};

TEST(DevConfigModel, LookupFindsTheFirstMatchingRowOrNone)
{
    const ModelCase cases[] = {
        {2, 1, 32, 0, 0}, {0, 0, 32, 0, 1}, {1, 1, 16, 0, 2}, {0, 0, 16, 0, 3}, {0, 0, 12, 1, 4},
        {0, 0, 32, 1, std::nullopt}, {0, 0, 12, 0, std::nullopt}, {2, 1, 16, 0, std::nullopt},
        {2, 1, 32, -1, std::nullopt}, {3, 1, 32, 0, std::nullopt},
    };
    for (const ModelCase& c : cases) {
        Document doc;
        Byte(doc, 0) = c.in;
        Byte(doc, 1) = c.relay;
        Byte(doc, 2) = c.windows;
        doc.state.WideDisplay = c.wide;
        EXPECT_EQ(FindModel(doc), c.row) << int(c.in) << ' ' << int(c.relay) << ' ' << int(c.windows) << ' ' << c.wide;
    }
}

TEST(DevConfigModel, ApplyingEachRowFindsItAgainAndLeavesOptions)
{
    for (std::size_t row = 0; row < ModelTable.size(); ++row) {
        Document doc;
        Byte(doc, 3) = 0xA5;
        Byte(doc, 5) = 7;
        ApplyModel(doc, row);
        EXPECT_EQ(FindModel(doc), row);
        EXPECT_EQ(WindowCaption(Byte(doc, 2)), ModelTable[row].windowCaption);
        EXPECT_EQ(Byte(doc, 3), 0xA5);
        EXPECT_EQ(Byte(doc, 5), 7);
    }
    Document doc;
    ApplyModel(doc, 4);
    EXPECT_EQ(Byte(doc, 0), 0);
    EXPECT_EQ(Byte(doc, 1), 0);
    EXPECT_EQ(Byte(doc, 2), 12);
    EXPECT_EQ(doc.state.WideDisplay, 1);
    EXPECT_EQ(ModelTable[4].composition, "\u2014\u2014");
}

TEST(DevConfigModel, WindowCaptionFollowsTheCountAlone)
{
    EXPECT_EQ(WindowCaption(12), "12 окон");
    EXPECT_EQ(WindowCaption(16), "16 окон");
    EXPECT_EQ(WindowCaption(32), "32 окна");
    EXPECT_EQ(WindowCaption(0), "");
    EXPECT_EQ(WindowCaption(31), "");
}

TEST(DevConfigOptions, EachBitChangesAloneAndTheOthersStay)
{
    Document doc;
    Byte(doc, 3) = 0xF0;
    SetOption(doc, devcfg::kFixConfigBit, true);
    EXPECT_EQ(Byte(doc, 3), 0xF1);
    SetOption(doc, devcfg::kModbusMasterBit, true);
    EXPECT_EQ(Byte(doc, 3), 0xF3);
    EXPECT_TRUE(TestOption(doc, devcfg::kModbusMasterBit));
    SetOption(doc, devcfg::kFixConfigBit, false);
    EXPECT_EQ(Byte(doc, 3), 0xF2);
    EXPECT_FALSE(TestOption(doc, devcfg::kFixConfigBit));
}

TEST(DevConfigTimeout, ListItemsAndBothDirections)
{
    EXPECT_EQ(TimeoutItemText(0), "1 с");
    EXPECT_EQ(TimeoutItemText(kDefaultTimeoutIndex), "5 с");
    EXPECT_EQ(TimeoutItemText(59), "60 с");

    const std::pair<std::uint8_t, std::optional<int>> stored[] = {
        {0, std::nullopt}, {1, 0}, {10, 9}, {60, 59}, {61, std::nullopt}, {255, std::nullopt}};
    for (const auto& [value, index] : stored) {
        EXPECT_EQ(TimeoutIndex(value), index) << int(value);
    }

    struct Shown { bool ticked; int index; std::uint8_t value; };
    const Shown shown[] = {{false, 9, 0}, {true, 9, 10}, {true, 0, 1}, {true, 59, 60}, {true, -1, 0}};
    for (const Shown& s : shown) {
        EXPECT_EQ(LinkTimeoutFrom(s.ticked, s.index), s.value) << s.ticked << ' ' << s.index;
    }
}

} // namespace
} // namespace glt
