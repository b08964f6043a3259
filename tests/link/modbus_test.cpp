#include "link/modbus.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/fake_serial_port.hpp"
#include "support/recorders.hpp"

namespace glt::test {
namespace {

using namespace std::chrono_literals;

class ModbusTest : public ::testing::Test {
protected:
    ModbusTest()
        : port(new FakeSerialPort),
          modbus(std::unique_ptr<SerialPort>(port), feedback, [this](std::chrono::milliseconds d) { sleeps.push_back(d); })
    {
    }

    void Open() { ASSERT_NE(modbus.OpenPort("/dev/ttyUSB0", 9600, StopBits::Two, Parity::None, true, 256), -1); }

    Bytes Frame(std::size_t from, std::size_t count) const
    {
        const auto buffer = modbus.FrameBuffer();
        return Bytes(buffer.begin() + static_cast<std::ptrdiff_t>(from),
            buffer.begin() + static_cast<std::ptrdiff_t>(from + count));
    }

    FakeSerialPort* port;
    RecordingFeedback feedback;
    std::vector<std::chrono::milliseconds> sleeps;
    TModbus modbus;
};

TEST(ModbusCrc, ExchangesTheBytesSoTheHighByteIsSentFirst)
{
    const Bytes request{0x01, 0x11};
    EXPECT_EQ(TModbus::Crc16(request), 0xC02C);
    const std::string digits = "123456789";
    EXPECT_EQ(TModbus::Crc16({reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()}), 0x374B);
}

struct RequestCase {
    const char* name;
    std::function<bool(TModbus&)> call;
    Bytes frame;
    std::size_t answerLength;
    std::vector<std::chrono::milliseconds> pauses;
};

TEST_F(ModbusTest, RequestsSendTheirFramesAndWaitForTheirAnswers)
{
    const std::vector<RequestCase> cases{
        {"ReportSlaveId", [](TModbus& m) { return m.ReportSlaveId(1, 8); }, {0x01, 0x11, 0xC0, 0x2C}, 8, {}},
        {"PollCompletion", [](TModbus& m) { return m.PollCompletion(1); }, {0x01, 0x0E, 0x81, 0xE4}, 4, {}},
        {"ReadDeviceInfo", [](TModbus& m) { return m.ReadDeviceInfo(1); },
            {0x01, 0x46, 0x00, 0x01, 0x00, 0x0D, 0x18}, 10, {}},
        {"ApplyChanges", [](TModbus& m) { return m.ApplyChanges(1); }, {0x01, 0x46, 0x00, 0x01, 0x03, 0x4D, 0x19},
            5, {10ms}},
        {"ReadBlock 0", [](TModbus& m) { return m.ReadBlock(1, BlockId::DevConfig); },
            {0x01, 0x46, 0x00, 0x02, 0x01, 0x00, 0x28, 0x55}, 28, {10ms}},
        {"ReadBlock 6", [](TModbus& m) { return m.ReadBlock(1, BlockId::CrossBar); },
            {0x01, 0x46, 0x00, 0x02, 0x01, 0x06, 0xA8, 0x57}, 72, {10ms}},
    };
    Open();
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        port->frames.clear();
        port->readSizes.clear();
        port->readWaits.clear();
        sleeps.clear();
        EXPECT_FALSE(c.call(modbus)); // nobody answers
        ASSERT_EQ(port->frames.size(), 1U);
        EXPECT_EQ(port->frames[0], c.frame);
        EXPECT_EQ(port->readSizes, std::vector<std::size_t>{c.answerLength});
        EXPECT_EQ(port->readWaits, std::vector<std::chrono::milliseconds>{1000ms});
        EXPECT_EQ(sleeps, c.pauses);
        EXPECT_EQ(feedback.Last(), "Сбой приема");
    }
}

TEST_F(ModbusTest, WriteBlockSendsTheBlockDataBehindItsCount)
{
    Open();
    Bytes data(81);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i + 1);
    }
    port->answers.push_back(WithCrc({0x01, 0x46, 0x00}));
    EXPECT_TRUE(modbus.WriteBlock(1, BlockId::NetRequests, data));
    ASSERT_EQ(port->frames.size(), 1U);
    const Bytes& frame = port->frames[0];
    ASSERT_EQ(frame.size(), 89U);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 6), (Bytes{0x01, 0x46, 0x00, 0x53, 0x02, 0x07}));
    EXPECT_EQ(Bytes(frame.begin() + 6, frame.end() - 2), data);
    EXPECT_EQ(frame, WithCrc(Bytes(frame.begin(), frame.end() - 2)));
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{10ms});
}

