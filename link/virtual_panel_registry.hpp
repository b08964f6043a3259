#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace glt {

// Running virtual panels announce their pseudo-terminals here so that the
// port list offers them: one symbolic link per panel, named after the
// terminal, pointing at its device path.
//
// The per-user folder: $XDG_RUNTIME_DIR/glt-panel-sim when that variable is
// set, else /tmp/glt-panel-sim-<uid> (Windows: the temporary folder).
std::filesystem::path VirtualPanelFolder();

// True when the folder belongs to this user and nobody else may change it: a
// folder in a shared place that another user made first is not trusted.
bool IsPrivateFolder(const std::filesystem::path& folder);

// The link name for a device path: "/dev/pts/3" -> "pts-3".
std::string VirtualPanelLinkName(const std::string& devicePath);

// Creates the folder when missing and the link for devicePath (replacing a
// stale link of that name). Throws glt::Error on failure.
void RegisterVirtualPanel(const std::string& devicePath,
    const std::filesystem::path& folder = VirtualPanelFolder());
// Removes the link; a missing link is fine.
void UnregisterVirtualPanel(const std::string& devicePath,
    const std::filesystem::path& folder = VirtualPanelFolder());
// The device paths of the registered panels whose device still exists, in
// link-name order (pts-2 before pts-10).
std::vector<std::string> ListVirtualPanels(const std::filesystem::path& folder = VirtualPanelFolder());

} // namespace glt
