#include "fake_panel.hpp"

#include <algorithm>

#include "document/crc16.hpp"

namespace glt::test {

Bytes FakePanel::Answer(const Bytes& frame)
{
    ++frames;
    if (silentAfter && frames > *silentAfter) {
        return {};
    }
    if (frame.size() < 4 || Crc16Modbus(frame) != 0 || frame[0] != address) {
        return {};
    }
    switch (frame[1]) {
    case 0x11:
        return WithCrc({address, 0x11, slaveId[0], slaveId[1], slaveId[2], slaveId[3]});
    case 0x0E:
        ++polls;
        if (exceptionPolls > 0) {
            --exceptionPolls;
            return WithCrc({address, 0x8E, 0x06});
        }
        return WithCrc({address, 0x0E});
    case 0x46:
        break;
    default:
        return {};
    }
    const std::uint8_t sub = frame[4];
    if (sub == 0x00 && answersInfo) {
        return WithCrc({address, 0x46, 0x00, 0x04, 0x00, major, minor, revision});
    }
    if (sub == 0x03) {
        return WithCrc({address, 0x46, applyResult});
    }
    if ((sub != 0x01 && sub != 0x02) || frame[5] >= BlockTable.size()) {
        return {};
    }
    const unsigned block = frame[5];
    auto data = BlockData(memory, static_cast<BlockId>(block));
    if (sub == 0x02) {
        std::copy_n(frame.begin() + 6, data.size(), data.begin());
        written.push_back(block);
        return WithCrc({address, 0x46, 0x00});
    }
    Bytes reply{address, 0x46, 0x00, static_cast<std::uint8_t>(data.size() + 3), 0x01,
        static_cast<std::uint8_t>(block)};
    reply.insert(reply.end(), data.begin(), data.end());
    reply = WithCrc(reply);
    if (corruptBlock == block) {
        reply.back() ^= 0xFF;
    }
    return reply;
}

void FakePanel::AttachTo(FakeSerialPort& port)
{
    port.responder = [this](const Bytes& frame) { return Answer(frame); };
}

} // namespace glt::test
