// Writing the configuration to the virtual panel over a real
// pseudo-terminal: the frames on the line, the completion polls, and the
// failures that leave the panel partly written.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/config_file.hpp"
#include "document/texts.hpp"
#include "support/integration_rig.hpp"

namespace glt::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool IsWrite(const Bytes& b) { return b.size() > 4 && b[1] == kFnConfig && b[4] == kSubWriteBlock; }
bool IsPoll(const Bytes& b) { return b.size() > 1 && b[1] == kFnPollCompletion; }

// The requests after identification, as (write frame length, polls after it).
std::vector<std::pair<std::size_t, int>> WritesAndPolls(const PanelRig& rig)
{
    std::vector<std::pair<std::size_t, int>> out;
    for (const sim::LoggedFrame& frame : rig.Frames("RX")) {
        if (IsWrite(frame.bytes)) {
            out.emplace_back(frame.bytes.size(), 0);
        } else if (IsPoll(frame.bytes) && !out.empty()) {
            ++out.back().second;
        }
    }
    return out;
}

std::vector<std::pair<std::size_t, int>> EachPolled(int polls, std::size_t blocks = 7)
{
    const std::vector<std::size_t> lengths{28, 15, 16, 72, 40, 32, 72};
    std::vector<std::pair<std::size_t, int>> out;
    for (std::size_t b = 0; b < blocks; ++b) {
        out.emplace_back(lengths[b], polls);
    }
    return out;
}

TEST(WriteToPanel, SevenBlocksEachConfirmedByOnePoll)
{
    TempFile saved(".cfg");
    PanelRig rig({"--save", saved.Path()});
    rig.doc.image = NumberedImage(50);
    rig.shell.caption = "[Readed] - GLT Configuration tool";

    ASSERT_EQ(rig.Write(), "");

    EXPECT_EQ(rig.shell.questions, (std::vector<std::string>{"Передать данные программирования?"}));
    EXPECT_EQ(rig.pages.calls, (std::vector<std::string>{"SetDevConfig", "SetMBusSettings"}));
    EXPECT_EQ(WritesAndPolls(rig), EachPolled(1));
    EXPECT_EQ(rig.shell.caption, kAppTitle);
    EXPECT_EQ(rig.shell.busyDepth, 0);
    EXPECT_TRUE(rig.PortFree());

    // Each write frame carries the block's data bytes and no block CRC.
    std::size_t block = 0;
    for (const sim::LoggedFrame& frame : rig.Frames("RX")) {
        if (IsWrite(frame.bytes)) {
            const auto data = BlockData(rig.doc.image, static_cast<BlockId>(block));
            EXPECT_EQ(frame.bytes[3], data.size() + 2);
            EXPECT_EQ(frame.bytes[5], block);
            EXPECT_TRUE(std::equal(data.begin(), data.end(), frame.bytes.begin() + 6)) << "block " << block;
            ++block;
        }
    }

    // What the panel stored is what the document holds.
    ASSERT_EQ(rig.sim.Stop(), 0);
    const ConfigImage stored = ReadConfigFile(saved.Path()).image;
    for (std::size_t b = 0; b < 7; ++b) {
        const auto id = static_cast<BlockId>(b);
        const auto want = BlockData(rig.doc.image, id);
        const auto got = BlockData(stored, id);
        EXPECT_TRUE(std::equal(want.begin(), want.end(), got.begin())) << "block " << b;
    }
}

TEST(WriteToPanel, BusyPanelIsPolledUntilItConfirms)
{
    PanelRig rig({"--fault-poll-exceptions", "2"});
    ASSERT_EQ(rig.Write(), "");
    EXPECT_EQ(WritesAndPolls(rig), EachPolled(3));
}

TEST(WriteToPanel, TwentyFiveBusyAnswersEndAfterBlockZero)
{
    PanelRig rig({"--fault-poll-exceptions", "25"});
    const std::string caption = rig.shell.caption;
    EXPECT_EQ(rig.Write(), "Ошибка I/O");
    EXPECT_EQ(WritesAndPolls(rig), EachPolled(25, 1));
    EXPECT_EQ(rig.feedback.Last(), "CRC: 0") << "the last poll's text stays";
    EXPECT_EQ(rig.shell.caption, caption);
    EXPECT_TRUE(rig.PortFree());
}

struct WriteFailure {
    const char* name;
    std::vector<std::string> simOptions;
    std::string label;                            // status label at the end
    std::vector<std::pair<std::size_t, int>> seen; // write frames and polls the panel got
};

class WriteFailures : public ::testing::TestWithParam<WriteFailure> {};

TEST_P(WriteFailures, IoErrorAtTheFailingBlock)
{
    const WriteFailure& c = GetParam();
    PanelRig rig(c.simOptions);
    EXPECT_EQ(rig.Write(), "Ошибка I/O");
    EXPECT_EQ(rig.feedback.Last(), c.label);
    EXPECT_EQ(WritesAndPolls(rig), c.seen);
    EXPECT_EQ(rig.shell.caption, "initial caption");
    EXPECT_TRUE(rig.PortFree());
}

// A panel that falls silent after block 2: its poll gets no answer, the
// request left in the frame buffer counts as a confirmation, and the write of
// block 3 fails.
std::vector<std::pair<std::size_t, int>> SilentAfter2() { return {{28, 1}, {15, 1}, {16, 1}, {72, 0}}; }

INSTANTIATE_TEST_SUITE_P(Panels, WriteFailures,
    ::testing::Values(WriteFailure{"SilentAfterBlock2", {"--fault-silent-after-block", "2"}, "3", SilentAfter2()},
        WriteFailure{"BadCrcOnBlock4", {"--fault-bad-crc-block", "4"}, "4",
            {{28, 1}, {15, 1}, {16, 1}, {72, 1}, {40, 0}}},
        WriteFailure{"NoWriteAnswers", {"--fault-no-answer", "write"}, "0", EachPolled(0, 1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteToPanel, CancelSendsNothingAndLeavesThePortAlone)
{
    PanelRig rig({});
    rig.shell.confirmAnswer = false;
    const ConfigImage before = rig.doc.image;
    EXPECT_EQ(rig.Write(), "");
    EXPECT_TRUE(rig.Frames("RX").empty());
    EXPECT_TRUE(rig.pages.calls.empty());
    EXPECT_EQ(rig.doc.image, before);
    EXPECT_TRUE(rig.feedback.labels.empty()) << "the port was never opened";
}

TEST(WriteToPanel, OldFirmwareWritesNoBlock)
{
    PanelRig rig({"--firmware", "1.4"});
    EXPECT_EQ(rig.Write(), "Конфликт версий ПО - требуется программатор v1.40");
    EXPECT_EQ(rig.pages.calls, (std::vector<std::string>{"SetDevConfig", "SetMBusSettings"}));
    EXPECT_TRUE(WritesAndPolls(rig).empty());
    EXPECT_TRUE(rig.PortFree());
}

} // namespace
} // namespace glt::test
