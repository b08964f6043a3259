#include "link/virtual_panel_registry.hpp"

namespace glt {

// Virtual panels need pseudo-terminals and do not run on Windows; the folder
// exists so that the registry's functions mean the same everywhere.
std::filesystem::path VirtualPanelFolder() { return std::filesystem::temp_directory_path() / "glt-panel-sim"; }

// The temporary folder is per user on Windows.
bool IsPrivateFolder(const std::filesystem::path& folder) { return std::filesystem::is_directory(folder); }

} // namespace glt
