#include "link/device_commands.hpp"

#include <gtest/gtest.h>

#include "document/texts.hpp"
#include "support/fake_panel.hpp"
#include "support/fake_serial_port.hpp"
#include "support/recorders.hpp"

namespace glt::test {
namespace {

using namespace std::chrono_literals;

class DeviceCommandsTest : public ::testing::Test {
protected:
    DeviceCommandsTest()
        : shell(label),
          port(new FakeSerialPort),
          modbus(std::unique_ptr<SerialPort>(port), label, [this](std::chrono::milliseconds d) { sleeps.push_back(d); }),
          commands(doc, pages, shell, modbus)
    {
        panel.AttachTo(*port);
        settings.portName = "/dev/ttyUSB0";
        for (std::size_t i = 0; i < panel.memory.size(); ++i) {
            panel.memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
        }
        doc.image.fill(0xEE);
        doc.state.HasFileName = true;
        doc.state.DocumentFileName = "/home/user/site.cfg";
    }

    std::string Run(void (DeviceCommands::*command)(const ConnectionSettings&, std::string_view),
        std::string_view address = "1")
    {
        return ThrownMessage([&] { (commands.*command)(settings, address); });
    }

    std::vector<std::size_t> FrameLengths() const
    {
        std::vector<std::size_t> lengths;
        for (const Bytes& frame : port->frames) {
            lengths.push_back(frame.size());
        }
        return lengths;
    }

    // The command left no trace of the port or the cursor behind.
    void ExpectCleanedUp() const
    {
        EXPECT_FALSE(modbus.IsOpen());
        EXPECT_EQ(port->closes, static_cast<int>(port->opens.size()));
        EXPECT_EQ(shell.busyDepth, 0);
    }

