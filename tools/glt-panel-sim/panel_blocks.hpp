#pragma once

#include <string>

#include "document/config_image.hpp"
#include "link/connect_device.hpp"

namespace glt::sim {

// The blocks a panel starts with: those of the file, opened with the same
// checks as the tool, or every area's default when from is empty.
ConfigImage LoadPanelBlocks(const std::string& from);

// Writes the blocks as a configuration file; the wide flag follows the model.
void SavePanelBlocks(const std::string& path, const ConfigImage& blocks, DeviceKind model);

} // namespace glt::sim
