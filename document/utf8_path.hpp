#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace glt {

// Paths travel through the program as UTF-8 text; these convert at the edge
// so that Cyrillic names survive on every platform.
std::filesystem::path Utf8Path(std::string_view text);
std::string Utf8Text(const std::filesystem::path& path);

// The last component of a path, extension included.
std::string FileNameOf(std::string_view path);

} // namespace glt
