// The Linux back end of the serial port: termios2 for any baud rate, kernel
// RS-485 mode for RTS on send where the driver has it.
#include "link/serial_port.hpp"

#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace glt {

namespace {

// Device majors of pseudo-terminal slaves (the Unix 98 ones and the legacy
// ones), which refuse modem lines and RS-485 mode and drop parity.
bool IsPseudoTerminal(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        return false;
    }
    const unsigned devMajor = major(info.st_rdev);
    return (devMajor >= 136 && devMajor <= 143) || devMajor == 3;
}

// Errors by which a driver says it has no RS-485 mode.
bool MeansUnsupported(int error)
{
    constexpr int kNoIoctlCmd = 515; // the kernel's ENOIOCTLCMD as it may leak out
    return error == ENOTTY || error == EINVAL || error == EOPNOTSUPP || error == kNoIoctlCmd;
}

// A UART meets the rate within a few per cent; drivers report the rate they
// really set.
bool BaudClose(unsigned actual, unsigned wanted)
{
    const long difference = std::labs(static_cast<long>(actual) - static_cast<long>(wanted));
    return difference * 100 <= static_cast<long>(wanted) * 2;
}

class PosixSerialPort final : public SerialPort {
public:
    ~PosixSerialPort() override { Close(); }

    bool Open(const std::string& devicePath, std::uint32_t baud, StopBits stopBits, Parity parity,
        bool rtsToggle) override
    {
        Close();
        if (baud == 0) {
            return false; // speed 0 would hang the line up
        }
        fd_ = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) {
            return false;
        }
        if (!Configure(baud, stopBits, parity, rtsToggle)) {
            Release();
            return false;
        }
        Purge();
        return true;
    }

    void Close() override
    {
        if (fd_ < 0) {
            return;
        }
        Purge();
        Release();
    }

    bool IsOpen() const override { return fd_ >= 0; }

    std::intptr_t NativeHandle() const override { return fd_; }

    void Purge() override
    {
        if (fd_ >= 0) {
            ::ioctl(fd_, TCFLSH, TCIOFLUSH);
        }
    }

    IoResult Write(std::span<const std::uint8_t> bytes) override
    {
        IoResult result;
        if (fd_ < 0) {
            return result;
        }
        if (manualRts_ && !SetModemLine(TIOCMBIS, TIOCM_RTS)) {
            return result;
        }
        result.count = WriteAll(bytes);
        result.ok = result.count == bytes.size();
        if (manualRts_) {
            // RTS drops only after the last byte has left the port.
            result.ok = ::ioctl(fd_, TCSBRK, 1) == 0 && result.ok;
            result.ok = SetModemLine(TIOCMBIC, TIOCM_RTS) && result.ok;
        }
        return result;
    }

    IoResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override
    {
        IoResult result;
        if (fd_ < 0) {
            return result;
        }
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (result.count < buffer.size()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return result;
            }
            pollfd entry{fd_, POLLIN, 0};
            const int ready = ::poll(&entry, 1, static_cast<int>(left.count()) + 1);
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            if (ready < 0) {
                return result;
            }
            if (ready == 0) {
                continue; // the deadline check above ends the wait
            }
            if ((entry.revents & POLLIN) == 0) {
                return result; // hung up, error or closed: the device is gone
            }
            const ssize_t got = ::read(fd_, buffer.data() + result.count, buffer.size() - result.count);
            if (got > 0) {
                result.count += static_cast<std::size_t>(got);
            } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            } else {
                return result; // zero bytes or EIO/ENXIO: the device vanished
            }
        }
        result.ok = true;
        return result;
    }

