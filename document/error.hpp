#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace glt {

// The one error a failing command raises; its text is shown to the user.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The text of the error box: a full stop is appended when the last character's
// code is above that of ".". Text is UTF-8; the last code point decides.
std::string ErrorBoxText(std::string_view message);

} // namespace glt
