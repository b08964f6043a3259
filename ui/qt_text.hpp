#pragma once

#include <string_view>

#include <QString>

namespace glt::ui {

// The system's texts are UTF-8 in the sources and the codecs.
inline QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace glt::ui