private:
    bool Configure(std::uint32_t baud, StopBits stopBits, Parity parity, bool rtsToggle)
    {
        // Exclusive before anything changes: TIOCEXCL keeps other users out,
        // the lock keeps out root and every other program that locks.
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd_, TIOCEXCL) != 0) {
            return false;
        }
        exclusive_ = true;
        pty_ = IsPseudoTerminal(fd_);
        return SetLine(baud, stopBits, parity) && SetModemLines(rtsToggle);
    }

    bool SetLine(std::uint32_t baud, StopBits stopBits, Parity parity)
    {
        termios2 line{};
        if (::ioctl(fd_, TCGETS2, &line) != 0) {
            return false;
        }
        line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON
            | IXOFF | IXANY | INPCK | IGNPAR);
        line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD
            | (CBAUD << IBSHIFT));
        line.c_cflag |= CS8 | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
        if (parity != Parity::None) {
            line.c_cflag |= PARENB;
            line.c_iflag |= INPCK;
        }
        if (parity == Parity::Odd) {
            line.c_cflag |= PARODD;
        }
        if (stopBits == StopBits::Two) {
            line.c_cflag |= CSTOPB;
        }
        line.c_ispeed = baud;
        line.c_ospeed = baud;
        line.c_cc[VMIN] = 0;
        line.c_cc[VTIME] = 0;
        if (::ioctl(fd_, TCSETS2, &line) != 0) {
            return false;
        }
        // The driver may accept the call and still drop a setting: compare.
        termios2 actual{};
        if (::ioctl(fd_, TCGETS2, &actual) != 0) {
            return false;
        }
        tcflag_t checked = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
        if (pty_) {
            checked &= ~static_cast<tcflag_t>(PARENB | PARODD); // a pseudo-terminal has no parity
        }
        return (actual.c_cflag & checked) == (line.c_cflag & checked) && BaudClose(actual.c_ospeed, baud)
            && BaudClose(actual.c_ispeed, baud);
    }

    // DTR off and RTS low; with rtsToggle RTS goes up only while sending.
    bool SetModemLines(bool rtsToggle)
    {
        if (!SetModemLine(TIOCMBIC, TIOCM_DTR | TIOCM_RTS)) {
            if (!pty_) {
                return false;
            }
            return true; // a pseudo-terminal has no modem lines to drive
        }
        if (!rtsToggle) {
            return true;
        }
        serial_rs485 rs485{};
        if (::ioctl(fd_, TIOCGRS485, &rs485) == 0) {
            const serial_rs485 before = rs485;
            rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
            rs485.flags &= ~static_cast<__u32>(SER_RS485_RTS_AFTER_SEND);
            if (::ioctl(fd_, TIOCSRS485, &rs485) == 0) {
                savedRs485_ = before;
                if ((rs485.flags & SER_RS485_ENABLED) != 0) {
                    return true; // the kernel drives RTS
                }
            } else if (!MeansUnsupported(errno)) {
                return false;
            }
        } else if (!MeansUnsupported(errno)) {
            return false;
        }
        manualRts_ = true;
        return true;
    }

    bool SetModemLine(unsigned long request, int lines) { return ::ioctl(fd_, request, &lines) == 0; }

    std::size_t WriteAll(std::span<const std::uint8_t> bytes)
    {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t put = ::write(fd_, bytes.data() + written, bytes.size() - written);
            if (put > 0) {
                written += static_cast<std::size_t>(put);
                continue;
            }
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0 && errno == EAGAIN) {
                // No write time-out: wait until the line takes more or the
                // device goes away.
                pollfd entry{fd_, POLLOUT, 0};
                const int ready = ::poll(&entry, 1, -1);
                if (ready < 0 && errno == EINTR) {
                    continue;
                }
                if (ready < 0 || (entry.revents & POLLOUT) == 0) {
                    break;
                }
                continue;
            }
            break;
        }
        return written;
    }

    void Release()
    {
        if (savedRs485_) {
            ::ioctl(fd_, TIOCSRS485, &*savedRs485_);
        }
        if (exclusive_) {
            // The exclusive flag belongs to the terminal and may outlive this
            // descriptor; the lock goes with the close.
            ::ioctl(fd_, TIOCNXCL);
        }
        ::close(fd_);
        fd_ = -1;
        pty_ = false;
        exclusive_ = false;
        manualRts_ = false;
        savedRs485_.reset();
    }

    int fd_ = -1;
    bool pty_ = false;
    bool exclusive_ = false;
    bool manualRts_ = false;
    std::optional<serial_rs485> savedRs485_;
};

} // namespace

std::unique_ptr<SerialPort> MakeSerialPort() { return std::make_unique<PosixSerialPort>(); }

} // namespace glt
