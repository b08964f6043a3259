#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <algorithm>

#include "arguments.hpp"
#include "commands.hpp"
#include "document/error.hpp"

int main(int argc, char** argv)
{
    CLI::App app{"gltcfg — конфигурации панелей ГЛТ-07 и ГЛТ-09 без окон"};
    app.require_subcommand(1);
    glt::cli::AddFileCommands(app);
    glt::cli::AddDeviceCommands(app);

    try {
        std::vector<std::string> arguments = glt::cli::Utf8Arguments(argc, argv);
        // The parser takes the arguments without the program name, last first.
        if (!arguments.empty()) {
            arguments.erase(arguments.begin());
        }
        std::reverse(arguments.begin(), arguments.end());
        app.parse(arguments);
    } catch (const CLI::Success& e) { // --help
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return glt::cli::kExitUsage;
    } catch (const glt::cli::CommandExit& e) {
        return e.code;
    } catch (const std::exception& e) {
        std::cerr << glt::ErrorBoxText(e.what()) << '\n';
        return glt::cli::kExitFailure;
    }
    return glt::cli::kExitOk;
}
