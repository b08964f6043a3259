// gltcfg's device commands against the virtual panel on a real
// pseudo-terminal.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "document/config_file.hpp"
#include "document/file_header.hpp"
#include "sim_process.hpp"
#include "support/gltcfg_run.hpp"
#include "support/temp_dir.hpp"

namespace glt::test {
namespace {

void SaveImage(const std::string& path, const ConfigImage& image, std::int32_t wide = 0)
{
    WriteConfigFile(path, MakeFileHeader(wide, std::chrono::system_clock::now()), image);
}

bool SameData(const ConfigImage& a, const ConfigImage& b, BlockId id)
{
    const auto da = BlockData(a, id);
    const auto db = BlockData(b, id);
    return std::equal(da.begin(), da.end(), db.begin());
}

std::size_t Requests(const std::string& log)
{
    std::size_t count = 0;
    for (const sim::LoggedFrame& frame : sim::ReadFrameLog(log)) {
        count += frame.direction == "RX" ? 1 : 0;
    }
    return count;
}

std::vector<std::string> Line(const sim::SimProcess& panel, std::vector<std::string> args)
{
    args.insert(args.end(), {"--port", panel.DevicePath()});
    return args;
}

// Runs gltcfg with its standard input and output on a terminal of its own;
// answer is typed once the question has appeared.
ToolResult RunOnTerminal(const std::vector<std::string>& args, const std::string& answer)
{
    const std::string program = std::getenv("GLTCFG");
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ToolResult result;
    std::string seen;
    bool answered = false;
    for (;;) {
        pollfd in{terminal, POLLIN, 0};
        if (poll(&in, 1, 5000) <= 0) {
            break;
        }
        char chunk[512];
        const ssize_t count = read(terminal, chunk, sizeof chunk);
        if (count <= 0) {
            break;
        }
        seen.append(chunk, static_cast<std::size_t>(count));
        if (!answered && seen.find("[yes/no]") != std::string::npos) {
            const std::string line = answer + "\n";
            EXPECT_EQ(write(terminal, line.data(), line.size()), static_cast<ssize_t>(line.size()));
            answered = true;
        }
    }
    close(terminal);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = seen; // the terminal carries both streams
    return result;
}

// Points the panels' registry at a folder of the test's own while it lives.
class PrivateRuntimeDir {
public:
    explicit PrivateRuntimeDir(const std::filesystem::path& folder)
    {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
            old_ = old;
        }
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    ~PrivateRuntimeDir()
    {
        if (old_) {
            ::setenv("XDG_RUNTIME_DIR", old_->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }
    PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
    PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

private:
    std::optional<std::string> old_;
};

TEST(GltcfgPorts, ListsARunningPanelUntilItStops)
{
    TempDir dir;
    // Panels of tests running alongside register elsewhere, so a terminal
    // number they reuse cannot pass for this panel still being listed.
    const PrivateRuntimeDir runtime(dir.path());
    std::string path;
    {
        sim::SimProcess panel({});
        path = panel.DevicePath();
        const ToolResult listed = RunGltcfg(dir.path(), {"ports"});
        EXPECT_EQ(listed.exitCode, 0);
        EXPECT_NE(listed.out.find(path + "\n"), std::string::npos) << listed.out;
    }
    const ToolResult after = RunGltcfg(dir.path(), {"ports"});
    EXPECT_EQ(after.out.find(path + "\n"), std::string::npos) << after.out;
}

TEST(GltcfgRead, WritesThePanelsBlocksAndItsKind)
{
    TempDir dir;
    SaveImage(dir.File("panel.cfg"), NumberedImage(3));
    sim::SimProcess panel({"--model", "ГЛТ-09", "--from", dir.File("panel.cfg")});

    const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"read", "out.cfg"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const LoadedConfig out = ReadConfigFile(dir.File("out.cfg"));
    EXPECT_EQ(out.wideDisplay, 1);
    for (unsigned b = 0; b < 7; ++b) {
        EXPECT_TRUE(SameData(out.image, NumberedImage(3), static_cast<BlockId>(b))) << "block " << b;
    }
}

TEST(GltcfgRead, ExistingFileKeepsItsNetworkLists)
{
    TempDir dir;
    SaveImage(dir.File("panel.cfg"), NumberedImage(3));
    SaveImage(dir.File("out.cfg"), NumberedImage(90));
    sim::SimProcess panel({"--from", dir.File("panel.cfg")});

    ASSERT_EQ(RunGltcfg(dir.path(), Line(panel, {"read", "out.cfg"})).exitCode, 0);
    const LoadedConfig out = ReadConfigFile(dir.File("out.cfg"));
    EXPECT_TRUE(SameData(out.image, NumberedImage(3), BlockId::CrossBar));
    for (const BlockId id : {BlockId::NetRequests, BlockId::NetReceipts, BlockId::NetResets}) {
        EXPECT_TRUE(SameData(out.image, NumberedImage(90), id)) << Block(id).name;
    }
}

TEST(GltcfgRead, FailedReadLeavesTheFileAsItWas)
{
    TempDir dir;
    SaveImage(dir.File("out.cfg"), NumberedImage(90));
    const std::vector<std::uint8_t> before = ReadBytes(dir.File("out.cfg"));
    sim::SimProcess panel({"--fault-bad-crc-block", "3"});

    const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"read", "out.cfg"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Ошибка I/O.\n");
    EXPECT_EQ(ReadBytes(dir.File("out.cfg")), before);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"out.cfg"});
}

TEST(GltcfgWrite, YesSendsEveryBlock)
{
    TempDir dir;
    SaveImage(dir.File("in.cfg"), NumberedImage(40));
    sim::SimProcess panel({"--save", dir.File("stored.cfg")});

    const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"write", "in.cfg", "--yes"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(panel.Stop(), 0);
    const ConfigImage stored = ReadConfigFile(dir.File("stored.cfg")).image;
    for (unsigned b = 0; b < 7; ++b) {
        EXPECT_TRUE(SameData(stored, NumberedImage(40), static_cast<BlockId>(b))) << "block " << b;
    }
}

TEST(GltcfgWrite, WithoutTerminalOrYesNothingIsSent)
{
    TempDir dir;
    SaveImage(dir.File("in.cfg"), NumberedImage(40));
    const std::string log = dir.File("panel.log");
    sim::SimProcess panel({"--log", log});

    const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"write", "in.cfg"}), "yes\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err, "");
    EXPECT_EQ(Requests(log), 0U);
}

