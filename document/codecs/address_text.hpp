#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glt {

// The rules of the two Modbus address boxes (the panel's own address and the
// address the tool talks to).

// A typed character passes only when it is a decimal digit or Backspace (8);
// everything else, control characters such as Ctrl+V included, is dropped.
bool IsAddressKey(char32_t ch);

// The text after a change: its leading digits (empty counts as 0) below 1
// give "1", above 255 give "255"; otherwise the text stays as it is.
std::string ClampAddressText(std::string_view text);

// The address the text stands for. Text that is not a whole number from 1 to
// 255 (only pasting can bring it) fails with glt::Error before any use.
std::uint8_t AddressFromText(std::string_view text);

} // namespace glt
