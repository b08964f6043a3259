#include "document/utf8_path.hpp"

namespace glt {

std::filesystem::path Utf8Path(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Text(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string FileNameOf(std::string_view path)
{
    return Utf8Text(Utf8Path(path).filename());
}

} // namespace glt