TEST(GltcfgWrite, TerminalAnswerDecides)
{
    TempDir dir;
    SaveImage(dir.File("in.cfg"), NumberedImage(40));
    for (const auto& [answer, sent] : std::vector<std::pair<std::string, bool>>{{"no", false}, {"y", false},
             {"yes", true}}) {
        const std::string log = dir.File("panel-" + answer + ".log");
        sim::SimProcess panel({"--log", log});
        const ToolResult r = RunOnTerminal(Line(panel, {"write", dir.File("in.cfg")}), answer);
        EXPECT_NE(r.out.find("Передать данные программирования? [yes/no]"), std::string::npos) << r.out;
        EXPECT_EQ(r.exitCode, sent ? 0 : 1) << answer << ": " << r.out;
        // Identification, device information, then 7 writes with one poll each.
        EXPECT_EQ(Requests(log), sent ? 16U : 0U) << answer;
    }
}

TEST(GltcfgWrite, OldFirmwareIsRefusedWithTheVersionMessage)
{
    TempDir dir;
    SaveImage(dir.File("in.cfg"), NumberedImage(40));
    sim::SimProcess panel({"--firmware", "1.4"});
    const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"write", "in.cfg", "--yes"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Конфликт версий ПО - требуется программатор v1.40.\n");
}

TEST(GltcfgApply, ResultCodeOneIsAFailure)
{
    TempDir dir;
    for (const auto& [code, exitCode, err] : std::vector<std::tuple<std::string, int, std::string>>{
             {"0", 0, ""}, {"1", 1, "Программирование не запускалось.\n"}, {"2", 0, ""}}) {
        sim::SimProcess panel({"--fault-apply-result", code});
        const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"apply"}));
        EXPECT_EQ(r.exitCode, exitCode) << code;
        EXPECT_EQ(r.err, err) << code;
    }
}

TEST(GltcfgInfo, PrintsCaptionAndTheThreeLines)
{
    TempDir dir;
    sim::SimProcess panel({"--address", "12", "--firmware", "1.4", "--revision", "171"});
    const ToolResult r = RunGltcfg(dir.path(), Line(panel, {"info", "--address", "12", "--baud", "115200",
                                                       "--stop-bits", "1", "--parity", "even"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Информация об устройстве №12  (" + panel.DevicePath() + ")\n"
                     "—  Тип прибора:            ГЛТ-07\n"
                     "—  Firmware version:     1.4\n"
                     "—  Hardware revision:    0xAB\n");
}

TEST(GltcfgDevice, FailuresGoToStderrWithExitOne)
{
    TempDir dir;
    sim::SimProcess panel({"--address", "2"});
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::string prefix = "Устройство № 1  (" + panel.DevicePath() + ")  ";
    for (const Case& c : std::vector<Case>{
             {{"info", "--port", "/dev/glt-missing"}, "Невозможно открыть порт /dev/glt-missing.\n"},
             {Line(panel, {"info"}), prefix + "не отвечает на запросы.\n"},
             {Line(panel, {"apply", "--address", "300"}), "Адрес устройства \"300\" должен быть числом от 1 до 255.\n"},
             {Line(panel, {"write", "missing.cfg", "--yes"}), ""},
         }) {
        const ToolResult r = RunGltcfg(dir.path(), c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args[0];
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err);
        } else {
            EXPECT_NE(r.err, "");
        }
    }
    EXPECT_EQ(RunGltcfg(dir.path(), Line(panel, {"info", "--baud", "1234"})).exitCode, 2);
}

} // namespace
} // namespace glt::test