    Document doc;
    RecordingPageTable pages;
    RecordingFeedback label;
    ScriptedShell shell;
    FakeSerialPort* port;
    FakePanel panel;
    std::vector<std::chrono::milliseconds> sleeps;
    TModbus modbus;
    DeviceCommands commands;
    ConnectionSettings settings;
};

const std::vector<std::string> kRefreshNames{"GetDevConfig", "GetMBusSettings", "GetCrossBar", "GetInputType",
    "GetOutDataBase", "GetDispSettings", "GetExternalNet"};

TEST_F(DeviceCommandsTest, ReadBringsBlocks0To6AndKeepsTheNetworkLists)
{
    struct Case {
        std::array<std::uint8_t, 4> slaveId;
        std::int32_t wide;
    };
    for (const Case& c : {Case{{0x03, 0x20, 0x07, 0x32}, 0}, Case{{0x03, 0x0C, 0x09, 0x32}, 1}}) {
        SCOPED_TRACE(c.wide);
        panel.slaveId = c.slaveId;
        doc.image.fill(0xEE);
        doc.state.WideDisplay = 1 - c.wide;
        doc.state.HasFileName = true;
        pages.calls.clear();
        std::int32_t wideAtRefresh = -1;
        pages.onRefresh = [&](Area area) {
            if (area == Area::DispSettings) {
                wideAtRefresh = doc.state.WideDisplay;
            }
        };
        const ConfigImage before = doc.image;

        EXPECT_EQ(Run(&DeviceCommands::ReadDataFromDevice), "");

        for (BlockId block : kTransferredBlocks) {
            const auto got = BlockData(doc.image, block);
            const auto sent = BlockData(panel.memory, block);
            EXPECT_TRUE(std::equal(got.begin(), got.end(), sent.begin())) << Block(block).name;
            const std::size_t crcAt = Block(block).offset + Block(block).length;
            EXPECT_EQ(doc.image[crcAt], 0);
            EXPECT_EQ(doc.image[crcAt + 1], 0);
        }
        const std::size_t kept = Block(BlockId::NetRequests).offset;
        EXPECT_TRUE(std::equal(doc.image.begin() + kept, doc.image.end(), before.begin() + kept));
        EXPECT_EQ(doc.state.WideDisplay, c.wide);
        EXPECT_EQ(wideAtRefresh, c.wide);
        EXPECT_EQ(pages.calls, kRefreshNames);
        EXPECT_EQ(shell.caption, kReadCaption);
        EXPECT_EQ(shell.statusText, kStatusVersion);
        EXPECT_FALSE(doc.state.HasFileName);
        EXPECT_EQ(doc.state.DocumentFileName, "/home/user/site.cfg");
    }
    ExpectCleanedUp();
}

TEST_F(DeviceCommandsTest, ReadSendsTheBlockRequestsInOrderWithTheirPauses)
{
    EXPECT_EQ(Run(&DeviceCommands::ReadDataFromDevice), "");
    ASSERT_EQ(port->frames.size(), 9U); // identification, device information, 7 blocks
    for (unsigned b = 0; b < 7; ++b) {
        EXPECT_EQ(port->frames[2 + b], WithCrc({0x01, 0x46, 0x00, 0x02, 0x01, static_cast<std::uint8_t>(b)}));
    }
    // After the identification, after connecting, then before and within
    // every block request.
    std::vector<std::chrono::milliseconds> expected{20ms, 20ms};
    for (int b = 0; b < 7; ++b) {
        expected.insert(expected.end(), {20ms, 10ms});
    }
    EXPECT_EQ(sleeps, expected);
}

TEST_F(DeviceCommandsTest, AFailedReadChangesNothing)
{
    struct Case {
        const char* name;
        std::function<void(FakePanel&)> spoil;
        std::string message;
        std::string lastLabel;
        int beeps;
    };
    const std::vector<Case> cases{
        {"bad CRC in block 3", [](FakePanel& p) { p.corruptBlock = 3; }, "Ошибка I/O", "Block: 3", 1},
        {"silent after block 1", [](FakePanel& p) { p.silentAfter = 4; }, "Ошибка I/O", "Block: 2", 0},
        {"firmware 1.4", [](FakePanel& p) { p.minor = 4; }, "Конфликт версий ПО - требуется программатор v1.40", "",
            0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel = FakePanel{};
        c.spoil(panel);
        label.labels.clear();
        label.beeps = 0;
        const Document before = doc;
        EXPECT_EQ(Run(&DeviceCommands::ReadDataFromDevice), c.message);
        EXPECT_EQ(doc.image, before.image);
        EXPECT_EQ(doc.state.WideDisplay, before.state.WideDisplay);
        EXPECT_TRUE(doc.state.HasFileName);
        EXPECT_TRUE(pages.calls.empty());
        EXPECT_EQ(shell.caption, "initial caption");
        EXPECT_EQ(label.beeps, c.beeps);
        if (!c.lastLabel.empty()) {
            EXPECT_EQ(label.Last(), c.lastLabel);
        }
        ExpectCleanedUp();
    }
}

TEST_F(DeviceCommandsTest, AReadAskedForWhileAReadRunsIsDropped)
{
    int nested = 0;
    shell.onProcessEvents = [&] {
        ++nested;
        EXPECT_EQ(Run(&DeviceCommands::ReadDataFromDevice), "");
    };
    EXPECT_EQ(Run(&DeviceCommands::ReadDataFromDevice), "");
    EXPECT_EQ(nested, 2); // after the hourglass and in the clean-up
    EXPECT_EQ(port->opens.size(), 1U);

    shell.onProcessEvents = nullptr;
    EXPECT_EQ(Run(&DeviceCommands::ReadDataFromDevice), "");
    EXPECT_EQ(port->opens.size(), 2U);
    ExpectCleanedUp();
}

TEST_F(DeviceCommandsTest, AnAddressThatIsNoNumberFailsBeforeThePortOpens)
{
    for (auto command : {&DeviceCommands::ReadDataFromDevice, &DeviceCommands::WriteDataToDevice,
             &DeviceCommands::ApplyConfig, &DeviceCommands::ShowDeviceInfo}) {
        EXPECT_NE(Run(command, "x1"), "");
        EXPECT_NE(Run(command, "0"), "");
    }
    EXPECT_TRUE(port->opens.empty());
    EXPECT_TRUE(shell.questions.empty());
    EXPECT_TRUE(pages.calls.empty());
}

TEST_F(DeviceCommandsTest, WriteSendsSevenBlocksEachConfirmedByOnePoll)
{
    shell.caption = "[Readed] - GLT Configuration tool";
    // The write-backs run before anything is sent, and what they store goes out.
    pages.onWriteBack = [&](Area area) {
        if (area == Area::DevConfig) {
            doc.image[0] = 0x42;
        }
    };
    EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), "");

