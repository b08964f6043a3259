#include "document/file_header.hpp"

#include <bit>
#include <cmath>
#include <ctime>

namespace glt {
namespace {

using namespace std::chrono;

constexpr long long kMsPerDay = 86'400'000;
constexpr local_days kEpochDay{year{1899} / December / 30};

void PutLe(std::span<std::uint8_t> out, HeaderField field, std::uint64_t value)
{
    for (std::size_t i = 0; i < field.size; ++i) {
        out[field.offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint64_t GetLe(std::span<const std::uint8_t> in, HeaderField field)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < field.size; ++i) {
        value |= static_cast<std::uint64_t>(in[field.offset + i]) << (8 * i);
    }
    return value;
}

} // namespace

FileHeaderBytes EncodeFileHeader(const FileHeader& header)
{
    FileHeaderBytes bytes{};
    PutLe(bytes, header_layout::Version, static_cast<std::uint32_t>(header.Version));
    PutLe(bytes, header_layout::SavedAt, std::bit_cast<std::uint64_t>(header.SavedAt));
    PutLe(bytes, header_layout::WideDisplay, header.WideDisplay);
    for (std::size_t i = 0; i < header.Reserved.size(); ++i) {
        bytes[header_layout::Reserved.offset + i] = header.Reserved[i];
    }
    return bytes;
}

FileHeader DecodeFileHeader(std::span<const std::uint8_t, kFileHeaderSize> bytes)
{
    FileHeader header;
    header.Version = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetLe(bytes, header_layout::Version)));
    header.SavedAt = std::bit_cast<double>(GetLe(bytes, header_layout::SavedAt));
    header.WideDisplay = static_cast<std::uint8_t>(GetLe(bytes, header_layout::WideDisplay));
    for (std::size_t i = 0; i < header.Reserved.size(); ++i) {
        header.Reserved[i] = bytes[header_layout::Reserved.offset + i];
    }
    return header;
}

FileHeader MakeFileHeader(std::int32_t wideDisplay, system_clock::time_point savedAt)
{
    FileHeader header;
    header.SavedAt = ToSavedAt(ToLocalTime(savedAt));
    header.WideDisplay = static_cast<std::uint8_t>(wideDisplay & 0xFF);
    return header;
}

std::int32_t WideDisplayFromHeaderByte(std::uint8_t byte)
{
    return static_cast<std::int8_t>(byte);
}

// Commands run on one thread, so the shared buffer of localtime is safe here.
LocalTime ToLocalTime(system_clock::time_point time)
{
    const auto ms = floor<milliseconds>(time);
    const auto secs = floor<seconds>(ms);
    const std::time_t t = system_clock::to_time_t(secs);
    const std::tm* tm = std::localtime(&t);
    if (tm == nullptr) { // outside the platform's range: the clock as UTC
        return LocalTime{ms.time_since_epoch()};
    }
    const local_days day{year{tm->tm_year + 1900} / month{static_cast<unsigned>(tm->tm_mon + 1)} /
                         std::chrono::day{static_cast<unsigned>(tm->tm_mday)}};
    return day + hours{tm->tm_hour} + minutes{tm->tm_min} + seconds{tm->tm_sec} + (ms - secs);
}

double ToSavedAt(LocalTime time)
{
    const local_days day = floor<days>(time);
    const long long msOfDay = (time - day).count();
    const long long dayNumber = (day - kEpochDay).count();
    const double fraction = static_cast<double>(msOfDay) / static_cast<double>(kMsPerDay);
    return dayNumber >= 0 ? static_cast<double>(dayNumber) + fraction : static_cast<double>(dayNumber) - fraction;
}

LocalTime FromSavedAt(double savedAt)
{
    double whole = 0.0;
    const double fraction = std::fabs(std::modf(savedAt, &whole));
    long long dayNumber = static_cast<long long>(whole);
    long long msOfDay = std::llround(fraction * static_cast<double>(kMsPerDay));
    if (msOfDay >= kMsPerDay) { // rounding reached midnight of the next day
        msOfDay -= kMsPerDay;
        dayNumber += savedAt >= 0 ? 1 : -1;
    }
    return kEpochDay + days{dayNumber} + milliseconds{msOfDay};
}

} // namespace glt
