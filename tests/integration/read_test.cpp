// Reading the configuration from the virtual panel over a real
// pseudo-terminal: what arrives, and what a failure leaves untouched.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/config_file.hpp"
#include "document/error.hpp"
#include "document/file_header.hpp"
#include "document/texts.hpp"
#include "support/integration_rig.hpp"

namespace glt::test {
namespace {

// A panel serving blocks that differ from the document's in every byte.
struct ReadRig {
    explicit ReadRig(std::vector<std::string> extra)
        : panelFile(Saved(NumberedImage(7), fileTemp)), rig(Options(std::move(extra)))
    {
        rig.doc.image = NumberedImage(100);
        rig.doc.state.HasFileName = true;
        rig.doc.state.DocumentFileName = "old.cfg";
    }

    static const std::string& Saved(const ConfigImage& image, const TempFile& file)
    {
        WriteConfigFile(file.Path(), MakeFileHeader(0, std::chrono::system_clock::now()), image);
        return file.Path();
    }
    std::vector<std::string> Options(std::vector<std::string> extra) const
    {
        extra.insert(extra.end(), {"--from", panelFile});
        return extra;
    }

    TempFile fileTemp{".cfg"};
    std::string panelFile;
    PanelRig rig;
};

std::vector<std::uint8_t> DataOf(const ConfigImage& image, BlockId id)
{
    const auto data = BlockData(image, id);
    return {data.begin(), data.end()};
}

TEST(ReadFromPanel, BringsBlocksZeroToSixAndKeepsTheNetworkLists)
{
    ReadRig r({"--model", "ГЛТ-09"});
    PanelRig& rig = r.rig;
    const ConfigImage panel = NumberedImage(7);
    const ConfigImage before = rig.doc.image;

    ASSERT_EQ(rig.Read(), "");

    for (const BlockInfo& info : BlockTable) {
        const bool transferred = static_cast<unsigned>(info.id) <= 6;
        EXPECT_EQ(DataOf(rig.doc.image, info.id), DataOf(transferred ? panel : before, info.id)) << info.name;
    }
    EXPECT_EQ(rig.doc.state.WideDisplay, 1);
    EXPECT_FALSE(rig.doc.state.HasFileName);
    EXPECT_EQ(rig.pages.calls, (std::vector<std::string>{"GetDevConfig", "GetMBusSettings", "GetCrossBar",
                                   "GetInputType", "GetOutDataBase", "GetDispSettings", "GetExternalNet"}));
    EXPECT_EQ(rig.shell.caption, "[Readed] - GLT Configuration tool");
    EXPECT_EQ(rig.shell.statusText, kStatusVersion);
    EXPECT_EQ(rig.shell.busyDepth, 0);

    // Identification, device information, then one read per block in order.
    const auto requests = rig.Frames("RX");
    ASSERT_EQ(requests.size(), 9U);
    EXPECT_EQ(requests[0].bytes, (std::vector<std::uint8_t>{0x01, 0x11, 0xC0, 0x2C}));
    EXPECT_EQ(requests[1].bytes, (std::vector<std::uint8_t>{0x01, 0x46, 0x00, 0x01, 0x00, 0x0D, 0x18}));
    EXPECT_EQ(requests[2].bytes, (std::vector<std::uint8_t>{0x01, 0x46, 0x00, 0x02, 0x01, 0x00, 0x28, 0x55}));
    EXPECT_EQ(requests[8].bytes, (std::vector<std::uint8_t>{0x01, 0x46, 0x00, 0x02, 0x01, 0x06, 0xA8, 0x57}));
    for (std::size_t b = 0; b < 7; ++b) {
        EXPECT_EQ(requests[2 + b].bytes.at(5), b);
    }
    EXPECT_TRUE(rig.PortFree());
}

TEST(ReadFromPanel, Glt07SetsNarrowDisplay)
{
    ReadRig r({});
    r.rig.doc.state.WideDisplay = 1;
    ASSERT_EQ(r.rig.Read(), "");
    EXPECT_EQ(r.rig.doc.state.WideDisplay, 0);
}

struct ReadFailure {
    const char* name;
    std::vector<std::string> simOptions;
    unsigned block; // the block whose read fails
    int beeps;      // a refused CRC beeps
    bool vanishes = false;
};

class ReadFailures : public ::testing::TestWithParam<ReadFailure> {};

TEST_P(ReadFailures, IoErrorLeavesDocumentPagesAndCaptionAlone)
{
    const ReadFailure& c = GetParam();
    ReadRig r(c.simOptions);
    PanelRig& rig = r.rig;
    const Document before = rig.doc;

    const std::string error = rig.Read();
    EXPECT_EQ(error, "Ошибка I/O");
    EXPECT_EQ(ErrorBoxText(error), "Ошибка I/O.");
    EXPECT_EQ(rig.feedback.labels.back(), "Block: " + std::to_string(c.block));
    EXPECT_GE(rig.feedback.beeps, c.beeps);
    EXPECT_EQ(rig.doc.image, before.image);
    EXPECT_EQ(rig.doc.state.WideDisplay, before.state.WideDisplay);
    EXPECT_TRUE(rig.doc.state.HasFileName);
    EXPECT_TRUE(rig.pages.calls.empty());
    EXPECT_EQ(rig.shell.caption, "initial caption");
    EXPECT_EQ(rig.shell.statusText, "initial status");
    EXPECT_EQ(rig.shell.busyDepth, 0);
    EXPECT_FALSE(rig.modbus.IsOpen());
    if (c.vanishes) {
        const auto& labels = rig.feedback.labels;
        EXPECT_NE(std::find(labels.begin(), labels.end(), "Сбой посылки"), labels.end());
        EXPECT_EQ(rig.sim.WaitExit(2000), 0);
    } else {
        EXPECT_TRUE(rig.PortFree());
    }
}

INSTANTIATE_TEST_SUITE_P(Panels, ReadFailures,
    ::testing::Values(ReadFailure{"BadCrcBlock3", {"--fault-bad-crc-block", "3"}, 3, 1},
        ReadFailure{"CutAnswer", {"--fault-cut", "read:10"}, 0, 0},
        ReadFailure{"NoReadAnswers", {"--fault-no-answer", "read"}, 0, 0},
        ReadFailure{"SilentAfterBlock2", {"--fault-silent-after-block", "2"}, 3, 0},
        // The terminal goes away: the next request cannot even be sent.
        ReadFailure{"VanishAfterBlock4", {"--fault-vanish-after-block", "4"}, 5, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadFromPanel, OldFirmwareChangesNothing)
{
    ReadRig r({"--firmware", "1.4"});
    const ConfigImage before = r.rig.doc.image;
    EXPECT_EQ(r.rig.Read(), "Конфликт версий ПО - требуется программатор v1.40");
    EXPECT_EQ(r.rig.doc.image, before);
    EXPECT_TRUE(r.rig.pages.calls.empty());
    EXPECT_EQ(r.rig.CountRequests(kFnConfig, kSubReadBlock), 0U);
    EXPECT_TRUE(r.rig.PortFree());
}

TEST(ReadFromPanel, ReadRequestedDuringReadIsDroppedAndALaterOneRuns)
{
    ReadRig r({});
    PanelRig& rig = r.rig;
    int inner = 0;
    rig.shell.onProcessEvents = [&] {
        if (inner++ == 0) {
            EXPECT_EQ(rig.Read(), "");
        }
    };
    ASSERT_EQ(rig.Read(), "");
    EXPECT_EQ(rig.CountRequests(kFnReportSlaveId), 1U);
    rig.shell.onProcessEvents = nullptr;
    ASSERT_EQ(rig.Read(), "");
    EXPECT_EQ(rig.CountRequests(kFnReportSlaveId), 2U);
}

} // namespace
} // namespace glt::test
