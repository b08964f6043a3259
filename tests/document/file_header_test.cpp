#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

#include "document/file_header.hpp"

namespace glt {
namespace {

using namespace std::chrono;

LocalTime At(int y, int mon, int d, int h, int min, int s, int ms)
{
    return local_days{year{y} / mon / d} + hours{h} + minutes{min} + seconds{s} + milliseconds{ms};
}

// The same local reading through the C library, which knows the time zone.
system_clock::time_point SystemTimeOf(int y, int mon, int d, int h, int min, int s)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mon - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = min;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return system_clock::from_time_t(std::mktime(&tm));
}

TEST(FileHeader, EncodesEveryFieldLittleEndianAtItsOffset)
{
    FileHeader header;
    header.SavedAt = 1.5;
    header.WideDisplay = 1;
    const FileHeaderBytes bytes = EncodeFileHeader(header);

    const FileHeaderBytes expected{0xA0, 0x00, 0x00, 0x00, // 160
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,    // 1.5 as IEEE 754
        0x01};                                              // 19 reserved zero bytes follow
    EXPECT_EQ(bytes, expected);
}

TEST(FileHeader, DecodeReadsBackWhatEncodeWrote)
{
    FileHeader header;
    header.Version = -12345;
    header.SavedAt = 46000.123456;
    header.WideDisplay = 0xFF;
    header.Reserved[0] = 7;
    header.Reserved[18] = 9;
    const FileHeader back = DecodeFileHeader(EncodeFileHeader(header));
    EXPECT_EQ(back.Version, header.Version);
    EXPECT_EQ(back.SavedAt, header.SavedAt);
    EXPECT_EQ(back.WideDisplay, header.WideDisplay);
    EXPECT_EQ(back.Reserved, header.Reserved);
}

TEST(FileHeader, WideDisplayByteIsSignExtended)
{
    EXPECT_EQ(WideDisplayFromHeaderByte(0x00), 0);
    EXPECT_EQ(WideDisplayFromHeaderByte(0x01), 1);
    EXPECT_EQ(WideDisplayFromHeaderByte(0x7F), 127);
    EXPECT_EQ(WideDisplayFromHeaderByte(0x80), -128);
    EXPECT_EQ(WideDisplayFromHeaderByte(0xFF), -1);
}

TEST(FileHeader, MakeKeepsLowEightBitsOfWideDisplayAndZeroReserved)
{
    const auto now = SystemTimeOf(2026, 12, 11, 10, 0, 0);
    EXPECT_EQ(MakeFileHeader(1, now).WideDisplay, 1);
    EXPECT_EQ(MakeFileHeader(-1, now).WideDisplay, 0xFF);
    EXPECT_EQ(MakeFileHeader(0x1234, now).WideDisplay, 0x34);
    const FileHeader header = MakeFileHeader(0, now);
    EXPECT_EQ(header.Version, 160);
    EXPECT_EQ(header.Reserved, (std::array<std::uint8_t, 19>{}));
    EXPECT_EQ(header.SavedAt, ToSavedAt(At(2026, 12, 11, 10, 0, 0, 0)));
}

struct SavedAtCase {
    int y, mon, d, h, min, s, ms;
    double days; // expected value
};

class SavedAtTable : public ::testing::TestWithParam<SavedAtCase> {};

TEST_P(SavedAtTable, LocalTimeBecomesDaysSince18991230AndBack)
{
    const SavedAtCase c = GetParam();
    const LocalTime time = At(c.y, c.mon, c.d, c.h, c.min, c.s, c.ms);
    const double value = ToSavedAt(time);
    EXPECT_NEAR(value, c.days, 1e-9);
    EXPECT_EQ(FromSavedAt(value), time);
}

INSTANTIATE_TEST_SUITE_P(Dates, SavedAtTable,
    ::testing::Values(SavedAtCase{1899, 12, 30, 0, 0, 0, 0, 0.0},
        SavedAtCase{1899, 12, 31, 12, 0, 0, 0, 1.5},
        SavedAtCase{1900, 3, 1, 6, 0, 0, 0, 61.25},
        SavedAtCase{2000, 1, 1, 0, 0, 0, 0, 36526.0},
        SavedAtCase{2026, 12, 11, 18, 0, 0, 0, 46367.75},
        SavedAtCase{2026, 12, 11, 23, 59, 59, 999, 46367.0 + 86399999.0 / 86400000.0},
        SavedAtCase{2024, 2, 29, 0, 0, 1, 500, 45351.0 + 1500.0 / 86400000.0}));

TEST(FileHeader, LocalTimeFollowsTheTimeZoneAndKeepsMilliseconds)
{
    for (const int month : {1, 7}) { // winter and summer time where the zone has them
        const auto time = SystemTimeOf(2026, month, 1, 9, 30, 15) + milliseconds{123} + microseconds{900};
        EXPECT_EQ(ToLocalTime(time), At(2026, month, 1, 9, 30, 15, 123));
    }
}

TEST(FileHeader, NegativeSavedAtCountsDaysBackWithPositiveTimeOfDay)
{
    EXPECT_EQ(FromSavedAt(-1.25), At(1899, 12, 29, 6, 0, 0, 0));
}

} // namespace
} // namespace glt
