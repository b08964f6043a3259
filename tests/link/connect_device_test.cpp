#include "link/connect_device.hpp"

#include <gtest/gtest.h>

#include "document/error.hpp"
#include "support/fake_panel.hpp"
#include "support/fake_serial_port.hpp"
#include "support/recorders.hpp"

namespace glt::test {
namespace {

using namespace std::chrono_literals;

TEST(Identification, PatternsGiveTheKindOrNothing)
{
    struct Case {
        std::array<std::uint8_t, 4> bytes;
        std::optional<DeviceKind> kind;
    };
    const std::vector<Case> cases{
        {{0x03, 0x20, 0x07, 0x32}, DeviceKind::Glt07},
        {{0x03, 0x0C, 0x09, 0x32}, DeviceKind::Glt09},
        {{0x03, 0x20, 0x09, 0x32}, std::nullopt},
        {{0x04, 0x20, 0x07, 0x32}, std::nullopt},
        {{0x03, 0x0C, 0x09, 0x33}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IdentifyDevice(c.bytes), c.kind);
    }
    EXPECT_EQ(ModelName(DeviceKind::Glt07), "ГЛТ-07");
    EXPECT_EQ(ModelName(DeviceKind::Glt09), "ГЛТ-09");
}

TEST(ConnectionSettingsTest, BaudTextsGiveTheirLeadingNumber)
{
    const std::array<std::uint32_t, 7> rates{9600, 14400, 19200, 28800, 38400, 57600, 115200};
    for (std::size_t i = 0; i < rates.size(); ++i) {
        EXPECT_EQ(LeadingNumber(kBaudTexts[i]), rates[i]) << kBaudTexts[i];
    }
    EXPECT_EQ(LeadingNumber("бод"), 0U);
}

TEST(ConnectionSettingsTest, DefaultsAreTheFirstPortAt9600TwoStopBitsNoParity)
{
    const ConnectionSettings settings = DefaultConnectionSettings({"/dev/ttyS0", "/dev/ttyUSB0"});
    EXPECT_EQ(settings.portName, "/dev/ttyS0");
    EXPECT_EQ(settings.baud, 9600U);
    EXPECT_EQ(settings.stopBits, StopBits::Two);
    EXPECT_EQ(settings.parity, Parity::None);
    EXPECT_EQ(DefaultConnectionSettings({}).portName, "");
}

TEST(DeviceAddressTest, OnlyWholeNumbersFrom1To255Pass)
{
    EXPECT_EQ(ParseDeviceAddress("1").number, 1);
    EXPECT_EQ(ParseDeviceAddress("255").number, 255);
    EXPECT_EQ(ParseDeviceAddress("007").number, 7);
    EXPECT_EQ(ParseDeviceAddress("007").text, "007");
    for (const char* bad : {"", "0", "256", "1000", "12a", " 5", "5 ", "-1", "+3", "99999999999"}) {
        const std::string message = ThrownMessage([&] { ParseDeviceAddress(bad); });
        EXPECT_NE(message, "") << '"' << bad << '"';
    }
}

class ConnectDeviceTest : public ::testing::Test {
protected:
    ConnectDeviceTest()
        : port(new FakeSerialPort),
          modbus(std::unique_ptr<SerialPort>(port), feedback, [this](std::chrono::milliseconds d) { sleeps.push_back(d); })
    {
        panel.AttachTo(*port);
        settings.portName = "/dev/ttyUSB0";
    }

    std::string Connect(bool checkVersion, DeviceKind* kind = nullptr)
    {
        return ThrownMessage([&] {
            const DeviceKind result = ConnectDevice(modbus, settings, ParseDeviceAddress("1"), checkVersion);
            if (kind != nullptr) {
                *kind = result;
            }
        });
    }

    FakeSerialPort* port;
    FakePanel panel;
    RecordingFeedback feedback;
    std::vector<std::chrono::milliseconds> sleeps;
    TModbus modbus;
    ConnectionSettings settings;
};

TEST_F(ConnectDeviceTest, IdentifiesBothModelsAndLeavesThePortOpen)
{
    DeviceKind kind{};
    EXPECT_EQ(Connect(true, &kind), "");
    EXPECT_EQ(kind, DeviceKind::Glt07);
    EXPECT_TRUE(modbus.IsOpen());
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{20ms});
    ASSERT_EQ(port->frames.size(), 2U);
    EXPECT_EQ(port->frames[1][1], 0x46); // the device information request

