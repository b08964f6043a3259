// Read and write against the virtual panel emulating the line at a given
// baud rate. Prints, per baud rate and command, the wall time against its
// floor (the fixed pauses plus the time the frames take on the line; target
// within 1.02) and the processor time of this process as a share of the wall
// time (target under 5 %: no busy waiting). Usage: bench_transfer [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "document/codec_page_table.hpp"
#include "document/document.hpp"
#include "document/shell.hpp"
#include "link/device_commands.hpp"
#include "link/modbus.hpp"
#include "sim_process.hpp"
#include "wire_time.hpp"

namespace {

using namespace std::chrono;
using glt::BlockId;

class AgreeingShell : public glt::Shell {
public:
    void SetCaption(std::string_view) override {}
    void SetStatusText(std::string_view) override {}
    void SetStatusLabel(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile() override { return std::nullopt; }
    bool Confirm(std::string_view) override { return true; }
    void Inform(std::string_view, std::string_view) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    void ProcessEvents() override {}
};

enum class Command { Read, Write };

// Fixed pauses: 20 ms after identification; a read adds 20 ms after
// connecting and 20 + 10 ms per block; a write 20 + 10 + 20 ms per block
// (write, its answer, the poll).
milliseconds Pauses(Command command)
{
    const auto blocks = static_cast<int>(glt::kTransferredBlocks.size());
    const milliseconds perBlock = command == Command::Read ? glt::kRequestPause + glt::kAnswerPause
                                                           : glt::kRequestPause + glt::kAnswerPause + glt::kRequestPause;
    const milliseconds connect = command == Command::Read ? 2 * glt::kRequestPause : glt::kRequestPause;
    return connect + blocks * perBlock;
}

// Characters on the line: identification 4 + 8, device information 7 + 10,
// then per block a read (8 + length + 8) or a write (length + 8 + 5) and a
// poll (4 + 4).
std::size_t LineChars(Command command)
{
    std::size_t chars = 4 + 8 + 7 + 10;
    for (const BlockId id : glt::kTransferredBlocks) {
        const std::size_t length = glt::Block(id).length;
        chars += command == Command::Read ? 8 + length + 8 : length + 8 + 5 + 4 + 4;
    }
    return chars;
}

duration<double> CpuTime()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return duration<double>(seconds(usage.ru_utime) + seconds(usage.ru_stime));
}

// The panel's processor time so far, from /proc.
duration<double> ChildCpuTime(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    unsigned long ticks = 0;
    for (int k = 1; k <= 15 && stat >> field; ++k) {
        if (k == 14 || k == 15) {
            ticks += std::stoul(field);
        }
    }
    return duration<double>(static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK)));
}

void Measure(unsigned baud, Command command, int runs)
{
    glt::sim::SimProcess panel({"--baud", std::to_string(baud), "--stop-bits", "2", "--parity", "none"});
    glt::Document doc = glt::DefaultDocument();
    glt::CodecPageTable pages(doc);
    AgreeingShell shell;
    glt::NullFeedback feedback;
    glt::TModbus modbus(glt::MakeSerialPort(), feedback);
    glt::DeviceCommands commands(doc, pages, shell, modbus);
    glt::ConnectionSettings settings;
    settings.portName = panel.DevicePath();
    settings.baud = baud;
    settings.stopBits = glt::StopBits::Two;
    settings.parity = glt::Parity::None;

    const glt::sim::LineFormat line{baud, false, 2};
    const duration<double> floor = Pauses(command) + glt::sim::WireTime(LineChars(command), line);

    std::vector<double> walls;
    duration<double> cpu{0};
    duration<double> wallTotal{0};
    const duration<double> panelCpuBefore = ChildCpuTime(panel.Pid());
    for (int run = 0; run < runs; ++run) {
        const auto cpuStart = CpuTime();
        const auto start = steady_clock::now();
        if (command == Command::Read) {
            commands.ReadDataFromDevice(settings, "1");
        } else {
            commands.WriteDataToDevice(settings, "1");
        }
        const duration<double> wall = steady_clock::now() - start;
        cpu += CpuTime() - cpuStart;
        wallTotal += wall;
        walls.push_back(wall.count());
    }
    const duration<double> panelCpu = ChildCpuTime(panel.Pid()) - panelCpuBefore;
    std::sort(walls.begin(), walls.end());
    const double median = walls[walls.size() / 2];
    std::printf("%-5s %6u baud  wall %7.1f ms  floor %7.1f ms  ratio %.3f (target <= 1.02)  "
                "cpu %.2f %% (target < 5 %%)  panel cpu %.2f %%\n",
        command == Command::Read ? "read" : "write", baud, median * 1e3, floor.count() * 1e3,
        median / floor.count(), 100.0 * cpu / wallTotal, 100.0 * panelCpu / wallTotal);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    try {
        for (const unsigned baud : {9600U, 115200U}) {
            for (const Command command : {Command::Read, Command::Write}) {
                Measure(baud, command, runs);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_transfer: %s\n", error.what());
        return 1;
    }
    return 0;
}
