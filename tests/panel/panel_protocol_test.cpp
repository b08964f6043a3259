#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include "document/crc16.hpp"
#include "panel_protocol.hpp"
#include "request_framer.hpp"
#include "sim_options.hpp"
#include "wire_time.hpp"

namespace glt::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(const std::string& text)
{
    Bytes bytes;
    std::istringstream in(text);
    std::string byte;
    while (in >> byte) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
    }
    return bytes;
}

Bytes WithCrc(Bytes bytes)
{
    const std::uint16_t crc = Crc16Modbus(bytes);
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
    return bytes;
}

// Blocks whose every data byte tells its block and position.
ConfigImage NumberedBlocks()
{
    ConfigImage image{};
    for (const BlockInfo& info : BlockTable) {
        auto data = BlockData(image, info.id);
        for (std::size_t k = 0; k < data.size(); ++k) {
            data[k] = static_cast<std::uint8_t>(static_cast<unsigned>(info.id) * 16 + k);
        }
    }
    SealBlocks(image);
    return image;
}

Bytes BlockBytes(BlockId id)
{
    const ConfigImage image = NumberedBlocks();
    const auto data = BlockData(image, id);
    return Bytes(data.begin(), data.end());
}

Bytes Concat(Bytes head, const Bytes& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Bytes WriteRequest(BlockId id, const Bytes& data)
{
    const auto count = static_cast<std::uint8_t>(data.size() + 2);
    return WithCrc(Concat({0x01, 0x46, 0x00, count, 0x02, static_cast<std::uint8_t>(id)}, data));
}

struct AnswerCase {
    const char* name;
    PanelIdentity identity;
    Bytes request;
    Bytes answer;
};

class PanelAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(PanelAnswers, AnswerOfEachRequest)
{
    const AnswerCase& c = GetParam();
    PanelProtocol panel(c.identity, NumberedBlocks(), {});
    EXPECT_EQ(panel.Handle(c.request).bytes, c.answer);
}

const PanelIdentity kGlt07{};
const PanelIdentity kGlt09{DeviceKind::Glt09, 1, 4, 0x0A, 7};

INSTANTIATE_TEST_SUITE_P(Requests, PanelAnswers,
    ::testing::Values(
        AnswerCase{"IdentGlt07", kGlt07, Hex("01 11 C0 2C"), WithCrc(Hex("01 11 03 20 07 32"))},
        AnswerCase{"IdentGlt09", kGlt09, WithCrc(Hex("07 11")), WithCrc(Hex("07 11 03 0C 09 32"))},
        AnswerCase{"Poll", kGlt07, Hex("01 0E 81 E4"), Hex("01 0E 81 E4")},
        AnswerCase{"DeviceInfo", kGlt09, WithCrc(Hex("07 46 00 01 00")),
            WithCrc(Hex("07 46 00 04 00 01 04 0A"))},
        AnswerCase{"Apply", kGlt07, Hex("01 46 00 01 03 4D 19"), WithCrc(Hex("01 46 00"))},
        AnswerCase{"ReadBlock0", kGlt07, Hex("01 46 00 02 01 00 28 55"),
            WithCrc(Concat(Hex("01 46 00 16 01 00"), BlockBytes(BlockId::DevConfig)))},
        AnswerCase{"ReadBlock6", kGlt07, Hex("01 46 00 02 01 06 A8 57"),
            WithCrc(Concat(Hex("01 46 00 42 01 06"), BlockBytes(BlockId::CrossBar)))},
        AnswerCase{"WriteBlock1", kGlt07, WriteRequest(BlockId::MBusSettings, Bytes(7, 0x55)),
            WithCrc(Hex("01 46 00"))},
        // The panel keeps no external-network blocks.
        AnswerCase{"ReadBlock7Refused", kGlt07, WithCrc(Hex("01 46 00 02 01 07")), WithCrc(Hex("01 C6 02"))},
        AnswerCase{"WriteWrongLength", kGlt07, WriteRequest(BlockId::MBusSettings, Bytes(6, 0x55)),
            WithCrc(Hex("01 C6 03"))},
        AnswerCase{"UnknownSubFunction", kGlt07, WithCrc(Hex("01 46 00 01 09")), WithCrc(Hex("01 C6 01"))},
        AnswerCase{"UnknownFunction", kGlt07, WithCrc(Hex("01 03 00 00 00 01")), WithCrc(Hex("01 83 01"))},
        AnswerCase{"BadCrcIgnored", kGlt07, Hex("01 11 C0 2D"), {}},
        AnswerCase{"OtherAddressIgnored", kGlt07, WithCrc(Hex("02 11")), {}},
        AnswerCase{"TornRequestIgnored", kGlt07, WithCrc(Hex("01 46 00 02 01")), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelProtocol, WrittenBlockIsReadBackAndSealed)
{
    PanelProtocol panel({}, NumberedBlocks(), {});
    const Bytes data(64, 0xA5);
    ASSERT_FALSE(panel.Handle(WriteRequest(BlockId::CrossBar, data)).bytes.empty());
    EXPECT_EQ(panel.BlocksWritten(), 1U);
    EXPECT_EQ(panel.Handle(Hex("01 46 00 02 01 06 A8 57")).bytes, WithCrc(Concat(Hex("01 46 00 42 01 06"), data)));
    EXPECT_TRUE(VerifyBlocks(panel.Blocks()));
    // The other blocks stay as they were.
    const auto after = BlockData(panel.Blocks(), BlockId::OutDataBase);
    EXPECT_EQ(Bytes(after.begin(), after.end()), BlockBytes(BlockId::OutDataBase));
}

TEST(PanelProtocol, IgnoredWriteStoresNothing)
{
    PanelFaults faults;
    faults.noAnswer.set(static_cast<std::size_t>(RequestKind::Write));
    PanelProtocol panel({}, NumberedBlocks(), faults);
    EXPECT_TRUE(panel.Handle(WriteRequest(BlockId::DevConfig, Bytes(20, 0))).bytes.empty());
    EXPECT_EQ(panel.BlocksWritten(), 0U);
    EXPECT_EQ(panel.Blocks(), NumberedBlocks());
}

TEST(PanelProtocol, BusyPollsAfterEveryWrittenBlock)
{
    PanelFaults faults;
    faults.pollExceptions = 2;
    PanelProtocol panel({}, NumberedBlocks(), faults);
    const Bytes poll = Hex("01 0E 81 E4");
    const Bytes busy = WithCrc(Hex("01 8E 06"));
    EXPECT_EQ(panel.Handle(poll).bytes, poll) << "nothing written yet";
    for (int block = 0; block < 2; ++block) {
        panel.Handle(WriteRequest(BlockId::DevConfig, Bytes(20, 1)));
        EXPECT_EQ(panel.Handle(poll).bytes, busy);
        EXPECT_EQ(panel.Handle(poll).bytes, busy);
        EXPECT_EQ(panel.Handle(poll).bytes, poll);
    }
}

struct FaultCase {
    const char* name;
    PanelFaults faults;
    Bytes request;
    Bytes answer;
};

class PanelFaultAnswers : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PanelFaultAnswers, FaultShapesTheAnswer)
{
    const FaultCase& c = GetParam();
    PanelProtocol panel({}, NumberedBlocks(), c.faults);
    EXPECT_EQ(panel.Handle(c.request).bytes, c.answer);
}

PanelFaults NoAnswerTo(RequestKind kind)
{
    PanelFaults faults;
    faults.noAnswer.set(static_cast<std::size_t>(kind));
    return faults;
}

template <typename Set>
PanelFaults With(Set set)
{
    PanelFaults faults;
    set(faults);
    return faults;
}

Bytes FlipLast(Bytes bytes)
{
    bytes.back() ^= 0xFF;
    return bytes;
}

const Bytes kReadBlock3 = WithCrc(Hex("01 46 00 02 01 03"));
const Bytes kBlock3Answer = WithCrc(Concat(Hex("01 46 00 42 01 03"), BlockBytes(BlockId::InputAssign)));

INSTANTIATE_TEST_SUITE_P(Faults, PanelFaultAnswers,
    ::testing::Values(
        FaultCase{"NoAnswerIdent", NoAnswerTo(RequestKind::Ident), Hex("01 11 C0 2C"), {}},
        FaultCase{"NoAnswerInfoLeavesIdent", NoAnswerTo(RequestKind::Info), Hex("01 11 C0 2C"),
            WithCrc(Hex("01 11 03 20 07 32"))},
        FaultCase{"NoAnswerApply", NoAnswerTo(RequestKind::Apply), Hex("01 46 00 01 03 4D 19"), {}},
        FaultCase{"BadCrcOnItsBlock", With([](PanelFaults& f) { f.badCrcBlock = 3; }), kReadBlock3,
            FlipLast(kBlock3Answer)},
        FaultCase{"BadCrcOtherBlock", With([](PanelFaults& f) { f.badCrcBlock = 2; }), kReadBlock3, kBlock3Answer},
        FaultCase{"BadCrcOnWriteAnswer", With([](PanelFaults& f) { f.badCrcBlock = 1; }),
            WriteRequest(BlockId::MBusSettings, Bytes(7, 0)), FlipLast(WithCrc(Hex("01 46 00")))},
        FaultCase{"BadCrcOnKind",
            With([](PanelFaults& f) { f.badCrc.set(static_cast<std::size_t>(RequestKind::Ident)); }),
            Hex("01 11 C0 2C"), FlipLast(WithCrc(Hex("01 11 03 20 07 32")))},
        FaultCase{"CutRead", With([](PanelFaults& f) { f.cut = CutAnswer{RequestKind::Read, 5}; }), kReadBlock3,
            Bytes(kBlock3Answer.begin(), kBlock3Answer.begin() + 5)},
        FaultCase{"CutOtherKind", With([](PanelFaults& f) { f.cut = CutAnswer{RequestKind::Ident, 5}; }),
            kReadBlock3, kBlock3Answer},
        FaultCase{"ApplyResult", With([](PanelFaults& f) { f.applyResult = 1; }), Hex("01 46 00 01 03 4D 19"),
            WithCrc(Hex("01 46 01"))},
        FaultCase{"WrongIdent", With([](PanelFaults& f) { f.ident = IdentBytes{0x03, 0x20, 0x09, 0x32}; }),
            Hex("01 11 C0 2C"), WithCrc(Hex("01 11 03 20 09 32"))},
        FaultCase{"OtherAddress", With([](PanelFaults& f) { f.answerAddress = 5; }), Hex("01 11 C0 2C"),
            WithCrc(Hex("05 11 03 20 07 32"))},
        FaultCase{"Garbage", With([](PanelFaults& f) { f.garbageBytes = 2; }), Hex("01 0E 81 E4"),
            Hex("FF FF 01 0E 81 E4")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelProtocol, SilentAfterTheAnswerOfItsBlock)
{
    PanelFaults faults;
    faults.silentAfterBlock = 1;
    PanelProtocol panel({}, NumberedBlocks(), faults);
    EXPECT_FALSE(panel.Handle(WriteRequest(BlockId::DevConfig, Bytes(20, 0))).bytes.empty());
    EXPECT_FALSE(panel.Handle(WriteRequest(BlockId::MBusSettings, Bytes(7, 0))).bytes.empty());
    EXPECT_TRUE(panel.Handle(Hex("01 0E 81 E4")).bytes.empty());
    EXPECT_TRUE(panel.Handle(Hex("01 11 C0 2C")).bytes.empty());
}

TEST(PanelProtocol, SilentAfterSomeAnswers)
{
    PanelFaults faults;
    faults.silentAfterAnswers = 2;
    PanelProtocol panel({}, NumberedBlocks(), faults);
    EXPECT_TRUE(panel.Handle(Hex("01 11 C0 2D")).bytes.empty()) << "a damaged request is no answer";
    EXPECT_FALSE(panel.Handle(Hex("01 11 C0 2C")).bytes.empty());
    EXPECT_FALSE(panel.Handle(Hex("01 46 00 01 00 0D 18")).bytes.empty());
    EXPECT_TRUE(panel.Handle(Hex("01 46 00 01 00 0D 18")).bytes.empty());
}

TEST(PanelProtocol, LateAndVanishTravelWithTheReply)
{
    PanelFaults faults;
    faults.lateBy = std::chrono::milliseconds(300);
    faults.vanishAfterBlock = 2;
    PanelProtocol panel({}, NumberedBlocks(), faults);
    const Reply ident = panel.Handle(Hex("01 11 C0 2C"));
    EXPECT_EQ(ident.delay, std::chrono::milliseconds(300));
    EXPECT_FALSE(ident.vanish);
    const Reply block2 = panel.Handle(WithCrc(Hex("01 46 00 02 01 02")));
    EXPECT_FALSE(block2.bytes.empty());
    EXPECT_TRUE(block2.vanish);
}

TEST(ExpectedRequestLength, FromFunctionAndCount)
{
    EXPECT_EQ(ExpectedRequestLength(Hex("01")), 0U);
    EXPECT_EQ(ExpectedRequestLength(Hex("01 11")), 4U);
    EXPECT_EQ(ExpectedRequestLength(Hex("01 0E")), 4U);
    EXPECT_EQ(ExpectedRequestLength(Hex("01 46 00")), 0U);
    EXPECT_EQ(ExpectedRequestLength(Hex("01 46 00 02")), 8U);
    EXPECT_EQ(ExpectedRequestLength(Hex("01 46 00 53")), 89U); // write of an 81-byte block
    EXPECT_EQ(ExpectedRequestLength(Hex("01 03 00 00")), 0U);
}

TEST(RequestFramer, KnownRequestEndsAtItsLengthOtherBytesAtSilence)
{
    RequestFramer framer;
    const Bytes read0 = Hex("01 46 00 02 01 00 28 55");
    std::optional<Bytes> done;
    for (std::size_t k = 0; k < read0.size(); ++k) {
        done = framer.Push(read0[k]);
        EXPECT_EQ(done.has_value(), k + 1 == read0.size()) << "byte " << k;
    }
    EXPECT_EQ(done, read0);
    EXPECT_TRUE(framer.Empty());

    for (const std::uint8_t byte : Hex("01 03 00 00 00 01")) {
        EXPECT_FALSE(framer.Push(byte));
    }
    EXPECT_EQ(framer.Flush(), Hex("01 03 00 00 00 01"));
    EXPECT_TRUE(framer.Empty());
}

TEST(RequestFramer, RunLongerThanAnyFrameIsCappedUntilSilence)
{
    RequestFramer framer;
    for (int k = 0; k < 1000; ++k) {
        EXPECT_FALSE(framer.Push(0xFF));
    }
    EXPECT_EQ(framer.Flush().size(), 257U);
}

TEST(WireTime, BitsPerCharacterAndFrameTimes)
{
    EXPECT_EQ(BitsPerChar({9600, false, 1}), 10U);
    EXPECT_EQ(BitsPerChar({9600, false, 2}), 11U);
    EXPECT_EQ(BitsPerChar({9600, true, 1}), 11U);
    EXPECT_EQ(BitsPerChar({9600, true, 2}), 12U);
    // 28 characters of 11 bits at 9600 baud.
    EXPECT_EQ(WireTime(28, {9600, false, 2}), std::chrono::microseconds(32083));
    EXPECT_EQ(FrameGap({9600, false, 2}), std::chrono::microseconds(4010));
    EXPECT_EQ(FrameGap({115200, false, 2}), std::chrono::microseconds(1750));
}

TEST(SimOptionTexts, AcceptedValues)
{
    EXPECT_EQ(ParseFirmware("1.6"), (std::pair<std::uint8_t, std::uint8_t>{1, 6}));
    EXPECT_EQ(ParseFirmware("2.10"), (std::pair<std::uint8_t, std::uint8_t>{2, 10}));
    EXPECT_EQ(ParseIdentBytes("03200932"), (IdentBytes{0x03, 0x20, 0x09, 0x32}));
    EXPECT_EQ(ParseIdentBytes("03 0c 09 32"), (IdentBytes{0x03, 0x0C, 0x09, 0x32}));
    const CutAnswer cut = ParseCutAnswer("read:5");
    EXPECT_EQ(cut.kind, RequestKind::Read);
    EXPECT_EQ(cut.keep, 5U);
}

TEST(SimOptionTexts, RefusedValues)
{
    for (const char* text : {"16", "1.", "1.256", "a.6", ""}) {
        EXPECT_THROW(ParseFirmware(text), CLI::ValidationError) << text;
    }
    for (const char* text : {"032009", "0320093G", "0320093200"}) {
        EXPECT_THROW(ParseIdentBytes(text), CLI::ValidationError) << text;
    }
    for (const char* text : {"read", "read:", "bogus:3", "read:x"}) {
        EXPECT_THROW(ParseCutAnswer(text), CLI::ValidationError) << text;
    }
}

TEST(SimOptions, CommandLineFillsIdentityLineAndFaults)
{
    CLI::App app;
    SimOptions options;
    AddSimOptions(app, options);
    std::vector<std::string> args{"--baud", "115200", "--fault-no-answer", "poll,apply", "--stop-bits", "1",
        "--firmware", "1.4", "--model", "ГЛТ-09", "--address", "9", "--fault-cut", "ident:3", "--parity", "even"};
    std::reverse(args.begin(), args.end()); // CLI11 parses a vector given in reverse
    app.parse(args);
    EXPECT_TRUE(options.emulateWire);
    EXPECT_EQ(options.line.baud, 115200U);
    EXPECT_EQ(options.line.stopBits, 1U);
    EXPECT_TRUE(options.line.parity);
    EXPECT_EQ(options.identity.model, DeviceKind::Glt09);
    EXPECT_EQ(options.identity.address, 9);
    EXPECT_EQ(options.identity.firmwareMinor, 4);
    EXPECT_TRUE(options.faults.NoAnswerTo(RequestKind::Poll));
    EXPECT_TRUE(options.faults.NoAnswerTo(RequestKind::Apply));
    EXPECT_FALSE(options.faults.NoAnswerTo(RequestKind::Read));
    ASSERT_TRUE(options.faults.cut);
    EXPECT_EQ(options.faults.cut->keep, 3U);

    CLI::App bad;
    SimOptions ignored;
    AddSimOptions(bad, ignored);
    EXPECT_THROW(bad.parse(std::vector<std::string>{"nope", "--fault-no-answer"}), CLI::ValidationError);
}

} // namespace
} // namespace glt::sim
