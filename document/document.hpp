#pragma once

#include <cstdint>
#include <string>

#include "document/config_image.hpp"

namespace glt {

struct DocumentState {
    std::int32_t WideDisplay = 0; // 1 selects the 12-window wide layout
    std::string DocumentFileName;
    bool HasFileName = false;
};

// The one configuration the windows edit: the image and the state beside it.
struct Document {
    ConfigImage image{};
    DocumentState state;
};

} // namespace glt
