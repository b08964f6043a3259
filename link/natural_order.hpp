#pragma once

#include <string_view>

namespace glt {

// Orders names as people count them: runs of digits compare as numbers, so
// ttyS2 comes before ttyS10.
bool NaturalLess(std::string_view a, std::string_view b);

} // namespace glt
