// The device commands against a misbehaving virtual panel on a real
// pseudo-terminal: every fault ends with the right message, the document as
// the failure found it, the port closed for the next program, and no wait
// beyond the answer time-outs. The time bounds are generous: they catch a
// hang or a spinning wait, they do not measure speed.
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/error.hpp"
#include "document/texts.hpp"
#include "link/serial_port.hpp"
#include "support/integration_rig.hpp"

namespace glt::test {
namespace {

using std::chrono::duration;
using std::chrono::steady_clock;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// What one command cost: wall time, and processor time as a sign of spinning.
struct Measured {
    std::string error;
    double seconds = 0;
    double cpuSeconds = 0;
};

template <typename Command>
Measured Measure(Command command)
{
    const auto start = steady_clock::now();
    const double cpuStart = CpuSeconds();
    Measured m;
    m.error = command();
    m.seconds = duration<double>(steady_clock::now() - start).count();
    m.cpuSeconds = CpuSeconds() - cpuStart;
    return m;
}

// A wait in poll() costs no processor time; a loop around a hung-up line does.
constexpr double kMaxCpuSeconds = 0.5;

enum class Command { Read, Write, Apply, Info };

std::string RunCommand(PanelRig& rig, Command command)
{
    switch (command) {
    case Command::Read:
        return rig.Read();
    case Command::Write:
        return rig.Write();
    case Command::Apply:
        return rig.Apply();
    case Command::Info:
        return rig.Info();
    }
    return "unknown command";
}

std::string NoAnswer(const PanelRig& rig)
{
    return "Устройство № 1  (" + rig.settings.portName + ")  не отвечает на запросы";
}

std::string NotAPanel(const PanelRig& rig)
{
    return "Устройство № 1  (" + rig.settings.portName + ")  не является ГЛТ-07 или ГЛТ-09";
}

// Puts a recognisable document in place so that a failed read shows it kept it.
void MarkDocument(PanelRig& rig)
{
    rig.doc.image = NumberedImage(42);
    rig.doc.state.WideDisplay = 1;
    rig.doc.state.HasFileName = true;
    rig.doc.state.DocumentFileName = "kept.cfg";
}

void ExpectDocumentKept(const PanelRig& rig)
{
    EXPECT_EQ(rig.doc.image, NumberedImage(42));
    EXPECT_EQ(rig.doc.state.WideDisplay, 1);
    EXPECT_TRUE(rig.doc.state.HasFileName);
    EXPECT_EQ(rig.doc.state.DocumentFileName, "kept.cfg");
    EXPECT_TRUE(rig.pages.calls.empty());
    EXPECT_EQ(rig.shell.caption, "initial caption");
    EXPECT_EQ(rig.shell.statusText, "initial status");
}

enum class Message { None, NoAnswer, NotAPanel, IoError, NotStarted };

std::string Expected(const PanelRig& rig, Message message)
{
    switch (message) {
    case Message::None:
        return "";
    case Message::NoAnswer:
        return NoAnswer(rig);
    case Message::NotAPanel:
        return NotAPanel(rig);
    case Message::IoError:
        return "Ошибка I/O";
    case Message::NotStarted:
        return "Программирование не запускалось";
    }
    return "unknown message";
}

struct FaultCase {
    const char* name;
    std::vector<std::string> simOptions;
    Command command;
    Message message;
    // The status labels the command may end with; a panel that vanishes
    // takes an answer with it or not, depending on who runs first.
    std::vector<std::string> labels{};
    double maxSeconds = 3;
    bool vanishes = false; // the panel closes its terminal and exits
    std::optional<std::size_t> blockWrites{}; // block write requests the panel received
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class FaultMatrix : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultMatrix, EndsWithItsMessageAndAFreePort)
{
    const FaultCase& c = GetParam();
    PanelRig rig(c.simOptions);
    MarkDocument(rig);

    const Measured m = Measure([&] { return RunCommand(rig, c.command); });

    EXPECT_EQ(m.error, Expected(rig, c.message));
    EXPECT_LT(m.seconds, c.maxSeconds);
    EXPECT_LT(m.cpuSeconds, kMaxCpuSeconds);
    if (!c.labels.empty()) {
        ASSERT_FALSE(rig.feedback.labels.empty());
        EXPECT_THAT(c.labels, ::testing::Contains(rig.feedback.labels.back()));
    }
    if (c.blockWrites) {
        EXPECT_EQ(rig.CountRequests(kFnConfig, kSubWriteBlock), *c.blockWrites);
    }
    if (c.command == Command::Read && c.message != Message::None) {
        ExpectDocumentKept(rig);
    }
    if (c.command == Command::Write && c.message != Message::None) {
        EXPECT_EQ(rig.shell.caption, "initial caption");
    }
    EXPECT_EQ(rig.shell.busyDepth, 0);
    EXPECT_FALSE(rig.modbus.IsOpen());
    if (c.vanishes) {
        EXPECT_EQ(rig.sim.WaitExit(2000), 0);
    } else {
        EXPECT_TRUE(rig.PortFree());
    }
}

INSTANTIATE_TEST_SUITE_P(Panels, FaultMatrix,
    ::testing::Values(
        // No answer to one kind of request.
        FaultCase{"NoIdentAnswer", {"--fault-no-answer", "ident"}, Command::Read, Message::NoAnswer, {"Сбой приема"}},
        FaultCase{"NoInfoAnswer", {"--fault-no-answer", "info"}, Command::Info, Message::NoAnswer, {"Сбой приема"}},
        FaultCase{"NoReadAnswer", {"--fault-no-answer", "read"}, Command::Read, Message::IoError, {"Block: 0"}},
        FaultCase{"NoWriteAnswer", {"--fault-no-answer", "write"}, Command::Write, Message::IoError, {"0"}, 3, false, 1},
        // A poll without an answer leaves its own request, which confirms.
        FaultCase{"NoPollAnswer", {"--fault-no-answer", "poll"}, Command::Write, Message::None, {}, 12,
            false, 7},
        FaultCase{"NoApplyAnswer", {"--fault-no-answer", "apply"}, Command::Apply, Message::None},
        // Damaged answers.
        FaultCase{"BadCrcReadBlock5", {"--fault-bad-crc-block", "5"}, Command::Read, Message::IoError, {"Block: 5"}},
        FaultCase{"BadCrcWriteBlock2", {"--fault-bad-crc-block", "2"}, Command::Write, Message::IoError, {"2"}, 3,
            false, 3},
        FaultCase{"GarbageBeforeAnswers", {"--fault-garbage", "3"}, Command::Read, Message::NotAPanel},
        FaultCase{"AnswerFromAddress2", {"--fault-answer-address", "2"}, Command::Read, Message::NoAnswer},
        FaultCase{"WrongIdentification", {"--fault-ident", "03200933"}, Command::Read, Message::NotAPanel},
        // Answers after the 1000 ms wait count as none.
        FaultCase{"LateBy1100ms", {"--fault-late", "1100"}, Command::Read, Message::NoAnswer, {"Сбой приема"}},
        // The panel falls silent or goes away mid-transfer.
        FaultCase{"SilentAfterWriteBlock3", {"--fault-silent-after-block", "3"}, Command::Write, Message::IoError,
            {"4"}, 3, false, 5},
        FaultCase{"VanishAfterWriteBlock2", {"--fault-vanish-after-block", "2"}, Command::Write, Message::IoError,
            {"2", "3"}, 3, true},
        FaultCase{"VanishAfterReadBlock0", {"--fault-vanish-after-block", "0"}, Command::Read, Message::IoError,
            {"Block: 0", "Block: 1"}, 3, true},
        // Exception answers to the completion poll: 24 are waited out, 25 are not.
        FaultCase{"OnePollException", {"--fault-poll-exceptions", "1"}, Command::Write, Message::None,
            {}, 12, false, 7},
        FaultCase{"TwentyFourPollExceptions", {"--fault-poll-exceptions", "24"}, Command::Write, Message::None,
            {}, 20, false, 7},
        FaultCase{"TwentyFivePollExceptions", {"--fault-poll-exceptions", "25"}, Command::Write, Message::IoError,
            {}, 5, false, 1},
        // The apply result code.
        FaultCase{"ApplyNotStarted", {"--fault-apply-result", "1"}, Command::Apply, Message::NotStarted},
        FaultCase{"ApplyOtherCode", {"--fault-apply-result", "2"}, Command::Apply, Message::None}),
    [](const auto& info) { return std::string(info.param.name); });

// An answer cut after every byte position of block 0's 28-byte read answer.
class CutReadAnswer : public ::testing::TestWithParam<int> {};

TEST_P(CutReadAnswer, FailsAtBlockZeroAndKeepsTheDocument)
{
    PanelRig rig({"--fault-cut", "read:" + std::to_string(GetParam())});
    MarkDocument(rig);

    const Measured m = Measure([&] { return rig.Read(); });

    EXPECT_EQ(m.error, "Ошибка I/O");
    EXPECT_EQ(rig.feedback.labels.back(), "Block: 0");
    EXPECT_LT(m.seconds, 3);
    EXPECT_LT(m.cpuSeconds, kMaxCpuSeconds);
    ExpectDocumentKept(rig);
    EXPECT_TRUE(rig.PortFree());
}

INSTANTIATE_TEST_SUITE_P(Positions, CutReadAnswer, ::testing::Range(0, 28));

// An answer that arrives after its request timed out lands in the wait of the
// next request: it must not pass for that request's answer.
TEST(LateAnswer, IsNotTakenForTheNextRequestsAnswer)
{
    PanelRig rig({"--fault-late", "1100"});
    ASSERT_NE(rig.modbus.OpenPort(rig.settings.portName, 9600, StopBits::Two, Parity::None, true, kFrameBufferSize),
        kInvalidPortHandle);

    const auto start = steady_clock::now();
    EXPECT_FALSE(rig.modbus.ReadBlock(1, BlockId::DevConfig));
    // Block 0's 28-byte answer comes in 100 ms into this wait; its first 16
    // bytes are what this request's answer length asks for.
    EXPECT_FALSE(rig.modbus.ReadBlock(1, BlockId::InputType));
    EXPECT_LT(duration<double>(steady_clock::now() - start).count(), 5);
    EXPECT_EQ(rig.feedback.labels.back().rfind("CRC: ", 0), 0U) << rig.feedback.labels.back();

    rig.modbus.ClosePort();
    EXPECT_TRUE(rig.PortFree());
}

// Another program holds the port. As root TIOCEXCL keeps nobody out, so the
// lock is what must refuse the second opener.
struct Holder {
    const char* name;
    bool serialPort; // held by our own back end, else only by an flock
};

void PrintTo(const Holder& h, std::ostream* out) { *out << h.name; }

class HeldPort : public ::testing::TestWithParam<Holder> {};

TEST_P(HeldPort, CannotBeOpenedAndIsFreeOnceReleased)
{
    PanelRig rig({});
    MarkDocument(rig);
    const std::string path = rig.settings.portName;
    {
        std::unique_ptr<SerialPort> port;
        int fd = -1;
        if (GetParam().serialPort) {
            port = MakeSerialPort();
            ASSERT_TRUE(port->Open(path, 9600, StopBits::Two, Parity::None, true));
        } else {
            fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        }

        const Measured m = Measure([&] { return rig.Read(); });
        EXPECT_EQ(m.error, "Невозможно открыть порт " + path);
        EXPECT_LT(m.seconds, 3);
        ExpectDocumentKept(rig);
        EXPECT_FALSE(rig.modbus.IsOpen());
        EXPECT_EQ(rig.CountRequests(kFnReportSlaveId), 0U);
        if (fd >= 0) {
            ::close(fd);
        }
    }
    EXPECT_TRUE(rig.PortFree());
    EXPECT_EQ(rig.Read(), "");
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldPort,
    ::testing::Values(Holder{"SerialPort", true}, Holder{"Flock", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace glt::test
