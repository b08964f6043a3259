// Any bytes on the virtual panel's line: the framer cuts them into requests
// (also at fuzzed silences) and the panel answers each. Never a crash; a
// fault-free panel answers only with whole, addressed, CRC-correct frames that
// fit the master's frame buffer, and its own blocks stay sealed.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "document/crc16.hpp"
#include "fuzz_harness.hpp"
#include "panel_protocol.hpp"
#include "request_framer.hpp"

namespace {

using namespace glt;
using namespace glt::sim;

PanelFaults FaultsFor(std::uint8_t selector)
{
    PanelFaults faults;
    switch (selector % 8) {
    case 1:
        faults.pollExceptions = 3;
        break;
    case 2:
        faults.badCrcBlock = selector / 8 % 7;
        break;
    case 3:
        faults.cut = CutAnswer{static_cast<RequestKind>(selector / 8 % kRequestKinds), selector / 48u};
        break;
    case 4:
        faults.silentAfterBlock = selector / 8 % 7;
        break;
    case 5:
        faults.answerAddress = static_cast<std::uint8_t>(selector);
        faults.garbageBytes = selector / 8 % 5;
        break;
    case 6:
        faults.vanishAfterBlock = selector / 8 % 7;
        faults.applyResult = 1;
        break;
    case 7:
        faults.ident = IdentBytes{selector, 0, 0, 0};
        break;
    default:
        break;
    }
    return faults;
}

void Answer(PanelProtocol& panel, const std::vector<std::uint8_t>& request, bool faultFree, std::uint8_t address)
{
    const Reply reply = panel.Handle(request);
    fuzz::Require(VerifyBlocks(panel.Blocks()), "panel blocks not sealed after a request");
    if (!faultFree || reply.bytes.empty()) {
        return;
    }
    fuzz::Require(reply.bytes.size() >= 4 && reply.bytes.size() <= kMaxFrame, "answer of impossible length");
    fuzz::Require(Crc16Modbus(reply.bytes) == 0, "fault-free answer with a wrong CRC");
    fuzz::Require(reply.bytes[kPosAddress] == address, "fault-free answer from another address");
    fuzz::Require(!reply.vanish && reply.delay.count() == 0, "fault-free panel vanished or delayed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::uint8_t selector = data[0];
    const std::size_t silenceEvery = data[1];
    const bool faultFree = selector % 8 == 0;

    PanelIdentity identity;
    identity.address = 1;
    ConfigImage blocks{};
    SealBlocks(blocks);
    PanelProtocol panel(identity, blocks, FaultsFor(selector));
    RequestFramer framer;

    const std::span<const std::uint8_t> line(data + 2, size - 2);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (auto request = framer.Push(line[i])) {
            const std::size_t expected = ExpectedRequestLength(*request);
            fuzz::Require(expected == request->size(), "framer cut a request at the wrong length");
            Answer(panel, *request, faultFree, identity.address);
        }
        if (silenceEvery != 0 && (i + 1) % silenceEvery == 0 && !framer.Empty()) {
            const std::vector<std::uint8_t> frame = framer.Flush();
            fuzz::Require(frame.size() <= kMaxFrame + 1, "framer kept more than one frame of noise");
            Answer(panel, frame, faultFree, identity.address);
        }
    }
    if (!framer.Empty()) {
        Answer(panel, framer.Flush(), faultFree, identity.address);
    }
    return 0;
}
