#include "link/virtual_panel_registry.hpp"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace glt {

std::filesystem::path VirtualPanelFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return std::filesystem::path(runtime) / "glt-panel-sim";
    }
    return std::filesystem::path("/tmp") / ("glt-panel-sim-" + std::to_string(::getuid()));
}

} // namespace glt
