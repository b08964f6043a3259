#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "document/codecs/input_type.hpp"

namespace glt {
namespace {

std::vector<std::uint8_t> InputBytes(const ConfigImage& image)
{
    const auto block = BlockData(image, BlockId::InputType);
    return {block.begin(), block.end()};
}

TEST(InputType, DefaultClearsTheBlockAndNothingElse)
{
    Document doc;
    doc.image.fill(0xA5);
    DefaultInputType(doc);
    EXPECT_EQ(InputBytes(doc.image), std::vector<std::uint8_t>(8, 0x00));
    EXPECT_EQ(doc.image[30], 0xA5);
    EXPECT_EQ(doc.image[39], 0xA5); // CRC slot is sealed elsewhere
    for (unsigned tag = 0; tag < kInputCount; ++tag) {
        EXPECT_EQ(ContactPicture(InputContact(doc.image, tag)), kPictureNormallyOpen);
    }
}

TEST(InputType, ToggleFlipsExactlyTheTaggedBit)
{
    struct Case {
        unsigned tag;
        std::size_t byte;
        std::uint8_t value;
    };
    const std::array<Case, 5> cases{{{0, 0, 0x01}, {8, 1, 0x01}, {31, 3, 0x80}, {32, 4, 0x01}, {63, 7, 0x80}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        ConfigImage image{};
        EXPECT_EQ(ToggleInputContact(image, c.tag), ContactType::NormallyClosed);
        std::vector<std::uint8_t> expected(8, 0);
        expected[c.byte] = c.value;
        EXPECT_EQ(InputBytes(image), expected);
        EXPECT_EQ(ContactPicture(InputContact(image, c.tag)), kPictureNormallyClosed);

        EXPECT_EQ(ToggleInputContact(image, c.tag), ContactType::NormallyOpen);
        EXPECT_EQ(InputBytes(image), std::vector<std::uint8_t>(8, 0));
    }
}

TEST(InputType, TagOutsideTheInputsIsRefused)
{
    ConfigImage image{};
    EXPECT_THROW(ToggleInputContact(image, 64), std::out_of_range);
    EXPECT_THROW(InputContact(image, 64), std::out_of_range);
    EXPECT_EQ(InputBytes(image), std::vector<std::uint8_t>(8, 0));
}

TEST(InputType, FillTouchesTheModbusInputsOnlyWithTheMasterFlag)
{
    struct Case {
        ContactType type;
        bool modbusMaster;
        std::vector<std::uint8_t> expected;
    };
    const std::vector<std::uint8_t> start{0x00, 0x5A, 0x00, 0x01, 0x12, 0x34, 0x56, 0x78};
    const std::array<Case, 4> cases{{
        {ContactType::NormallyClosed, false, {0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0x78}},
        {ContactType::NormallyClosed, true, std::vector<std::uint8_t>(8, 0xFF)},
        {ContactType::NormallyOpen, false, {0x00, 0x00, 0x00, 0x00, 0x12, 0x34, 0x56, 0x78}},
        {ContactType::NormallyOpen, true, std::vector<std::uint8_t>(8, 0x00)},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type) * 2 + (c.modbusMaster ? 1 : 0));
        ConfigImage image{};
        image[30] = 0x11;
        image[39] = 0x22;
        std::copy(start.begin(), start.end(), BlockData(image, BlockId::InputType).begin());
        FillInputType(image, c.type, c.modbusMaster);
        EXPECT_EQ(InputBytes(image), c.expected);
        EXPECT_EQ(image[30], 0x11);
        EXPECT_EQ(image[39], 0x22);
    }
}

TEST(InputType, CaptionsPicturesAndLayout)
{
    EXPECT_EQ(ContactCaption(ContactType::NormallyOpen), " Н.Р.");
    EXPECT_EQ(ContactCaption(ContactType::NormallyClosed), " Н.З.");
    EXPECT_EQ(ContactPicture(ContactType::NormallyOpen), 3);
    EXPECT_EQ(ContactPicture(ContactType::NormallyClosed), 4);

    EXPECT_FALSE(InputsLayoutFor(false).modbusGroupVisible);
    EXPECT_EQ(InputsLayoutFor(false).fillButtonX, 225);
    EXPECT_TRUE(InputsLayoutFor(true).modbusGroupVisible);
    EXPECT_EQ(InputsLayoutFor(true).fillButtonX, 435);
}

} // namespace
} // namespace glt
