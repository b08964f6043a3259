// Identification and firmware check against the virtual panel over a real
// pseudo-terminal: every device command starts with them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/integration_rig.hpp"

namespace glt::test {
namespace {

enum class Outcome { Accepted, NoAnswer, NotPanel, Message };

struct IdentCase {
    const char* name;
    std::vector<std::string> simOptions;
    Outcome outcome;
    std::string message = {}; // for Outcome::Message
    std::int32_t wide = 0;    // WideDisplay after an accepted read
};

class Identification : public ::testing::TestWithParam<IdentCase> {};

// The read checks the version; a refused panel leaves everything as it was.
TEST_P(Identification, ReadAcceptsOrRefusesThePanel)
{
    const IdentCase& c = GetParam();
    PanelRig rig(c.simOptions);
    const std::string prefix = "Устройство № 1  (" + rig.sim.DevicePath() + ")  ";
    const ConfigImage before = rig.doc.image;

    const std::string error = rig.Read();

    switch (c.outcome) {
    case Outcome::Accepted:
        EXPECT_EQ(error, "");
        EXPECT_EQ(rig.doc.state.WideDisplay, c.wide);
        break;
    case Outcome::NoAnswer:
        EXPECT_EQ(error, prefix + "не отвечает на запросы");
        break;
    case Outcome::NotPanel:
        EXPECT_EQ(error, prefix + "не является ГЛТ-07 или ГЛТ-09");
        break;
    case Outcome::Message:
        EXPECT_EQ(error, c.message);
        break;
    }
    if (c.outcome != Outcome::Accepted) {
        EXPECT_EQ(rig.doc.image, before);
        EXPECT_TRUE(rig.pages.calls.empty());
        EXPECT_EQ(rig.shell.caption, "initial caption");
        EXPECT_EQ(rig.CountRequests(kFnConfig, kSubReadBlock), 0U);
    }
    EXPECT_TRUE(rig.PortFree());
}

INSTANTIATE_TEST_SUITE_P(Panels, Identification,
    ::testing::Values(IdentCase{"Glt07", {}, Outcome::Accepted, {}, 0},
        IdentCase{"Glt09", {"--model", "ГЛТ-09"}, Outcome::Accepted, {}, 1},
        // The identification's CRC is reported, not enforced.
        IdentCase{"IdentBadCrcAccepted", {"--fault-bad-crc", "ident"}, Outcome::Accepted},
        IdentCase{"LateWithinTheWait", {"--fault-late", "150"}, Outcome::Accepted},
        IdentCase{"WrongIdentBytes", {"--fault-ident", "03200932"}, Outcome::NotPanel},
        IdentCase{"GarbageShiftsTheAnswer", {"--fault-garbage", "1"}, Outcome::NotPanel},
        IdentCase{"SilentPanel", {"--fault-no-answer", "ident"}, Outcome::NoAnswer},
        IdentCase{"CutIdent", {"--fault-cut", "ident:5"}, Outcome::NoAnswer},
        IdentCase{"TooLate", {"--fault-late", "1150"}, Outcome::NoAnswer},
        IdentCase{"OtherAddress", {"--address", "2"}, Outcome::NoAnswer},
        IdentCase{"NoDeviceInfo", {"--fault-no-answer", "info"}, Outcome::NoAnswer},
        IdentCase{"DeviceInfoBadCrc", {"--fault-bad-crc", "info"}, Outcome::NoAnswer},
        IdentCase{"AnswersFromOtherAddress", {"--fault-answer-address", "5"}, Outcome::NoAnswer},
        IdentCase{"Firmware14", {"--firmware", "1.4"}, Outcome::Message,
            "Конфликт версий ПО - требуется программатор v1.40"},
        IdentCase{"Firmware210", {"--firmware", "2.10"}, Outcome::Message,
            "Конфликт версий ПО - требуется программатор v2.100"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IdentificationPort, MissingDeviceCannotBeOpened)
{
    PanelRig rig({});
    rig.settings.portName = "/dev/glt-no-such-port";
    EXPECT_EQ(rig.Read(), "Невозможно открыть порт /dev/glt-no-such-port");
    rig.settings.portName.clear();
    EXPECT_EQ(rig.Info(), "Невозможно открыть порт ");
    EXPECT_TRUE(rig.Frames("RX").empty());
    EXPECT_FALSE(rig.modbus.IsOpen());
}

// The device information command skips the version check and shows what the
// panel reports.
TEST(DeviceInformation, AnyFirmwareIsShown)
{
    PanelRig rig({"--model", "ГЛТ-09", "--firmware", "1.4", "--revision", "10"});
    EXPECT_EQ(rig.Info(), "");
    EXPECT_EQ(rig.shell.informCaption, "Информация об устройстве №1  (" + rig.sim.DevicePath() + ")");
    EXPECT_EQ(rig.shell.informText,
        "—  Тип прибора:            ГЛТ-09\n"
        "—  Firmware version:     1.4\n"
        "—  Hardware revision:    0x0A");
    EXPECT_TRUE(rig.PortFree());
}

TEST(DeviceInformation, SecondInfoRequestUnansweredIsIoError)
{
    // Identification and the first device information are answered.
    PanelRig rig({"--fault-silent-after-answers", "2"});
    EXPECT_EQ(rig.Info(), "Ошибка I/O");
    EXPECT_EQ(rig.feedback.Last(), "Сбой приема");
    EXPECT_TRUE(rig.shell.informText.empty());
    EXPECT_TRUE(rig.PortFree());
}

} // namespace
} // namespace glt::test