TEST_F(ModbusTest, ReadBlockLeavesTheDataBytesAtPositionSix)
{
    Open();
    Bytes answer{0x01, 0x46, 0x00, 0x17, 0x01, 0x00};
    for (std::uint8_t i = 0; i < 20; ++i) {
        answer.push_back(static_cast<std::uint8_t>(0xA0 + i));
    }
    port->answers.push_back(WithCrc(answer));
    EXPECT_TRUE(modbus.ReadBlock(1, BlockId::DevConfig));
    EXPECT_EQ(Frame(6, 20), Bytes(answer.begin() + 6, answer.end()));
    EXPECT_EQ(feedback.Last(), "28");
    EXPECT_EQ(feedback.beeps, 0);
}

struct CrcCase {
    const char* name;
    std::function<bool(TModbus&)> call;
    Bytes answer; // without CRC
    bool result;
    bool beeps;
    bool reportsCrc;
};

TEST_F(ModbusTest, AnswersWithAWrongCrcFollowTheRequestsRule)
{
    const std::vector<CrcCase> cases{
        {"ReportSlaveId reports", [](TModbus& m) { return m.ReportSlaveId(1, 8); },
            {0x01, 0x11, 0x03, 0x20, 0x07, 0x32}, true, false, true},
        {"PollCompletion reports", [](TModbus& m) { return m.PollCompletion(1); }, {0x01, 0x0E}, true, false, true},
        {"ReadDeviceInfo enforces", [](TModbus& m) { return m.ReadDeviceInfo(1); },
            {0x01, 0x46, 0, 4, 0, 1, 6, 0x0A}, false, true, true},
        {"ReadBlock enforces", [](TModbus& m) { return m.ReadBlock(1, BlockId::MBusSettings); },
            {0x01, 0x46, 0, 10, 1, 1, 1, 2, 3, 4, 5, 6, 7}, false, true, true},
        {"WriteBlock enforces", [](TModbus& m) { return m.WriteBlock(1, BlockId::MBusSettings, Bytes(7)); },
            {0x01, 0x46, 0x00}, false, true, true},
        {"ApplyChanges checks none", [](TModbus& m) { return m.ApplyChanges(1); }, {0x01, 0x46, 0x01}, true, false,
            false},
    };
    Open();
    for (const CrcCase& c : cases) {
        SCOPED_TRACE(c.name);
        feedback.labels.clear();
        feedback.beeps = 0;
        Bytes answer = WithCrc(c.answer);
        answer.back() ^= 0x5A;
        port->answers.push_back(answer);
        EXPECT_EQ(c.call(modbus), c.result);
        EXPECT_EQ(feedback.beeps, c.beeps ? 1 : 0);
        if (c.reportsCrc) {
            ASSERT_TRUE(feedback.Last().starts_with("CRC: "));
            EXPECT_NE(feedback.Last(), "CRC: 0");
        } else {
            EXPECT_EQ(feedback.Last(), std::to_string(answer.size()));
        }
        // The bytes stay where they arrived.
        EXPECT_EQ(Frame(0, answer.size()), answer);
    }
}

TEST_F(ModbusTest, ACorrectReportedAnswerShowsCrcZero)
{
    Open();
    port->answers.push_back(WithCrc({0x01, 0x11, 0x03, 0x20, 0x07, 0x32}));
    EXPECT_TRUE(modbus.ReportSlaveId(1, 8));
    EXPECT_EQ(feedback.Last(), "CRC: 0");
}

TEST_F(ModbusTest, ACutAnswerFailsAndLeavesTheRequestBehindIt)
{
    Open();
    port->answers.push_back({0x01, 0x11});
    EXPECT_FALSE(modbus.ReportSlaveId(1, 8));
    EXPECT_EQ(feedback.Last(), "Сбой приема");
    EXPECT_EQ(Frame(0, 4), (Bytes{0x01, 0x11, 0xC0, 0x2C}));
}

