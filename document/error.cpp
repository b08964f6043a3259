#include "document/error.hpp"

namespace glt {

std::string ErrorBoxText(std::string_view message)
{
    std::string text(message);
    if (text.empty()) {
        return text;
    }
    // Step back over UTF-8 continuation bytes to the last code point's lead byte;
    // any multi-byte character is above '.', and so is its lead byte.
    std::size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0U) == 0x80U) {
        --last;
    }
    if (static_cast<unsigned char>(text[last]) > static_cast<unsigned char>('.')) {
        text += '.';
    }
    return text;
}

} // namespace glt
