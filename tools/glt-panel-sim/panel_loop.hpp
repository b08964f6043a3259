#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "frame_log.hpp"
#include "panel_protocol.hpp"
#include "request_framer.hpp"
#include "wire_time.hpp"

namespace glt::sim {

enum class LoopEnd { Stopped, Vanished };

// Serves the panel on the master side of its terminal: recognises requests,
// sends the answers at the time the emulated line would deliver them, and
// sleeps in ppoll between events, so it costs no processor time while idle.
class PanelLoop {
public:
    using Clock = std::chrono::steady_clock;

    // Without emulateWire answers go out as soon as they are due.
    PanelLoop(int fd, PanelProtocol& protocol, const LineFormat& line, bool emulateWire, FrameLog& log);

    // Runs until stop turns non-zero (signals are let in only while waiting,
    // through waitMask) or a vanish fault ends the line.
    LoopEnd Run(const volatile std::sig_atomic_t& stop, const sigset_t& waitMask);

private:
    struct Pending {
        Clock::time_point due;
        std::vector<std::uint8_t> bytes;
        bool vanish;
    };

    void Answer(std::span<const std::uint8_t> request, Clock::time_point arrived);
    bool SendDue(Clock::time_point now); // false when the line is to vanish
    // Until the next answer is due or the collected bytes end by silence;
    // none: nothing to wait for but the line.
    std::optional<Clock::duration> WaitTime(Clock::time_point now) const;
    void Send(std::span<const std::uint8_t> bytes);

    int fd_;
    PanelProtocol& protocol_;
    LineFormat line_;
    bool emulateWire_;
    FrameLog& log_;
    RequestFramer framer_;
    Clock::time_point lastByte_{};
    std::deque<Pending> pending_;
};

} // namespace glt::sim
