#include <array>
#include <string>

#include <gtest/gtest.h>

#include "document/bit_array.hpp"
#include "document/config_image.hpp"
#include "document/crc16.hpp"
#include "document/entry_list.hpp"
#include "document/error.hpp"

namespace glt {
namespace {

TEST(Crc16Modbus, CheckValueAndSelfCheck)
{
    const std::string digits = "123456789";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size());
    EXPECT_EQ(Crc16Modbus(bytes), 0x4B37);

    std::array<std::uint8_t, 20> zeros{};
    EXPECT_EQ(Crc16Modbus(zeros), 0x1B24);
    std::array<std::uint8_t, 22> sealed{};
    sealed[20] = 0x24;
    sealed[21] = 0x1B;
    EXPECT_EQ(Crc16Modbus(sealed), 0);
}

TEST(ConfigImage, SealedImageVerifiesAndEveryDamagedByteFails)
{
    ConfigImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    EXPECT_FALSE(VerifyBlocks(image));
    SealBlocks(image);
    EXPECT_TRUE(VerifyBlocks(image));

    const ConfigImage once = image;
    SealBlocks(image);
    EXPECT_EQ(image, once);

    // Every byte belongs to one block's data or CRC, so flipping any byte must fail.
    for (std::size_t i = 0; i < image.size(); ++i) {
        ConfigImage damaged = image;
        damaged[i] ^= 0x01;
        EXPECT_FALSE(VerifyBlocks(damaged)) << "offset " << i;
    }
}

TEST(ConfigImage, AllZeroImageFails)
{
    const ConfigImage zero{};
    EXPECT_FALSE(VerifyBlocks(zero));
}

TEST(BitArray, SetAndTest)
{
    std::array<std::uint8_t, 8> bits{};
    SetBit(9, bits, 1);
    EXPECT_EQ(bits[1], 0x02);
    EXPECT_EQ(TestBit(9, bits), 1);
    EXPECT_EQ(TestBit(8, bits), 0);
    SetBit(63, bits, 5);
    EXPECT_EQ(bits[7], 0x80);
    SetBit(9, bits, 0);
    EXPECT_EQ(bits[1], 0x00);
    EXPECT_EQ(bits[7], 0x80);
}

class EntryListTest : public testing::Test {
protected:
    std::array<std::uint8_t, kEntryListSize> bytes{};
    EntryList16 list{bytes};

    void Fill(std::size_t count)
    {
        bytes[0] = static_cast<std::uint8_t>(count);
        for (std::size_t k = 0; k < kMaxEntries; ++k) {
            for (std::size_t b = 0; b < kEntrySize; ++b) {
                Entry(list, k)[b] = static_cast<std::uint8_t>(10 * k + b);
            }
        }
    }
};

TEST_F(EntryListTest, FindLooksOnlyAtUsedEntries)
{
    EXPECT_EQ(FindEntry(0, list), -1);
    Fill(3);
    Entry(list, 2)[0] = 0;
    EXPECT_EQ(FindEntry(0, list), 0);
    EXPECT_EQ(FindEntry(20, list), -1);
    bytes[0] = 1;
    Entry(list, 1)[0] = 99;
    EXPECT_EQ(FindEntry(99, list), -1);
    EXPECT_EQ(FindEntry(256, list), -1);
    EXPECT_EQ(FindEntry(-256, list), -1);
}

TEST_F(EntryListTest, DeleteKeepsTheFreedSlot)
{
    Fill(1);
    DeleteEntry(0, list);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(Entry(list, 0)[0], 0);
    EXPECT_EQ(Entry(list, 0)[4], 4);

    Fill(3);
    DeleteEntry(1, list);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(Entry(list, 1)[0], 20);
    EXPECT_EQ(Entry(list, 2)[0], 20);

    bytes[0] = 0;
    DeleteEntry(0, list);
    EXPECT_EQ(bytes[0], 0);
}

TEST_F(EntryListTest, InsertAppendsShiftsAndStopsWhenFull)
{
    Fill(2);
    InsertEntry(2, 0x04030201, 0x05, list);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ((std::array<std::uint8_t, 5>{Entry(list, 2)[0], Entry(list, 2)[1], Entry(list, 2)[2],
                  Entry(list, 2)[3], Entry(list, 2)[4]}),
        (std::array<std::uint8_t, 5>{1, 2, 3, 4, 5}));

    Fill(15);
    InsertEntry(0, 0xAA, 0xBB, list);
    EXPECT_EQ(bytes[0], 16);
    EXPECT_EQ(Entry(list, 0)[0], 0xAA);
    EXPECT_EQ(Entry(list, 0)[4], 0xBB);
    for (std::size_t k = 1; k < 16; ++k) {
        EXPECT_EQ(Entry(list, k)[0], 10 * (k - 1));
    }

    const auto full = bytes;
    InsertEntry(0, 0x11, 0x22, list);
    EXPECT_EQ(bytes, full);
}

TEST_F(EntryListTest, CountAboveSixteenIsTakenAsSixteen)
{
    Fill(200);
    EXPECT_EQ(EntryCount(list), 16U);
    EXPECT_EQ(FindEntry(150, list), 15);
    InsertEntry(0, 1, 1, list);
    EXPECT_EQ(bytes[0], 200);
    DeleteEntry(15, list);
    EXPECT_EQ(bytes[0], 15);
}

TEST(ErrorBoxText, FullStopRule)
{
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"Файл конфигурации поврежден", "Файл конфигурации поврежден."},
        {"Ошибка I/O", "Ошибка I/O."},
        {"Невозможно открыть порт ", "Невозможно открыть порт "},
        {"v1.60", "v1.60."},
        {"done.", "done."},
        {"Ready!", "Ready!"},
        {"a-", "a-"},
        {"x/", "x/."},
        {"——", "——."},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
    }
}

} // namespace
} // namespace glt
