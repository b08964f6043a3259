#include <gtest/gtest.h>

#include "document/codecs/address_text.hpp"
#include "document/codecs/mbus_settings.hpp"
#include "document/error.hpp"

namespace glt {
namespace {

constexpr std::size_t kBase = 22;

TEST(MBusSettingsDefault, WritesTheFirstRateTwoStopBitsNoParity)
{
    Document doc;
    doc.image.fill(0xEE);
    DefaultMBSettings(doc);
    const std::uint8_t expected[] = {1, 0x2F, 0x08, 0x73, 0x06, 0, 0};
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(doc.image[kBase + k], expected[k]) << k;
    }
    EXPECT_EQ(doc.image[21], 0xEE);
    EXPECT_EQ(doc.image[29], 0xEE);
}

TEST(MBusSettingsStore, KeepsTheReservedBytes)
{
    Document doc;
    doc.image[kBase + 5] = 0x11;
    doc.image[kBase + 6] = 0x22;
    StoreMBusSettings(doc, {200, 6, 0x38});
    const std::uint8_t expected[] = {200, 0x03, 0x38, 0x73, 0x06, 0x11, 0x22};
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(doc.image[kBase + k], expected[k]) << k;
    }
}

TEST(BaudRateTable, RateCodeFollowsTheClockFormulaAndLooksUp)
{
    const int bauds[] = {9600, 14400, 19200, 28800, 38400, 57600, 115200};
    for (std::size_t row = 0; row < BaudRateTable.size(); ++row) {
        EXPECT_EQ(BaudRateTable[row].rateCode, 7372800 / (16 * bauds[row]) - 1) << row;
        EXPECT_EQ(FindBaudRate(BaudRateTable[row].rateCode), row);
    }
    EXPECT_EQ(FindBaudRate(0x30), std::nullopt);
    EXPECT_EQ(BaudRateTable[0].text, "9600     бод");
    EXPECT_EQ(BaudRateTable[6].text, "115200 бод");
}

TEST(LineFormatCodec, EncodesAndDecodesEveryCombination)
{
    struct Case { bool two; LineParity parity; std::uint8_t code; };
    const Case cases[] = {
        {true, LineParity::None, 0x08}, {false, LineParity::None, 0x00}, {true, LineParity::Even, 0x28},
        {false, LineParity::Even, 0x20}, {true, LineParity::Odd, 0x38}, {false, LineParity::Odd, 0x30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeLineFormat(c.two, c.parity), c.code);
        const LineFormat decoded = DecodeLineFormat(c.code);
        EXPECT_EQ(decoded.twoStopBits, c.two);
        EXPECT_EQ(decoded.parity, c.parity);
    }
    EXPECT_EQ(DecodeLineFormat(0x10).parity, std::nullopt);
    EXPECT_EQ(DecodeLineFormat(0x18).twoStopBits, true);
}

TEST(AddressText, KeyFilterTakesDigitsAndBackspaceOnly)
{
    for (char32_t ch = U'0'; ch <= U'9'; ++ch) {
        EXPECT_TRUE(IsAddressKey(ch));
    }
    EXPECT_TRUE(IsAddressKey(8));
    for (char32_t ch : {U'a', U' ', U'-', U'+', U'.', char32_t{0x16}, char32_t{13}, U'\u0661', U'д'}) {
        EXPECT_FALSE(IsAddressKey(ch)) << static_cast<unsigned>(ch);
    }
}

TEST(AddressText, ClampAfterChange)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", "1"}, {"0", "1"}, {"00", "1"}, {"1", "1"}, {"255", "255"}, {"256", "255"}, {"300", "255"},
        {"99999999999999999999", "255"}, {"30", "30"}, {"007", "007"}, {"abc", "1"}, {"12ab", "12ab"},
        {"300x", "255"},
    };
    for (const auto& [text, result] : cases) {
        EXPECT_EQ(ClampAddressText(text), result) << text;
        EXPECT_EQ(ClampAddressText(ClampAddressText(text)), ClampAddressText(text)) << "a replacement passes unchanged";
    }
}

TEST(AddressText, ConversionAcceptsWholeNumbersAndRefusesTheRest)
{
    EXPECT_EQ(AddressFromText("1"), 1);
    EXPECT_EQ(AddressFromText("017"), 17);
    EXPECT_EQ(AddressFromText("255"), 255);
    for (std::string_view bad : {"", "0", "256", "12ab", " 12", "-5", "1.5", "ab"}) {
        EXPECT_THROW(AddressFromText(bad), Error) << bad;
    }
    try {
        AddressFromText("12ab");
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("12ab"), std::string::npos);
    }
}

} // namespace
} // namespace glt
