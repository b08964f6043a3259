#include "document/platform/atomic_write.hpp"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "document/error.hpp"
#include "document/file_error.hpp"
#include "document/utf8_path.hpp"

namespace glt {
namespace {

constexpr std::string_view kSaveFailed = "Не удалось сохранить файл";

[[noreturn]] void Fail(const std::filesystem::path& target, int error)
{
    throw Error(FileErrorText(kSaveFailed, Utf8Text(target), std::error_code(error, std::generic_category())));
}

// A new file gets the permissions an ordinary create would give it; a
// replaced file keeps its own. (umask can only be read by setting it; the
// commands run on one thread.)
mode_t ModeFor(const std::filesystem::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

// Makes the rename itself durable. The new file is already complete under
// its name when this runs, so a folder that cannot be synced changes nothing
// the user could act on.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void AtomicWriteFile(const std::filesystem::path& requested, std::span<const std::uint8_t> bytes)
{
    // Saving through a symbolic link replaces the file it points to, not the link.
    std::error_code ignored;
    const std::filesystem::path target =
        std::filesystem::is_symlink(requested, ignored) ? std::filesystem::weakly_canonical(requested, ignored) : requested;
    if (target.empty()) {
        Fail(requested, ENOENT);
    }
    if (!target.has_filename()) {
        Fail(requested, EISDIR);
    }
    // A rename would replace a file the user made read-only; writing it in
    // place would be refused, and so is this.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
        Fail(requested, errno);
    }
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();

    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        Fail(requested, errno);
    }
    const std::filesystem::path temp(pattern);
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        Fail(requested, error);
    };
    if (::fchmod(fd, ModeFor(target)) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        abandon(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        Fail(requested, error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        Fail(requested, error);
    }
    SyncFolder(folder);
}

} // namespace glt
