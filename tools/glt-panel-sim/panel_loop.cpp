#include "panel_loop.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

#include "document/error.hpp"

namespace glt::sim {

PanelLoop::PanelLoop(int fd, PanelProtocol& protocol, const LineFormat& line, bool emulateWire, FrameLog& log)
    : fd_(fd), protocol_(protocol), line_(line), emulateWire_(emulateWire), log_(log)
{
}

LoopEnd PanelLoop::Run(const volatile std::sig_atomic_t& stop, const sigset_t& waitMask)
{
    std::array<std::uint8_t, 512> chunk{};
    while (stop == 0) {
        const std::optional<Clock::duration> wait = WaitTime(Clock::now());
        timespec limit{};
        if (wait) {
            const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(*wait).count();
            limit.tv_sec = static_cast<time_t>(nanos / 1'000'000'000);
            limit.tv_nsec = static_cast<long>(nanos % 1'000'000'000);
        }
        pollfd line{fd_, POLLIN, 0};
        const int ready = ppoll(&line, 1, wait ? &limit : nullptr, &waitMask);
        if (ready < 0 && errno != EINTR) {
            throw Error(std::string("ppoll: ") + std::strerror(errno));
        }
        if (ready > 0 && (line.revents & POLLIN) != 0) {
            const ssize_t count = ::read(fd_, chunk.data(), chunk.size());
            const Clock::time_point now = Clock::now();
            for (ssize_t k = 0; k < count; ++k) {
                if (auto request = framer_.Push(chunk[static_cast<std::size_t>(k)])) {
                    Answer(*request, now);
                }
            }
            if (count > 0) {
                lastByte_ = now;
            }
        }
        const Clock::time_point now = Clock::now();
        if (!framer_.Empty() && now - lastByte_ >= FrameGap(line_)) {
            Answer(framer_.Flush(), lastByte_);
        }
        if (!SendDue(now)) {
            return LoopEnd::Vanished;
        }
    }
    return LoopEnd::Stopped;
}

void PanelLoop::Answer(std::span<const std::uint8_t> request, Clock::time_point arrived)
{
    log_.Write(arrived, "RX", request);
    Reply reply = protocol_.Handle(request);
    if (reply.bytes.empty() && !reply.vanish) {
        return;
    }
    // On a real line the request is still arriving when the terminal has
    // delivered it, and the answer takes its own time to cross.
    Clock::time_point due = arrived + reply.delay;
    if (emulateWire_) {
        due += WireTime(request.size(), line_) + WireTime(reply.bytes.size(), line_);
    }
    if (!pending_.empty()) {
        due = std::max(due, pending_.back().due);
    }
    pending_.push_back({due, std::move(reply.bytes), reply.vanish});
}

bool PanelLoop::SendDue(Clock::time_point now)
{
    while (!pending_.empty() && pending_.front().due <= now) {
        const Pending next = std::move(pending_.front());
        pending_.pop_front();
        Send(next.bytes);
        if (next.vanish) {
            return false;
        }
    }
    return true;
}

std::optional<PanelLoop::Clock::duration> PanelLoop::WaitTime(Clock::time_point now) const
{
    std::optional<Clock::time_point> until;
    if (!pending_.empty()) {
        until = pending_.front().due;
    }
    if (!framer_.Empty()) {
        const Clock::time_point silence = lastByte_ + FrameGap(line_);
        until = until ? std::min(*until, silence) : silence;
    }
    if (!until) {
        return std::nullopt;
    }
    return std::max(Clock::duration::zero(), *until - now);
}

void PanelLoop::Send(std::span<const std::uint8_t> bytes)
{
    log_.Write(Clock::now(), "TX", bytes);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw Error(std::string("write: ") + std::strerror(errno));
        }
        done += static_cast<std::size_t>(written);
    }
}

} // namespace glt::sim
