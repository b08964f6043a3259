#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace glt {

// Bytes as upper-case hex pairs separated by spaces ("01 46 0A"), as frame
// logs and the export file show them.
std::string HexBytes(std::span<const std::uint8_t> bytes);

} // namespace glt
