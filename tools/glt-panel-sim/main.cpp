// glt-panel-sim: a virtual panel on a pseudo-terminal. Prints the terminal's
// device path as its first line, registers it for the tool's port list, and
// answers the tool's requests until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <iostream>

#include <CLI/CLI.hpp>

#include "document/error.hpp"
#include "frame_log.hpp"
#include "link/virtual_panel_registry.hpp"
#include "panel_blocks.hpp"
#include "panel_loop.hpp"
#include "panel_protocol.hpp"
#include "pty_line.hpp"
#include "sim_options.hpp"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnStopSignal(int) { g_stop = 1; }

// The stop signals stay blocked except while the loop waits, so none is lost
// between a check and the wait. Returns the mask to wait with.
sigset_t CatchStopSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&stopSignals, signal);
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);
    return waitMask;
}

// Keeps the panel in the port list exactly as long as it runs.
class Registration {
public:
    explicit Registration(const std::string& path) : path_(path)
    {
        try {
            glt::RegisterVirtualPanel(path_);
            registered_ = true;
        } catch (const glt::Error& error) {
            std::cerr << "glt-panel-sim: not in the port list: " << error.what() << '\n';
        }
    }
    ~Registration()
    {
        if (registered_) {
            glt::UnregisterVirtualPanel(path_);
        }
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    std::string path_;
    bool registered_ = false;
};

int Serve(const glt::sim::SimOptions& options)
{
    using namespace glt::sim;
    const sigset_t waitMask = CatchStopSignals();
    FrameLog log(options.log, PanelLoop::Clock::now());
    PanelProtocol protocol(options.identity, LoadPanelBlocks(options.from, options.identity.model), options.faults);

    PtyLine line;
    Registration registration(line.DevicePath());
    std::cout << line.DevicePath() << std::endl;

    PanelLoop loop(line.Fd(), protocol, options.line, options.emulateWire, log);
    if (loop.Run(g_stop, waitMask) == LoopEnd::Vanished) {
        // The last answer still reaches the tool, as it would have crossed
        // the wire before the panel went away; the tool gives up after 1 s.
        line.WaitDelivered(std::chrono::milliseconds(1100));
        line.Close();
    }
    if (!options.save.empty()) {
        SavePanelBlocks(options.save, protocol.Blocks(), options.identity.model);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Virtual alarm annunciator panel on a pseudo-terminal. Prints the terminal's device path on "
                 "the first line and answers as panel until SIGINT or SIGTERM."};
    glt::sim::SimOptions options;
    glt::sim::AddSimOptions(app, options);
    CLI11_PARSE(app, argc, argv);
    try {
        return Serve(options);
    } catch (const glt::Error& error) {
        std::cerr << "glt-panel-sim: " << glt::ErrorBoxText(error.what()) << '\n';
        return 1;
    }
}
