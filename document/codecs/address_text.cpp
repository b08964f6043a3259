#include "document/codecs/address_text.hpp"

#include "document/error.hpp"

namespace glt {

namespace {

constexpr unsigned kMinAddress = 1;
constexpr unsigned kMaxAddress = 255;

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The value of the leading digits, saturated just above the top address so
// that a long run of digits cannot overflow.
unsigned LeadingValue(std::string_view text)
{
    unsigned value = 0;
    for (char ch : text) {
        if (!IsDigit(ch)) {
            break;
        }
        value = value * 10 + static_cast<unsigned>(ch - '0');
        if (value > kMaxAddress) {
            return kMaxAddress + 1;
        }
    }
    return value;
}

} // namespace

bool IsAddressKey(char32_t ch) { return (ch >= U'0' && ch <= U'9') || ch == 8; }

std::string ClampAddressText(std::string_view text)
{
    const unsigned value = LeadingValue(text);
    if (value < kMinAddress) {
        return std::to_string(kMinAddress);
    }
    if (value > kMaxAddress) {
        return std::to_string(kMaxAddress);
    }
    return std::string(text);
}

std::uint8_t AddressFromText(std::string_view text)
{
    bool digitsOnly = !text.empty();
    for (char ch : text) {
        digitsOnly = digitsOnly && IsDigit(ch);
    }
    const unsigned value = digitsOnly ? LeadingValue(text) : 0;
    if (value < kMinAddress || value > kMaxAddress) {
        throw Error("Адрес \"" + std::string(text) + "\" не является целым числом от 1 до 255");
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace glt
