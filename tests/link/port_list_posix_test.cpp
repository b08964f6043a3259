#include "link/posix/kernel_ports.hpp"

#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "document/error.hpp"
#include "link/natural_order.hpp"
#include "link/virtual_panel_registry.hpp"

namespace glt {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/glt-ports-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// A miniature /sys/class/tty: each entry a folder, with "device" when a
// driver is behind it and, for ttyS, the UART "type".
void AddTty(const fs::path& root, const std::string& name, bool device, int uartType = -1)
{
    fs::create_directories(root / name);
    if (device) {
        fs::create_directories(root / name / "device");
    }
    if (uartType >= 0) {
        std::ofstream(root / name / "type") << uartType << '\n';
    }
}

TEST(KernelPorts, ListsDevicesWithADriverAndSerialPortsWithAUart)
{
    TempFolder sys;
    AddTty(sys.Path(), "tty0", false);
    AddTty(sys.Path(), "console", false);
    AddTty(sys.Path(), "ttyS10", true, 4);
    AddTty(sys.Path(), "ttyS0", true, 4);
    AddTty(sys.Path(), "ttyS1", true, 0); // no UART behind it
    AddTty(sys.Path(), "ttyS2", true, 4);
    AddTty(sys.Path(), "ttyUSB0", true);
    AddTty(sys.Path(), "ttyACM0", true);
    AddTty(sys.Path(), "rfcomm0", true);
    EXPECT_EQ(ListKernelPorts(sys.Path(), "/dev"), (std::vector<std::string>{"/dev/rfcomm0", "/dev/ttyACM0",
        "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
    EXPECT_TRUE(ListKernelPorts(sys.Path() / "missing", "/dev").empty());
}

TEST(VirtualPanels, LinkNamesFollowTheTerminal)
{
    EXPECT_EQ(VirtualPanelLinkName("/dev/pts/3"), "pts-3");
    EXPECT_EQ(VirtualPanelLinkName("/tmp/x/tty"), "tmp-x-tty");
}

TEST(VirtualPanels, RegisteredLiveTerminalsAreListedInOrder)
{
    TempFolder root;
    const fs::path folder = root.Path() / "glt-panel-sim";
    int masters[2];
    std::string names[2];
    for (int i = 0; i < 2; ++i) {
        int slave = -1;
        char name[128] = {};
        ASSERT_EQ(openpty(&masters[i], &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        names[i] = name;
    }
    RegisterVirtualPanel(names[1], folder);
    RegisterVirtualPanel(names[0], folder);
    RegisterVirtualPanel(names[0], folder); // again: replaces its own link
    RegisterVirtualPanel("/dev/pts/99999", folder); // gone: its link dangles

    std::vector<std::string> expected{names[0], names[1]};
    std::sort(expected.begin(), expected.end(), NaturalLess);
    EXPECT_EQ(ListVirtualPanels(folder), expected);

    UnregisterVirtualPanel(names[0], folder);
    UnregisterVirtualPanel(names[0], folder); // a missing link is fine
    EXPECT_EQ(ListVirtualPanels(folder), std::vector<std::string>{names[1]});
    EXPECT_TRUE(ListVirtualPanels(root.Path() / "none").empty());
    for (int master : masters) {
        ::close(master);
    }
}

TEST(VirtualPanels, AFolderOthersMayChangeIsNotTrusted)
{
    TempFolder root;
    const fs::path folder = root.Path() / "glt-panel-sim";
    int master = -1;
    int slave = -1;
    char name[128] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    RegisterVirtualPanel(name, folder);
    ASSERT_EQ(ListVirtualPanels(folder), std::vector<std::string>{name});

    // Once anybody may add links, a link there could point the tool anywhere.
    fs::permissions(folder, fs::perms::others_write, fs::perm_options::add);
    EXPECT_TRUE(ListVirtualPanels(folder).empty());
    EXPECT_THROW(RegisterVirtualPanel(name, folder), Error);
    ::close(master);
}

TEST(VirtualPanels, TheFolderIsPerUser)
{
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string restore = saved != nullptr ? saved : "";
    ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
    EXPECT_EQ(VirtualPanelFolder(), fs::path("/run/user/1234/glt-panel-sim"));
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(VirtualPanelFolder(), fs::path("/tmp/glt-panel-sim-" + std::to_string(::getuid())));
    if (saved != nullptr) {
        ::setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
    }
}

TEST(VirtualPanels, RegisteringWhereNoFolderCanBeMadeFails)
{
    TempFolder root;
    std::ofstream(root.Path() / "file") << "x";
    EXPECT_THROW(RegisterVirtualPanel("/dev/pts/1", root.Path() / "file" / "sub"), Error);
}

} // namespace
} // namespace glt
