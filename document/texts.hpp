#pragma once

#include <string_view>

namespace glt {

inline constexpr std::string_view kAppTitle = "GLT Configuration tool";
inline constexpr std::string_view kStatusVersion = " ver 1.60";

} // namespace glt
