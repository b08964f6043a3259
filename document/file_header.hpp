#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace glt {

// The format this program writes and the only one it opens (format 1.60).
inline constexpr std::int32_t FormatVersion = 160;

inline constexpr std::size_t kFileHeaderSize = 32;

// Where each header field sits; every reader and writer of the header goes
// through this table.
struct HeaderField {
    std::size_t offset;
    std::size_t size;
};

namespace header_layout {
inline constexpr HeaderField Version{0, 4};
inline constexpr HeaderField SavedAt{4, 8};
inline constexpr HeaderField WideDisplay{12, 1};
inline constexpr HeaderField Reserved{13, 19};
} // namespace header_layout

static_assert(header_layout::Reserved.offset + header_layout::Reserved.size == kFileHeaderSize);

using FileHeaderBytes = std::array<std::uint8_t, kFileHeaderSize>;

// The 32-byte header in front of the image, little-endian throughout.
struct FileHeader {
    std::int32_t Version = FormatVersion;
    double SavedAt = 0.0;         // local time, days since 1899-12-30 00:00
    std::uint8_t WideDisplay = 0; // the low 8 bits of DocumentState::WideDisplay
    std::array<std::uint8_t, header_layout::Reserved.size> Reserved{};
};

FileHeaderBytes EncodeFileHeader(const FileHeader& header);
FileHeader DecodeFileHeader(std::span<const std::uint8_t, kFileHeaderSize> bytes);

// The header a save writes: current format, the save time, the wide flag.
FileHeader MakeFileHeader(std::int32_t wideDisplay, std::chrono::system_clock::time_point savedAt);

// Header byte 12 is read back as a signed byte, so 0xFF gives -1.
std::int32_t WideDisplayFromHeaderByte(std::uint8_t byte);

// A reading of the local wall clock, to the millisecond.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;

// The machine's local wall clock at a moment (the time zone's rules apply).
LocalTime ToLocalTime(std::chrono::system_clock::time_point time);

// Local date and time as days since 1899-12-30 00:00, the fraction being the
// time of day to the millisecond. Pure calendar arithmetic, so any date works
// whatever the platform's time functions can represent.
double ToSavedAt(LocalTime time);
// The inverse, to the millisecond; a day before the epoch day keeps its time
// of day as a positive fraction (-1.25 is 1899-12-29 06:00).
LocalTime FromSavedAt(double savedAt);

} // namespace glt
