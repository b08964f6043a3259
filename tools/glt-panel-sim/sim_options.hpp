#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include <CLI/CLI.hpp>

#include "panel_faults.hpp"
#include "panel_protocol.hpp"
#include "wire_time.hpp"

namespace glt::sim {

struct SimOptions {
    PanelIdentity identity;
    PanelFaults faults;
    LineFormat line;
    bool emulateWire = false; // --baud given: answers take their time on the line
    std::string from;         // .cfg with the panel's blocks; codec defaults when empty
    std::string log;
    std::string save;
};

// Texts of the option values; each throws CLI::ValidationError when refused.
// "1.6" -> {1, 6}
std::pair<std::uint8_t, std::uint8_t> ParseFirmware(std::string_view text);
// "03200932" or "03 20 09 32" -> four bytes
IdentBytes ParseIdentBytes(std::string_view text);
// "read:5" -> answers to reads are cut to 5 bytes
CutAnswer ParseCutAnswer(std::string_view text);

// Declares every option on app; after app's parse, options holds them.
void AddSimOptions(CLI::App& app, SimOptions& options);

} // namespace glt::sim
