#pragma once

#include <string>
#include <vector>

#include "document/document.hpp"
#include "link/connect_device.hpp"
#include "link/device_commands.hpp"
#include "link/modbus.hpp"
#include "support/recorders.hpp"
#include "support/temp_dir.hpp"
#include "sim_process.hpp"

namespace glt::test {

// A configuration file in the temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& suffix);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The tool's side as the main window builds it, over the real serial back
// end, against a glt-panel-sim on a real pseudo-terminal that logs every
// frame.
struct PanelRig {
    explicit PanelRig(std::vector<std::string> simOptions);

    // Each runs one device command; the error's message, empty on success.
    std::string Read();
    std::string Write();
    std::string Apply();
    std::string Info();

    // The frames the panel received (RX) or sent (TX), in order.
    std::vector<sim::LoggedFrame> Frames(const std::string& direction) const;
    // How many requests of this function (and sub-function, for 0x46) the
    // panel received.
    std::size_t CountRequests(std::uint8_t function, int sub = -1) const;
    // True when the port is closed and another program can open it.
    bool PortFree();

    TempFile log{".log"};
    sim::SimProcess sim;
    Document doc;
    RecordingFeedback feedback;
    ScriptedShell shell{feedback};
    RecordingPageTable pages;
    TModbus modbus;
    DeviceCommands commands;
    ConnectionSettings settings;
    std::string address = "1";
};

} // namespace glt::test
