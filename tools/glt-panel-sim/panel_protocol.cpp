#include "panel_protocol.hpp"

#include <algorithm>

#include "document/crc16.hpp"
#include "request_framer.hpp"

namespace glt::sim {

namespace {

void AppendCrc(std::vector<std::uint8_t>& bytes)
{
    const std::uint16_t crc = Crc16Modbus(bytes);
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFFU));
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
}

std::size_t CountOf(std::span<const std::uint8_t> request)
{
    return (std::size_t{request[kPosCountHigh]} << 8) | request[kPosCountLow];
}

bool IsBlockRequest(RequestKind kind) { return kind == RequestKind::Read || kind == RequestKind::Write; }

// Noise that cannot be taken for the start of an answer to address 1..247.
constexpr std::uint8_t kGarbage = 0xFF;

} // namespace

IdentBytes IdentOf(DeviceKind kind)
{
    for (const Identification& entry : kIdentificationTable) {
        if (entry.kind == kind) {
            return entry.pattern;
        }
    }
    return {};
}

std::optional<RequestKind> KindOf(std::span<const std::uint8_t> request)
{
    if (request.size() <= kPosFunction) {
        return std::nullopt;
    }
    switch (request[kPosFunction]) {
    case kFnReportSlaveId:
        return RequestKind::Ident;
    case kFnPollCompletion:
        return RequestKind::Poll;
    case kFnConfig:
        // The count must cover at least the sub-function byte.
        if (request.size() < kPosSub + 1 + kCrcBytes) {
            return std::nullopt;
        }
        switch (request[kPosSub]) {
        case kSubDeviceInfo:
            return RequestKind::Info;
        case kSubReadBlock:
            return RequestKind::Read;
        case kSubWriteBlock:
            return RequestKind::Write;
        case kSubApply:
            return RequestKind::Apply;
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

PanelProtocol::PanelProtocol(const PanelIdentity& identity, const ConfigImage& blocks, const PanelFaults& faults)
    : identity_(identity), blocks_(blocks), faults_(faults)
{
}

Reply PanelProtocol::Handle(std::span<const std::uint8_t> request)
{
    // Damaged frames and frames for other panels get no answer, as on any bus.
    if (silent_ || request.size() < kPlainRequest || Crc16Modbus(request) != 0
        || request[kPosAddress] != identity_.address) {
        return {};
    }
    // A frame that ended by silence before the length its function implies is
    // a torn request, even if its last bytes happen to pass the CRC.
    const std::size_t expected = ExpectedRequestLength(request);
    if (expected != 0 && expected != request.size()) {
        return {};
    }
    const std::optional<RequestKind> kind = KindOf(request);
    if (kind && faults_.NoAnswerTo(*kind)) {
        return {};
    }
    return Finish(Execute(kind, request));
}

PanelProtocol::Answer PanelProtocol::Execute(std::optional<RequestKind> kind, std::span<const std::uint8_t> request)
{
    const std::uint8_t address = identity_.address;
    const std::uint8_t function = request[kPosFunction];
    if (!kind) {
        return {kind, {address, static_cast<std::uint8_t>(function | kExceptionBit), kExIllegalFunction}, {}};
    }
    switch (*kind) {
    case RequestKind::Ident: {
        const IdentBytes ident = faults_.ident.value_or(IdentOf(identity_.model));
        std::vector<std::uint8_t> bytes{address, function};
        bytes.insert(bytes.end(), ident.begin(), ident.end());
        return {kind, bytes, {}};
    }
    case RequestKind::Poll:
        if (pendingBusy_ > 0) {
            --pendingBusy_;
            return {kind, {address, static_cast<std::uint8_t>(function | kExceptionBit), kExBusy}, {}};
        }
        return {kind, {address, function}, {}};
    default:
        return ConfigRequest(*kind, request);
    }
}

PanelProtocol::Answer PanelProtocol::ConfigRequest(RequestKind kind, std::span<const std::uint8_t> request)
{
    const std::uint8_t address = identity_.address;
    const auto exception = [&](std::uint8_t code) {
        return Answer{kind, {address, static_cast<std::uint8_t>(kFnConfig | kExceptionBit), code}, {}};
    };
    const std::size_t count = CountOf(request);
    const std::uint8_t sub = request[kPosSub];

    if (kind == RequestKind::Info || kind == RequestKind::Apply) {
        if (count != 1) {
            return exception(kExIllegalValue);
        }
        if (kind == RequestKind::Apply) {
            return {kind, {address, kFnConfig, faults_.applyResult}, {}};
        }
        return {kind,
            {address, kFnConfig, 0x00, 0x04, sub, identity_.firmwareMajor, identity_.firmwareMinor,
                identity_.revision},
            {}};
    }

    // Reads and writes name a block; the panel keeps blocks 0..6 only.
    if (count < 2) {
        return exception(kExIllegalValue);
    }
    const unsigned block = request[kPosBlock];
    if (block >= kPanelBlocks) {
        return exception(kExIllegalAddress);
    }
    const BlockId id = static_cast<BlockId>(block);
    const std::size_t length = Block(id).length;

    if (kind == RequestKind::Read) {
        if (count != 2) {
            return exception(kExIllegalValue);
        }
        const std::size_t answerCount = length + 2;
        std::vector<std::uint8_t> bytes{address, kFnConfig, static_cast<std::uint8_t>(answerCount >> 8),
            static_cast<std::uint8_t>(answerCount & 0xFFU), sub, static_cast<std::uint8_t>(block)};
        const auto data = BlockData(blocks_, id);
        bytes.insert(bytes.end(), data.begin(), data.end());
        return {kind, bytes, block};
    }

    if (count != length + 2) {
        return exception(kExIllegalValue);
    }
    const auto data = request.subspan(kPosWriteData, length);
    std::copy(data.begin(), data.end(), BlockData(blocks_, id).begin());
    SealBlocks(blocks_);
    ++blocksWritten_;
    pendingBusy_ = faults_.pollExceptions;
    return {kind, {address, kFnConfig, 0x00}, block};
}

Reply PanelProtocol::Finish(Answer answer)
{
    std::vector<std::uint8_t>& bytes = answer.bytes;
    if (faults_.answerAddress) {
        bytes[kPosAddress] = *faults_.answerAddress;
    }
    AppendCrc(bytes);

    const bool blockFault = answer.kind && IsBlockRequest(*answer.kind) && answer.block;
    if ((blockFault && faults_.badCrcBlock == answer.block) || (answer.kind && faults_.BadCrcTo(*answer.kind))) {
        bytes.back() ^= 0xFFU;
    }
    if (faults_.cut && answer.kind == faults_.cut->kind) {
        bytes.resize(std::min(bytes.size(), faults_.cut->keep));
    }

    Reply reply;
    reply.bytes.assign(faults_.garbageBytes, kGarbage);
    reply.bytes.insert(reply.bytes.end(), bytes.begin(), bytes.end());
    reply.delay = faults_.lateBy;
    ++answers_;
    if ((blockFault && faults_.silentAfterBlock == answer.block) || faults_.silentAfterAnswers == answers_) {
        silent_ = true;
    }
    reply.vanish = blockFault && faults_.vanishAfterBlock == answer.block;
    return reply;
}

} // namespace glt::sim