TEST_F(ModbusTest, AnExceptionPollAnswerIsReceivedWhole)
{
    Open();
    port->answers.push_back(WithCrc({0x01, 0x8E, 0x06}));
    EXPECT_TRUE(modbus.PollCompletion(1));
    EXPECT_EQ(port->readSizes, (std::vector<std::size_t>{4, 1}));
    EXPECT_EQ(Frame(0, 5), WithCrc({0x01, 0x8E, 0x06}));
    EXPECT_EQ(feedback.Last(), "CRC: 0");
}

TEST_F(ModbusTest, AnExceptionPollAnswerWithoutItsLastByteFails)
{
    Open();
    const Bytes answer = WithCrc({0x01, 0x8E, 0x06});
    port->answers.push_back(Bytes(answer.begin(), answer.begin() + 4));
    EXPECT_FALSE(modbus.PollCompletion(1));
    EXPECT_EQ(feedback.Last(), "Сбой приема");
}

TEST_F(ModbusTest, AnIntactAnswerFromAnotherPanelOrRequestIsRefused)
{
    struct Case {
        const char* name;
        Bytes answer;
    };
    const std::vector<Case> cases{
        {"other address", {0x02, 0x46, 0x00}},
        {"other function", {0x01, 0x11, 0x00}},
        {"exception", {0x01, 0xC6, 0x02}},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        feedback.beeps = 0;
        port->answers.push_back(WithCrc(c.answer));
        EXPECT_FALSE(modbus.WriteBlock(1, BlockId::MBusSettings, Bytes(7)));
        EXPECT_EQ(feedback.beeps, 1);
    }
}

TEST_F(ModbusTest, AFailedSendIsReported)
{
    Open();
    port->writeSucceeds = false;
    EXPECT_FALSE(modbus.ReadBlock(1, BlockId::DevConfig));
    EXPECT_EQ(feedback.Last(), "Сбой посылки");
    EXPECT_TRUE(port->readSizes.empty());
}

TEST_F(ModbusTest, WriteBlockRefusesDataShorterThanTheBlock)
{
    Open();
    EXPECT_FALSE(modbus.WriteBlock(1, BlockId::DevConfig, Bytes(19)));
    EXPECT_TRUE(port->frames.empty());
}

TEST_F(ModbusTest, AFailedOpenLeavesThePortClosedAndTheLabelAlone)
{
    port->openSucceeds = false;
    EXPECT_EQ(modbus.OpenPort("/dev/none", 9600, StopBits::Two, Parity::None, true, 256), -1);
    EXPECT_FALSE(modbus.IsOpen());
    EXPECT_EQ(modbus.PortHandle(), -1);
    EXPECT_TRUE(modbus.FrameBuffer().empty());
    EXPECT_TRUE(feedback.labels.empty());
    // A request on the closed port sends nothing.
    EXPECT_FALSE(modbus.ReportSlaveId(1, 8));
    EXPECT_TRUE(port->frames.empty());
}

TEST_F(ModbusTest, OpenPortPassesTheSettingsAndShowsThePath)
{
    EXPECT_EQ(modbus.OpenPort("/dev/ttyUSB3", 19200, StopBits::One, Parity::Even, true, 256), 7);
    ASSERT_EQ(port->opens.size(), 1U);
    EXPECT_EQ(port->opens[0].path, "/dev/ttyUSB3");
    EXPECT_EQ(port->opens[0].baud, 19200U);
    EXPECT_EQ(port->opens[0].stopBits, StopBits::One);
    EXPECT_EQ(port->opens[0].parity, Parity::Even);
    EXPECT_TRUE(port->opens[0].rtsToggle);
    EXPECT_EQ(modbus.FrameBuffer().size(), 256U);
    EXPECT_EQ(feedback.Last(), "/dev/ttyUSB3");
}

TEST_F(ModbusTest, OpeningAnOpenPortClosesItFirst)
{
    Open();
    Open();
    EXPECT_EQ(port->closes, 1);
    EXPECT_EQ(port->opens.size(), 2U);
    EXPECT_TRUE(modbus.IsOpen());
}

TEST_F(ModbusTest, ClosePortFreesTheBufferAndIsHarmlessTwice)
{
    Open();
    modbus.ClosePort();
    modbus.ClosePort();
    EXPECT_EQ(port->closes, 1);
    EXPECT_FALSE(modbus.IsOpen());
    EXPECT_TRUE(modbus.FrameBuffer().empty());
}

} // namespace
} // namespace glt::test
