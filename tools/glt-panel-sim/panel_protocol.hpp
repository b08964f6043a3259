#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "document/config_image.hpp"
#include "panel_faults.hpp"
#include "panel_frames.hpp"

namespace glt::sim {

struct PanelIdentity {
    DeviceKind model = DeviceKind::Glt07;
    std::uint8_t firmwareMajor = 1;
    std::uint8_t firmwareMinor = 6;
    std::uint8_t revision = 0;
    std::uint8_t address = 1;
};

IdentBytes IdentOf(DeviceKind kind);

// The kind of a request that passed the CRC check; none for a function or
// sub-function the panel does not know.
std::optional<RequestKind> KindOf(std::span<const std::uint8_t> request);

// What goes back on the line for one request.
struct Reply {
    std::vector<std::uint8_t> bytes;     // empty: the panel stays silent
    std::chrono::milliseconds delay{0};  // held back before it is sent
    bool vanish = false;                 // the line goes away after it
};

// The panel's side of the protocol: takes one request frame as recognised on
// the line and gives its answer, working on the panel's own blocks 0..6.
// Free of any operating-system call so it can be fuzzed and built anywhere.
class PanelProtocol {
public:
    PanelProtocol(const PanelIdentity& identity, const ConfigImage& blocks, const PanelFaults& faults);

    Reply Handle(std::span<const std::uint8_t> request);

    // The panel's blocks; written blocks replace their data, CRC slots sealed.
    const ConfigImage& Blocks() const { return blocks_; }
    std::size_t BlocksWritten() const { return blocksWritten_; }

private:
    struct Answer {
        std::optional<RequestKind> kind;    // none for a request the panel does not know
        std::vector<std::uint8_t> bytes;    // without CRC
        std::optional<unsigned> block;      // set for the reads and writes of a block
    };

    Answer Execute(std::optional<RequestKind> kind, std::span<const std::uint8_t> request);
    Answer ConfigRequest(RequestKind kind, std::span<const std::uint8_t> request);
    Reply Finish(Answer answer);

    PanelIdentity identity_;
    ConfigImage blocks_;
    PanelFaults faults_;
    unsigned pendingBusy_ = 0;
    std::size_t blocksWritten_ = 0;
    std::size_t answers_ = 0;
    bool silent_ = false;
};

} // namespace glt::sim
