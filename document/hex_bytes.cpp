#include "document/hex_bytes.hpp"

#include <cstdio>

namespace glt {

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t b : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", b);
        if (!text.empty()) {
            text += ' ';
        }
        text += pair;
    }
    return text;
}

} // namespace glt
