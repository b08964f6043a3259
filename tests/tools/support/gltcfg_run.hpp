#pragma once

#include <cstdint>
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

// A fresh folder per test, removed afterwards.
class ToolDir {
public:
    ToolDir();
    ~ToolDir();
    ToolDir(const ToolDir&) = delete;
    ToolDir& operator=(const ToolDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> FileBytes(const std::string& path);
void PutFile(const std::string& path, const std::string& bytes);
void PutFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace glt::test
