#include <exception>
#include <iostream>

#include "commands.hpp"
#include "document/error.hpp"

int main(int argc, char** argv)
{
    CLI::App app{"gltcfg — конфигурации панелей ГЛТ-07 и ГЛТ-09 без окон"};
    app.require_subcommand(1);
    glt::cli::AddFileCommands(app);
    glt::cli::AddDeviceCommands(app);

    try {
        app.parse(argc, argv);
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