    EXPECT_EQ(shell.questions, std::vector<std::string>{"Передать данные программирования?"});
    EXPECT_EQ(pages.calls, (std::vector<std::string>{"SetDevConfig", "SetMBusSettings"}));
    EXPECT_EQ(FrameLengths(),
        (std::vector<std::size_t>{4, 7, 28, 4, 15, 4, 16, 4, 72, 4, 40, 4, 32, 4, 72, 4}));
    EXPECT_EQ(panel.written, (std::vector<unsigned>{0, 1, 2, 3, 4, 5, 6}));
    for (BlockId block : kTransferredBlocks) {
        const auto sent = BlockData(panel.memory, block);
        const auto own = BlockData(doc.image, block);
        EXPECT_TRUE(std::equal(sent.begin(), sent.end(), own.begin())) << Block(block).name;
    }
    EXPECT_EQ(panel.memory[0], 0x42);
    EXPECT_EQ(shell.caption, kAppTitle);
    ExpectCleanedUp();
}

TEST_F(DeviceCommandsTest, CancelInTheWriteQuestionDoesNothing)
{
    shell.confirmAnswer = false;
    EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), "");
    EXPECT_EQ(shell.questions.size(), 1U);
    EXPECT_TRUE(pages.calls.empty());
    EXPECT_TRUE(port->opens.empty());
    EXPECT_EQ(shell.caption, "initial caption");
    // The busy mark is free again.
    shell.confirmAnswer = true;
    EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), "");
    EXPECT_EQ(port->opens.size(), 1U);
}

TEST_F(DeviceCommandsTest, AWriteAskedForWhileAWriteRunsIsDropped)
{
    // Clicks reach the window while the question is open and while events are
    // processed during the transfer.
    const auto again = [&] { EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), ""); };
    shell.onConfirm = again;
    shell.onProcessEvents = again;
    EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), "");
    EXPECT_EQ(shell.questions.size(), 1U);
    EXPECT_EQ(port->opens.size(), 1U);
    EXPECT_EQ(panel.written.size(), 7U);
    ExpectCleanedUp();
}

TEST_F(DeviceCommandsTest, CompletionPollsEndAfter25ExceptionAnswers)
{
    struct Case {
        int exceptions;
        std::string message;
        std::vector<unsigned> written;
        int polls;
    };
    const std::vector<Case> cases{
        {24, "", {0, 1, 2, 3, 4, 5, 6}, 24 + 7},
        {25, "Ошибка I/O", {0}, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exceptions);
        panel = FakePanel{};
        panel.exceptionPolls = c.exceptions;
        shell.caption = "initial caption";
        EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), c.message);
        EXPECT_EQ(panel.written, c.written);
        EXPECT_EQ(panel.polls, c.polls);
        EXPECT_EQ(shell.caption, c.message.empty() ? std::string(kAppTitle) : "initial caption");
        ExpectCleanedUp();
    }
}