    panel.slaveId = {0x03, 0x0C, 0x09, 0x32};
    EXPECT_EQ(Connect(true, &kind), "");
    EXPECT_EQ(kind, DeviceKind::Glt09);
}

TEST_F(ConnectDeviceTest, OpensWithTheSettingsAndRtsToggle)
{
    settings.baud = 57600;
    settings.stopBits = StopBits::One;
    settings.parity = Parity::Odd;
    EXPECT_EQ(Connect(true), "");
    ASSERT_EQ(port->opens.size(), 1U);
    // The port list's name opens as the platform's device path.
#ifdef _WIN32
    EXPECT_EQ(port->opens[0].path, R"(\\.\/dev/ttyUSB0)");
#else
    EXPECT_EQ(port->opens[0].path, "/dev/ttyUSB0");
#endif
    EXPECT_EQ(port->opens[0].baud, 57600U);
    EXPECT_EQ(port->opens[0].stopBits, StopBits::One);
    EXPECT_EQ(port->opens[0].parity, Parity::Odd);
    EXPECT_TRUE(port->opens[0].rtsToggle);
}

TEST_F(ConnectDeviceTest, FirmwareVersionIsCheckedOnlyWhenAsked)
{
    struct Case {
        std::uint8_t major;
        std::uint8_t minor;
        bool check;
        std::string message;
    };
    const std::vector<Case> cases{
        {1, 6, true, ""},
        {1, 4, true, "Конфликт версий ПО - требуется программатор v1.40"},
        {2, 10, true, "Конфликт версий ПО - требуется программатор v2.100"},
        {0, 6, true, "Конфликт версий ПО - требуется программатор v0.60"},
        {1, 4, false, ""},
        {255, 255, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
        panel.major = c.major;
        panel.minor = c.minor;
        EXPECT_EQ(Connect(c.check), c.message);
    }
}

TEST_F(ConnectDeviceTest, FailuresCarryTheUsersMessages)
{
    const std::string prefix = "Устройство № 1  (/dev/ttyUSB0)  ";
    struct Case {
        const char* name;
        std::function<void(FakePanel&)> spoil;
        std::string message;
    };
    const std::vector<Case> cases{
        {"silent", [](FakePanel& p) { p.silentAfter = 0; }, prefix + "не отвечает на запросы"},
        {"no device information", [](FakePanel& p) { p.answersInfo = false; }, prefix + "не отвечает на запросы"},
        {"foreign device", [](FakePanel& p) { p.slaveId = {0x03, 0x20, 0x09, 0x32}; },
            prefix + "не является ГЛТ-07 или ГЛТ-09"},
        {"other address", [](FakePanel& p) { p.address = 2; }, prefix + "не отвечает на запросы"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel = FakePanel{};
        c.spoil(panel);
        EXPECT_EQ(Connect(true), c.message);
    }
}

TEST_F(ConnectDeviceTest, AnIdentificationWithAWrongCrcIsAccepted)
{
    port->responder = [this](const Bytes& frame) {
        Bytes answer = panel.Answer(frame);
        if (frame[1] == 0x11) {
            answer.back() ^= 0xFF;
        }
        return answer;
    };
    EXPECT_EQ(Connect(true), "");
}

TEST_F(ConnectDeviceTest, APortThatDoesNotOpenIsNamed)
{
    port->openSucceeds = false;
    EXPECT_EQ(Connect(true), "Невозможно открыть порт /dev/ttyUSB0");
}

TEST_F(ConnectDeviceTest, WithoutAnyPortNothingIsOpened)
{
    settings.portName.clear();
    EXPECT_EQ(Connect(true), "Невозможно открыть порт ");
    EXPECT_TRUE(port->opens.empty());
}

TEST_F(ConnectDeviceTest, DisconnectClosesThePort)
{
    EXPECT_EQ(Connect(true), "");
    EXPECT_TRUE(DisconnectDevice(modbus));
    EXPECT_FALSE(modbus.IsOpen());
    EXPECT_EQ(port->closes, 1);
}

} // namespace
} // namespace glt::test
