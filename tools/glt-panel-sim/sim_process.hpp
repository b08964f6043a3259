#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace glt::sim {

// The glt-panel-sim program to run: $GLT_PANEL_SIM, else the one built with
// this library.
std::string PanelSimProgram();

// A running glt-panel-sim for tests and benchmarks: started with the given
// options, ready once it has printed its device path; stopped with SIGTERM
// when destroyed.
class SimProcess {
public:
    // Throws std::runtime_error when the program does not start or prints no
    // device path within a few seconds.
    explicit SimProcess(const std::vector<std::string>& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    pid_t Pid() const { return pid_; }

    // SIGTERM, then waits; the exit code (128 + signal when killed). Once
    // stopped, later calls give the same code.
    int Stop();
    // Waits for the program to end on its own (a vanish fault); the exit code,
    // or -1 when it still runs after timeoutMs.
    int WaitExit(int timeoutMs);

private:
    int Reap(int options);

    pid_t pid_ = -1;
    int exitCode_ = -1;
    std::string devicePath_;
};

// One line of the panel's frame log.
struct LoggedFrame {
    double seconds = 0;
    std::string direction; // "RX" request, "TX" answer
    std::vector<std::uint8_t> bytes;
};

std::vector<LoggedFrame> ReadFrameLog(const std::string& path);

} // namespace glt::sim