TEST_F(DeviceCommandsTest, APanelThatFallsSilentFailsAtTheNextBlock)
{
    panel.silentAfter = 3; // identification, device information, block 0
    EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), "Ошибка I/O");
    // The unanswered poll found its own function byte and counted as confirmed.
    EXPECT_EQ(FrameLengths(), (std::vector<std::size_t>{4, 7, 28, 4, 15}));
    EXPECT_EQ(label.Last(), "1");
    ExpectCleanedUp();
}

TEST_F(DeviceCommandsTest, AWriteOfAPanelWithOldFirmwareSendsNoBlock)
{
    panel.minor = 4;
    EXPECT_EQ(Run(&DeviceCommands::WriteDataToDevice), "Конфликт версий ПО - требуется программатор v1.40");
    EXPECT_EQ(pages.calls, (std::vector<std::string>{"SetDevConfig", "SetMBusSettings"}));
    EXPECT_TRUE(panel.written.empty());
    ExpectCleanedUp();
}

TEST_F(DeviceCommandsTest, ApplyReportsOnlyResultCode1)
{
    struct Case {
        const char* name;
        std::uint8_t result;
        std::optional<std::size_t> silentAfter;
        std::string message;
    };
    const std::vector<Case> cases{
        {"not started", 1, std::nullopt, "Программирование не запускалось"},
        {"done", 0, std::nullopt, ""},
        {"other code", 2, std::nullopt, ""},
        {"no answer", 1, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel = FakePanel{};
        panel.applyResult = c.result;
        panel.silentAfter = c.silentAfter;
        port->frames.clear();
        EXPECT_EQ(Run(&DeviceCommands::ApplyConfig), c.message);
        ASSERT_EQ(port->frames.size(), 3U);
        EXPECT_EQ(port->frames[2], (Bytes{0x01, 0x46, 0x00, 0x01, 0x03, 0x4D, 0x19}));
        ExpectCleanedUp();
    }
}

TEST_F(DeviceCommandsTest, DeviceInformationShowsAnyFirmwareWhileThePortIsOpen)
{
    panel.slaveId = {0x03, 0x0C, 0x09, 0x32};
    panel.major = 1;
    panel.minor = 4;
    panel.revision = 0x0A;
    bool openDuringBox = false;
    shell.onInform = [&] { openDuringBox = modbus.IsOpen(); };
    EXPECT_EQ(Run(&DeviceCommands::ShowDeviceInfo, "1"), "");
    EXPECT_EQ(shell.informCaption, "Информация об устройстве №1  (/dev/ttyUSB0)");
    EXPECT_EQ(shell.informText, "—  Тип прибора:" + std::string(12, ' ') + "ГЛТ-09\n"
            + "—  Firmware version:" + std::string(5, ' ') + "1.4\n"
            + "—  Hardware revision:" + std::string(4, ' ') + "0x0A");
    EXPECT_TRUE(openDuringBox);
    ExpectCleanedUp();
}

TEST(DeviceInfoTextTest, RevisionIsTwoUpperCaseHexDigits)
{
    EXPECT_TRUE(DeviceInfoText(DeviceKind::Glt07, 1, 6, 0xAB).ends_with("0xAB"));
    EXPECT_TRUE(DeviceInfoText(DeviceKind::Glt07, 1, 6, 0x05).ends_with("0x05"));
    EXPECT_TRUE(DeviceInfoText(DeviceKind::Glt07, 200, 16, 0).find("200.16\n") != std::string::npos);
    EXPECT_EQ(DeviceInfoCaption(255, "COM1"), "Информация об устройстве №255  (COM1)");
}

TEST_F(DeviceCommandsTest, DeviceInformationWithoutItsAnswerIsAnIoError)
{
    panel.silentAfter = 2; // answers the identification only
    EXPECT_EQ(Run(&DeviceCommands::ShowDeviceInfo), "Ошибка I/O");
    EXPECT_EQ(shell.informCaption, "");
    ExpectCleanedUp();
}

} // namespace
} // namespace glt::test
