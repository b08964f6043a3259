#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace glt::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the gltcfg built with the tests (path in GLTCFG) in the given folder;
// stdinText, when not empty, is fed to its standard input.
ToolResult RunGltcfg(const std::filesystem::path& folder, const std::vector<std::string>& args,
    const std::string& stdinText = {});

} // namespace glt::test
