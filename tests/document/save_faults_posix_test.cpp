// Saving over an existing configuration when the file system refuses part of
// the way: the user gets the reason, the old file stays byte for byte, no
// temporary file is left, and the document keeps its name and caption. Each
// case runs in a child process, because the faults are made with process-wide
// means (file-size limit, another user, a mount namespace with a small disk).
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "document/config_file.hpp"
#include "document/document_commands.hpp"
#include "document/error.hpp"
#include "support/recording_pages.hpp"
#include "support/scripted_shell.hpp"
#include "support/temp_dir.hpp"

namespace glt {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr uid_t kNobody = 65534;

// Where a case saves: the folder, the existing file in it, and the path the
// save goes to (the existing file, unless the case aims elsewhere).
struct Place {
    fs::path folder;
    fs::path oldFile;
    fs::path target;
};

// Prepares the fault in the child; a reason when this machine cannot make it.
using Setup = std::function<std::optional<std::string>(Place&)>;

struct SaveFault {
    const char* name;
    Setup setup;
    std::string reason; // the reason the error text ends with
    // Root runs the save as another user: the fault does not bind root.
    bool asNobody = false;
};

std::vector<std::uint8_t> FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines Listing(const fs::path& folder)
{
    Lines names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const Lines& lines, char separator)
{
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : std::string(1, separator)) + line;
    }
    return text;
}

// What the child saw, one line each, for the parent to check.
struct Report {
    std::string skip;
    std::string error;
    std::string expectedError;
    bool hasFileName = false;
    std::string fileName;
    std::string expectedFileName;
    std::size_t captions = 0;
    std::string pageCalls;
    bool oldFileKept = false;
    std::string listingBefore;
    std::string listingAfter;
};

std::string Serialise(const Report& r)
{
    std::ostringstream out;
    out << r.skip << '\n' << r.error << '\n' << r.expectedError << '\n' << r.hasFileName << '\n' << r.fileName << '\n'
        << r.expectedFileName << '\n' << r.captions << '\n' << r.pageCalls << '\n' << r.oldFileKept << '\n'
        << r.listingBefore << '\n' << r.listingAfter << '\n';
    return out.str();
}

Report Deserialise(const std::string& text)
{
    std::istringstream in(text);
    Report r;
    std::string flag;
    std::getline(in, r.skip);
    std::getline(in, r.error);
    std::getline(in, r.expectedError);
    std::getline(in, flag);
    r.hasFileName = flag == "1";
    std::getline(in, r.fileName);
    std::getline(in, r.expectedFileName);
    std::getline(in, flag);
    r.captions = flag.empty() ? 0 : std::stoul(flag);
    std::getline(in, r.pageCalls);
    std::getline(in, flag);
    r.oldFileKept = flag == "1";
    std::getline(in, r.listingBefore);
    std::getline(in, r.listingAfter);
    return r;
}

