#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace glt {

// The reason of a file-system failure in words the user reads.
std::string FileErrorReason(std::error_code error);

// "<what> <path>: <reason>", for the error box.
std::string FileErrorText(std::string_view what, std::string_view path, std::error_code error);

} // namespace glt
