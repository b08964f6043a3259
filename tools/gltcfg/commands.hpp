#pragma once

#include <CLI/CLI.hpp>

namespace glt::cli {

// Exit codes of gltcfg.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // refusal or failure; the message is on stderr
inline constexpr int kExitUsage = 2;

// Thrown by a command that ends with a code of its own and nothing to report
// (diff finding differences).
struct CommandExit {
    int code;
};

// Each group of subcommands registers itself here; a failing command throws
// glt::Error, which main prints as the error box shows it.
void AddFileCommands(CLI::App& app);   // file_commands.cpp: new, verify, show, export, import, diff
void AddDeviceCommands(CLI::App& app); // device_commands.cpp: ports, read, write, apply, info

} // namespace glt::cli