void WriteOldFile(const Place& place)
{
    std::mt19937 rng(5);
    const ConfigFileBytes bytes = BuildConfigFile(FileHeader{}, test::RandomSealedImage(rng));
    std::ofstream(place.oldFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The child's part: make the fault, save with "Сохранить" under the current
// name (no dialog), and look at what is left.
Report SaveUnderFault(const SaveFault& fault, const fs::path& root)
{
    Report r;
    Place place{root / "site", root / "site" / "panel.cfg", root / "site" / "panel.cfg"};
    fs::create_directories(place.folder);
    WriteOldFile(place);
    if (const auto skip = fault.setup(place)) {
        r.skip = *skip;
        return r;
    }
    const std::vector<std::uint8_t> before = FileBytes(place.oldFile);
    r.listingBefore = Joined(Listing(place.folder), '|');

    std::mt19937 rng(6);
    Document doc;
    doc.image = test::RandomSealedImage(rng);
    doc.state = {0, place.target.string(), true};
    test::RecordingPages pages;
    test::ScriptedShell shell;
    DocumentCommands commands(doc, pages, shell);

    const bool dropped = fault.asNobody && ::geteuid() == 0;
    if (dropped && ::seteuid(kNobody) != 0) {
        r.skip = "cannot act as another user";
        return r;
    }
    try {
        commands.SBSaveFileClick(true);
    } catch (const Error& e) {
        r.error = e.what();
    }
    if (dropped && ::seteuid(0) != 0) {
        r.skip = "cannot return to root";
        return r;
    }
    r.expectedError = "Не удалось сохранить файл " + place.target.string() + ": " + fault.reason;
    r.hasFileName = doc.state.HasFileName;
    r.fileName = doc.state.DocumentFileName;
    r.expectedFileName = place.target.string();
    r.captions = shell.captions.size();
    r.pageCalls = Joined(pages.calls, ',');
    r.oldFileKept = FileBytes(place.oldFile) == before && before.size() == kConfigFileSize;
    r.listingAfter = Joined(Listing(place.folder), '|');
    return r;
}

// Runs the case in a child and gives back its report.
Report InChild(const SaveFault& fault, const fs::path& root)
{
    int out[2];
    if (::pipe(out) != 0) {
        ADD_FAILURE() << "pipe";
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        const std::string text = Serialise(SaveUnderFault(fault, root));
        const bool written = ::write(out[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        // _exit: the child must not run the parent's test teardown.
        ::_exit(written ? 0 : 1);
    }
    ::close(out[1]);
    std::string text;
    char chunk[512];
    for (ssize_t n; (n = ::read(out[0], chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return Deserialise(text);
}

std::optional<std::string> ReadOnlyFolder(Place& place)
{
    // Root writes into read-only folders, so the save runs as "nobody".
    fs::permissions(place.folder.parent_path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(place.folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
            | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    return std::nullopt;
}

std::optional<std::string> TargetIsAFolder(Place& place)
{
    place.target = place.folder / "archive.cfg";
    fs::create_directory(place.target);
    std::ofstream(place.target / "inside.txt") << "kept";
    return std::nullopt;
}

std::optional<std::string> WriteCutShort(Place&)
{
    // The limit binds root too. SIGXFSZ ignored turns the excess into EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 100;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return "cannot lower the file-size limit";
    }
    return std::nullopt;
}

std::optional<std::string> FullDisk(Place& place)
{
    // A two-page disk of its own in a private mount namespace: the old file
    // takes one page, a filler the other.
    const int flags = ::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS;
    if (::unshare(flags) != 0) {
        return "no private mount namespace here";
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount("tmpfs", place.folder.c_str(), "tmpfs", 0, "size=8k") != 0) {
        return "cannot mount a small disk here";
    }
    WriteOldFile(place); // the new disk hides the one written before
    std::ofstream filler(place.folder / "filler", std::ios::binary);
    const std::string page(4096, 'x');
    while (filler.write(page.data(), static_cast<std::streamsize>(page.size())) && filler.flush()) {
    }
    return std::nullopt;
}

class SaveFaults : public ::testing::TestWithParam<SaveFault> {};

void PrintTo(const SaveFault& fault, std::ostream* out) { *out << fault.name; }

TEST_P(SaveFaults, ReportTheReasonAndKeepFileNameAndCaption)
{
    test::TempDir dir;
    const Report r = InChild(GetParam(), dir.path());
    if (!r.skip.empty()) {
        GTEST_SKIP() << r.skip;
    }
    EXPECT_EQ(r.error, r.expectedError);
    EXPECT_TRUE(r.oldFileKept);
    EXPECT_EQ(r.listingAfter, r.listingBefore) << "a temporary file was left";
    EXPECT_TRUE(r.hasFileName);
    EXPECT_EQ(r.fileName, r.expectedFileName);
    EXPECT_EQ(r.captions, 0U);
    // The write-backs have run before the file system refused.
    EXPECT_EQ(r.pageCalls, "SetDevConfig,SetMBusSettings");
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveFaults,
    ::testing::Values(SaveFault{"ReadOnlyFolder", ReadOnlyFolder, "нет доступа", true},
        SaveFault{"TargetIsAFolder", TargetIsAFolder, "это папка, а не файл"},
        SaveFault{"WriteCutShort", WriteCutShort, "файл слишком велик"},
        SaveFault{"FullDisk", FullDisk, "нет места на диске"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace glt
