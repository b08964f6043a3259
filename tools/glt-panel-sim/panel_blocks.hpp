#pragma once

#include <string>

#include "document/config_image.hpp"
#include "link/connect_device.hpp"

namespace glt::sim {

// The blocks a panel starts with: those of the file, opened with the same
// checks as the tool, or every area's default when from is empty, with the
// composition of the model the panel identifies as.
ConfigImage LoadPanelBlocks(const std::string& from, DeviceKind model);

// Writes the blocks as a configuration file; the wide flag follows the model.
void SavePanelBlocks(const std::string& path, const ConfigImage& blocks, DeviceKind model);

} // namespace glt::sim
