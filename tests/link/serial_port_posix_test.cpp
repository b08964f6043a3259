#include "link/serial_port.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace glt {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

std::chrono::nanoseconds ThreadCpuTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// A pseudo-terminal pair: the port under test opens the slave by its path,
// the test plays the panel on the master.
class PtyPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        int slave = -1;
        char name[128] = {};
        ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        path = name;
        port = MakeSerialPort();
    }

    void TearDown() override
    {
        port.reset();
        if (master >= 0) {
            ::close(master);
        }
    }

    bool OpenPort(SerialPort& serial, Parity parity = Parity::None, std::uint32_t baud = 9600)
    {
        return serial.Open(path, baud, StopBits::Two, parity, true);
    }

    void PeerWrite(const Bytes& bytes) const
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    Bytes PeerRead(std::size_t count) const
    {
        Bytes got;
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd entry{master, POLLIN, 0};
            if (::poll(&entry, 1, 100) == 1) {
                std::uint8_t buffer[256];
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n <= 0) {
                    break;
                }
                got.insert(got.end(), buffer, buffer + n);
            }
        }
        return got;
    }

    // Waits until the port has input pending.
    void AwaitInput() const
    {
        pollfd entry{static_cast<int>(port->NativeHandle()), POLLIN, 0};
        ASSERT_EQ(::poll(&entry, 1, 2000), 1);
    }

    int master = -1;
    std::string path;
    std::unique_ptr<SerialPort> port;
};

TEST_F(PtyPortTest, OpensAtEveryBaudRateAndParity)
{
    for (std::uint32_t baud : {9600U, 14400U, 19200U, 28800U, 38400U, 57600U, 115200U}) {
        for (Parity parity : {Parity::None, Parity::Odd, Parity::Even}) {
            SCOPED_TRACE(std::to_string(baud) + " parity " + std::to_string(static_cast<int>(parity)));
            ASSERT_TRUE(OpenPort(*port, parity, baud));
            EXPECT_TRUE(port->IsOpen());
            EXPECT_GE(port->NativeHandle(), 0);
            port->Close();
            EXPECT_FALSE(port->IsOpen());
            EXPECT_EQ(port->NativeHandle(), -1);
        }
    }
}

TEST_F(PtyPortTest, ASecondOpenFailsUntilTheFirstCloses)
{
    ASSERT_TRUE(OpenPort(*port));
    auto second = MakeSerialPort();
    EXPECT_FALSE(OpenPort(*second)); // refused by the lock even for root
    EXPECT_FALSE(second->IsOpen());
    port->Close();
    EXPECT_TRUE(OpenPort(*second));
}

TEST_F(PtyPortTest, MissingDevicesPlainFilesAndSpeedZeroDoNotOpen)
{
    EXPECT_FALSE(port->Open(path, 0, StopBits::Two, Parity::None, true));
    EXPECT_FALSE(port->Open("/dev/glt-no-such-port", 9600, StopBits::Two, Parity::None, true));
    char file[] = "/tmp/glt-port-test-XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(port->Open(file, 9600, StopBits::Two, Parity::None, true));
    EXPECT_FALSE(port->IsOpen());
    ::close(fd);
    std::remove(file);
}

TEST_F(PtyPortTest, WritesAndReadsRawBytes)
{
    ASSERT_TRUE(OpenPort(*port));
    // Bytes a cooked line would change: CR, LF, XON/XOFF, DEL, 0xFF.
    const Bytes request{0x01, 0x0D, 0x0A, 0x11, 0x13, 0x7F, 0xFF, 0x00};
    const IoResult written = port->Write(request);
    EXPECT_TRUE(written.ok);
    EXPECT_EQ(written.count, request.size());
    EXPECT_EQ(PeerRead(request.size()), request);

    PeerWrite(request);
    Bytes answer(request.size());
    const IoResult read = port->Read(answer, 1000ms);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.count, request.size());
    EXPECT_EQ(answer, request);
}

TEST_F(PtyPortTest, AShortAnswerEndsAtTheDeadlineWithoutSpinning)
{
    ASSERT_TRUE(OpenPort(*port));
    PeerWrite({0x01, 0x46, 0x00});
    Bytes answer(8, 0xAA);
    const auto cpuBefore = ThreadCpuTime();
    const auto before = std::chrono::steady_clock::now();
    const IoResult read = port->Read(answer, 1000ms);
    const auto elapsed = std::chrono::steady_clock::now() - before;
    const auto cpu = ThreadCpuTime() - cpuBefore;

    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.count, 3U);
    EXPECT_EQ(answer, (Bytes{0x01, 0x46, 0x00, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
    EXPECT_GE(elapsed, 1000ms);
    EXPECT_LT(elapsed, 5s);   // not a hang
    EXPECT_LT(cpu, 300ms);    // waited in poll, not in a loop
}

TEST_F(PtyPortTest, PurgeDropsPendingInput)
{
    ASSERT_TRUE(OpenPort(*port));
    PeerWrite({1, 2, 3});
    AwaitInput();
    port->Purge();
    Bytes answer(1);
    EXPECT_FALSE(port->Read(answer, 50ms).ok);
}

TEST_F(PtyPortTest, AVanishedPeerFailsTheExchangeAtOnce)
{
    ASSERT_TRUE(OpenPort(*port));
    ::close(master);
    master = -1;
    Bytes answer(8);
    const auto before = std::chrono::steady_clock::now();
    const IoResult read = port->Read(answer, 10s);
    EXPECT_FALSE(read.ok);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s); // far less than the 10 s wait
    EXPECT_FALSE(port->Write(Bytes{1, 2, 3}).ok);
}

TEST_F(PtyPortTest, ClosingTwiceIsHarmless)
{
    ASSERT_TRUE(OpenPort(*port));
    port->Close();
    port->Close();
    EXPECT_FALSE(port->IsOpen());
    EXPECT_FALSE(port->Write(Bytes{1}).ok);
}

} // namespace
} // namespace glt
