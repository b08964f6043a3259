#include "support/gltcfg_run.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace glt::test {
namespace {

std::string Quoted(const std::string& arg)
{
    std::string q = "'";
    for (const char c : arg) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

ToolResult RunGltcfg(const std::filesystem::path& folder, const std::vector<std::string>& args, const std::string& stdinText)
{
    const char* program = std::getenv("GLTCFG");
    if (program == nullptr) {
        ADD_FAILURE() << "GLTCFG is not set";
        return {};
    }
    const auto in = folder / ".stdin";
    const auto out = folder / ".stdout";
    const auto err = folder / ".stderr";
    PutFile(in.string(), stdinText);
    std::string command = "cd " + Quoted(folder.string()) + " && " + Quoted(program);
    for (const std::string& a : args) {
        command += " " + Quoted(a);
    }
    command += " <" + Quoted(in.string()) + " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
    const int status = std::system(command.c_str());
    ToolResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(out);
    result.err = Slurp(err);
    std::filesystem::remove(in);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

ToolDir::ToolDir()
{
    std::random_device seed;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() / ("gltcfg-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(path_)) {
            break;
        }
    }
}

ToolDir::~ToolDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    const std::string text = Slurp(path);
    return {text.begin(), text.end()};
}

void PutFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void PutFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    PutFile(path, std::string(bytes.begin(), bytes.end()));
}

} // namespace glt::test
