#include "link/virtual_panel_registry.hpp"

#include <sys/stat.h>
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

bool IsPrivateFolder(const std::filesystem::path& folder)
{
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    return info.st_uid == ::getuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace glt
