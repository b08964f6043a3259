#pragma once

#include <string>

#include "document/document.hpp"

namespace glt::cli {

// The whole configuration for a person to read, page by page, with the
// captions the windows use.
std::string ConfigText(const Document& doc);

} // namespace glt::cli
