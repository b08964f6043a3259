#include "integration_rig.hpp"

#include <atomic>
#include <filesystem>
#include <unistd.h>

#include "link/serial_port.hpp"

namespace glt::test {

namespace {

std::vector<std::string> WithLog(std::vector<std::string> options, const std::string& path)
{
    options.insert(options.end(), {"--log", path});
    return options;
}

} // namespace

TempFile::TempFile(const std::string& suffix)
{
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path()
                / ("glt-it-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + suffix))
                .string();
}

TempFile::~TempFile()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

PanelRig::PanelRig(std::vector<std::string> simOptions)
    : sim(WithLog(std::move(simOptions), log.Path())),
      modbus(MakeSerialPort(), feedback),
      commands(doc, pages, shell, modbus)
{
    settings.portName = sim.DevicePath();
}

std::string PanelRig::Read()
{
    return ThrownMessage([&] { commands.ReadDataFromDevice(settings, address); });
}

std::string PanelRig::Write()
{
    return ThrownMessage([&] { commands.WriteDataToDevice(settings, address); });
}

std::string PanelRig::Apply()
{
    return ThrownMessage([&] { commands.ApplyConfig(settings, address); });
}

std::string PanelRig::Info()
{
    return ThrownMessage([&] { commands.ShowDeviceInfo(settings, address); });
}

std::vector<sim::LoggedFrame> PanelRig::Frames(const std::string& direction) const
{
    std::vector<sim::LoggedFrame> frames;
    for (sim::LoggedFrame& frame : sim::ReadFrameLog(log.Path())) {
        if (frame.direction == direction) {
            frames.push_back(std::move(frame));
        }
    }
    return frames;
}

std::size_t PanelRig::CountRequests(std::uint8_t function, int sub) const
{
    std::size_t count = 0;
    for (const sim::LoggedFrame& frame : Frames("RX")) {
        const auto& b = frame.bytes;
        if (b.size() > 1 && b[1] == function && (sub < 0 || (b.size() > 4 && b[4] == sub))) {
            ++count;
        }
    }
    return count;
}

bool PanelRig::PortFree()
{
    if (modbus.IsOpen()) {
        return false;
    }
    const auto other = MakeSerialPort();
    const bool opened = other->Open(sim.DevicePath(), settings.baud, settings.stopBits, settings.parity, true);
    other->Close();
    return opened;
}

} // namespace glt::test
