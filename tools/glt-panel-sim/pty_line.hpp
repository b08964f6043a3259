#pragma once

#include <chrono>
#include <string>

namespace glt::sim {

// The panel's end of the line: the master side of a pseudo-terminal whose
// slave device the tool opens as its serial port. The panel keeps a slave
// descriptor of its own open, so the master never reads as hung up while the
// tool has the port closed, and sets it raw before anyone else opens it.
class PtyLine {
public:
    PtyLine(); // throws glt::Error when no terminal can be had
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    const std::string& DevicePath() const { return path_; }
    int Fd() const { return master_; }
    // Waits until the tool has read everything sent to it, at most limit.
    void WaitDelivered(std::chrono::milliseconds limit) const;
    // Closes both ends: the tool's port reads as hung up.
    void Close();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

} // namespace glt::sim
