#include "pty_line.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <thread>
#include <termios.h>
#include <unistd.h>

#include "document/error.hpp"

namespace glt::sim {

namespace {

[[noreturn]] void Fail(const char* what)
{
    throw Error(std::string(what) + ": " + std::strerror(errno));
}

} // namespace

PtyLine::PtyLine()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        Fail("posix_openpt");
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        Close();
        Fail("grantpt/unlockpt");
    }
    const char* name = ptsname(master_);
    if (name == nullptr) {
        Close();
        Fail("ptsname");
    }
    path_ = name;
    slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        Close();
        Fail(path_.c_str());
    }
    termios raw{};
    if (tcgetattr(slave_, &raw) != 0) {
        Close();
        Fail("tcgetattr");
    }
    cfmakeraw(&raw);
    if (tcsetattr(slave_, TCSANOW, &raw) != 0) {
        Close();
        Fail("tcsetattr");
    }
}

PtyLine::~PtyLine() { Close(); }

void PtyLine::WaitDelivered(std::chrono::milliseconds limit) const
{
    // The panel's own slave descriptor shares the terminal's input queue. The
    // answer shows up there a moment after it was written (the terminal
    // layer passes it on asynchronously), and the count falls back to 0 once
    // the tool has read it. If it never shows up, the tool had read it first.
    const auto queued = [this] {
        int count = 0;
        return slave_ >= 0 && ioctl(slave_, FIONREAD, &count) == 0 ? count : 0;
    };
    const auto start = std::chrono::steady_clock::now();
    const auto waitFor = [&](bool present, std::chrono::milliseconds within) {
        while ((queued() > 0) != present && std::chrono::steady_clock::now() - start < within) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    waitFor(true, std::chrono::milliseconds(50));
    waitFor(false, limit);
}

void PtyLine::Close()
{
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

} // namespace glt::sim
