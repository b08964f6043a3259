#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "document/document.hpp"

namespace glt {

// Field offsets inside the MBusSettings block (block 1, image offset 22).
namespace mbus {
inline constexpr std::size_t kNetAddress = 0;
inline constexpr std::size_t kRateCode = 1;
inline constexpr std::size_t kLineFormat = 2;
inline constexpr std::size_t kRateParamA = 3;
inline constexpr std::size_t kRateParamB = 4;
// Bytes 5 and 6 are reserved: cleared by the default only.
inline constexpr std::size_t kReservedFrom = 5;

inline constexpr std::uint8_t kTwoStopBits = 0x08;
inline constexpr std::uint8_t kParityMask = 0x30;
inline constexpr std::uint8_t kEvenParity = 0x20;
inline constexpr std::uint8_t kOddParity = 0x30;
} // namespace mbus

struct BaudRateRow {
    std::string_view text; // the list item, spaces included
    std::uint8_t rateCode; // 7 372 800 / (16 * baud) - 1
    std::uint8_t rateParamA;
    std::uint8_t rateParamB;
};

inline constexpr std::array<BaudRateRow, 7> BaudRateTable{{
    {"9600     бод", 0x2F, 0x73, 0x06},
    {"14400   бод", 0x1F, 0x73, 0x06},
    {"19200   бод", 0x17, 0x73, 0x06},
    {"28800   бод", 0x0F, 0x73, 0x06},
    {"38400   бод", 0x0B, 0x73, 0x06},
    {"57600   бод", 0x07, 0x73, 0x06},
    {"115200 бод", 0x03, 0x73, 0x06},
}};

std::optional<std::size_t> FindBaudRate(std::uint8_t rateCode);

enum class LineParity : std::uint8_t { None, Even, Odd };

// The caption of a parity choice, as its radio button and the printed
// configuration show it: "Отсутствует", "Четный", "Нечетный".
std::string_view ParityCaption(LineParity parity);

struct LineFormat {
    bool twoStopBits = true;
    std::optional<LineParity> parity; // none for the undefined code 0x10
};

std::uint8_t EncodeLineFormat(bool twoStopBits, LineParity parity);
LineFormat DecodeLineFormat(std::uint8_t code);

// The values the page shows, as the write-back stores them; reserved bytes stay.
struct MBusValues {
    std::uint8_t netAddress = 1;
    std::size_t baudRow = 0;
    std::uint8_t lineFormat = mbus::kTwoStopBits;
};
void StoreMBusSettings(Document& doc, const MBusValues& values);

void DefaultMBSettings(Document& doc);

} // namespace glt
