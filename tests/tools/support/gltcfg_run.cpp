#include "support/gltcfg_run.hpp"
#include "support/temp_dir.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
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
    WriteText(in.string(), stdinText);
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

} // namespace glt::test
