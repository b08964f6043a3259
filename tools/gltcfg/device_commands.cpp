#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "batch_shell.hpp"
#include "commands.hpp"
#include "document/codec_page_table.hpp"
#include "document/config_file.hpp"
#include "document/document_commands.hpp"
#include "document/error.hpp"
#include "document/utf8_path.hpp"
#include "link/connect_device.hpp"
#include "link/device_commands.hpp"
#include "link/modbus.hpp"
#include "link/port_list.hpp"

namespace glt::cli {
namespace {

struct DeviceArgs {
    std::string file;
    std::string port;
    std::string address = "1";
    std::uint32_t baud = 9600;
    unsigned stopBits = 2;
    std::string parity = "none";
    bool yes = false;
};

// What the device commands need of a window on a terminal: the write
// question is asked on it (or answered by --yes), the information box is
// printed.
class TerminalShell : public BatchShell {
public:
    explicit TerminalShell(bool yes) : yes_(yes) {}

    bool Confirm(std::string_view question) override
    {
        asked_ = true;
        if (yes_) {
            return confirmed_ = true;
        }
        // Without a terminal there is nobody to answer: nothing is sent.
        if (isatty(STDIN_FILENO) == 0) {
            return false;
        }
        std::cerr << question << " [yes/no] " << std::flush;
        std::string answer;
        std::getline(std::cin, answer);
        return confirmed_ = answer == "yes";
    }
    bool Declined() const { return asked_ && !confirmed_; }

private:
    bool yes_;
    bool asked_ = false;
    bool confirmed_ = false;
};

ConnectionSettings SettingsOf(const DeviceArgs& args)
{
    ConnectionSettings settings;
    settings.portName = args.port;
    settings.baud = args.baud;
    settings.stopBits = args.stopBits == 1 ? StopBits::One : StopBits::Two;
    settings.parity = args.parity == "even" ? Parity::Even : args.parity == "odd" ? Parity::Odd : Parity::None;
    return settings;
}

// One device command over a freshly opened master, as the main window runs it.
struct DeviceSession {
    explicit DeviceSession(Document& doc, bool yes = false) : doc(doc), shell(yes), commands(doc, pages, shell, modbus)
    {
    }

    Document& doc;
    CodecPageTable pages{doc};
    TerminalShell shell;
    NullFeedback feedback;
    TModbus modbus{MakeSerialPort(), feedback};
    DeviceCommands commands;
};

// The network lists are not transferred; a read into an existing file keeps
// that file's, else the defaults'.
Document StartingDocument(const std::string& out)
{
    Document doc = DefaultDocument();
    std::error_code error;
    if (std::filesystem::exists(Utf8Path(out), error)) {
        try {
            doc.image = ReadConfigFile(out).image;
        } catch (const Error&) {
            // A file that does not open is replaced whole by the read.
        }
    }
    return doc;
}

void RunRead(const DeviceArgs& args)
{
    Document doc = StartingDocument(args.file);
    {
        DeviceSession session(doc);
        session.commands.ReadDataFromDevice(SettingsOf(args), args.address);
    }
    // Saved only after every block arrived, through the one save path, which
    // writes a temporary file and renames it over the target.
    CodecPageTable pages(doc);
    BatchShell shell(args.file);
    DocumentCommands(doc, pages, shell).SBSaveAsFileClick(true);
}

void RunWrite(const DeviceArgs& args)
{
    Document doc = OpenDocument(args.file);
    DeviceSession session(doc, args.yes);
    session.commands.WriteDataToDevice(SettingsOf(args), args.address);
    if (session.shell.Declined()) {
        throw Error("Данные не переданы: нет подтверждения (ответ yes или ключ --yes)");
    }
}

void RunApply(const DeviceArgs& args)
{
    Document doc;
    DeviceSession session(doc);
    session.commands.ApplyConfig(SettingsOf(args), args.address);
}

void RunInfo(const DeviceArgs& args)
{
    Document doc;
    DeviceSession session(doc);
    session.commands.ShowDeviceInfo(SettingsOf(args), args.address);
}

std::vector<std::uint32_t> BaudRates()
{
    std::vector<std::uint32_t> rates;
    for (const std::string_view text : kBaudTexts) {
        rates.push_back(LeadingNumber(text));
    }
    return rates;
}

void AddLineOptions(CLI::App& command, DeviceArgs& args)
{
    command.add_option("--port", args.port, "последовательный порт, например /dev/ttyUSB0")->required();
    command.add_option("--address", args.address, "адрес устройства 1..255 (по умолчанию 1)");
    command.add_option("--baud", args.baud, "скорость, бод (по умолчанию 9600)")->check(CLI::IsMember(BaudRates()));
    command.add_option("--stop-bits", args.stopBits, "стоп-биты 1 или 2 (по умолчанию 2)")
        ->check(CLI::IsMember({1U, 2U}));
    command.add_option("--parity", args.parity, "паритет none|even|odd (по умолчанию none)")
        ->check(CLI::IsMember({"none", "even", "odd"}));
}

} // namespace

void AddDeviceCommands(CLI::App& app)
{
    auto args = std::make_shared<DeviceArgs>();

    CLI::App* ports = app.add_subcommand("ports", "Показать последовательные порты");
    ports->callback([] {
        for (const std::string& port : ListSerialPorts()) {
            std::cout << port << '\n';
        }
    });

    CLI::App* read = app.add_subcommand("read",
        "Считать конфигурацию из устройства в файл; файл заменяется только после успешного чтения");
    read->add_option("OUT", args->file, "файл конфигурации")->required();
    AddLineOptions(*read, *args);
    read->callback([args] { RunRead(*args); });

    CLI::App* write = app.add_subcommand("write", "Записать конфигурацию из файла в устройство");
    write->add_option("IN", args->file, "файл конфигурации")->required();
    AddLineOptions(*write, *args);
    write->add_flag("--yes", args->yes, "не спрашивать подтверждения");
    write->callback([args] { RunWrite(*args); });

    CLI::App* apply = app.add_subcommand("apply", "Применить переданную конфигурацию в устройстве");
    AddLineOptions(*apply, *args);
    apply->callback([args] { RunApply(*args); });

    CLI::App* info = app.add_subcommand("info", "Показать тип прибора, версию ПО и ревизию");
    AddLineOptions(*info, *args);
    info->callback([args] { RunInfo(*args); });
}

} // namespace glt::cli
