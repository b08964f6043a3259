#include "sim_process.hpp"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace glt::sim {

namespace {

constexpr int kStartTimeoutMs = 5000;

int ExitCodeOf(int status)
{
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// Reads the first line the program prints, waiting at most timeoutMs.
std::string FirstLine(int fd, int timeoutMs)
{
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd out{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&out, 1, static_cast<int>(left.count())) <= 0) {
            return {};
        }
        char chunk[256];
        const ssize_t count = read(fd, chunk, sizeof chunk);
        if (count <= 0) {
            return {};
        }
        line.append(chunk, static_cast<std::size_t>(count));
    }
    return line.substr(0, line.find('\n'));
}

} // namespace

std::string PanelSimProgram()
{
    const char* fromEnv = std::getenv("GLT_PANEL_SIM");
    return fromEnv != nullptr && *fromEnv != '\0' ? std::string(fromEnv) : std::string(GLT_PANEL_SIM_BUILT);
}

SimProcess::SimProcess(const std::vector<std::string>& options)
{
    const std::string program = PanelSimProgram();
    std::vector<std::string> args{program};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    pid_ = fork();
    if (pid_ < 0) {
        close(out[0]);
        close(out[1]);
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    }
    if (pid_ == 0) {
        // A test that crashes must not leave its panel running.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(out[1], STDOUT_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    devicePath_ = FirstLine(out[0], kStartTimeoutMs);
    close(out[0]);
    if (devicePath_.empty()) {
        Stop();
        throw std::runtime_error("glt-panel-sim printed no device path: " + program);
    }
}

SimProcess::~SimProcess() { Stop(); }

int SimProcess::Reap(int options)
{
    int status = 0;
    const pid_t done = waitpid(pid_, &status, options);
    if (done == pid_) {
        exitCode_ = ExitCodeOf(status);
        pid_ = -1;
    }
    return exitCode_;
}

int SimProcess::Stop()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        Reap(0);
    }
    return exitCode_;
}

int SimProcess::WaitExit(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
        if (Reap(WNOHANG); pid_ < 0) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return pid_ > 0 ? -1 : exitCode_;
}

std::vector<LoggedFrame> ReadFrameLog(const std::string& path)
{
    std::vector<LoggedFrame> frames;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        LoggedFrame frame;
        fields >> frame.seconds >> frame.direction;
        std::string hex;
        while (fields >> hex) {
            frame.bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace glt::sim
