#include "document/platform/atomic_write.hpp"

#include <windows.h>

#include <string>
#include <system_error>

#include "document/error.hpp"
#include "document/file_error.hpp"
#include "document/utf8_path.hpp"

namespace glt {
namespace {

constexpr std::string_view kSaveFailed = "Не удалось сохранить файл";

std::error_code FromWin32(DWORD error)
{
    // The generic conditions the reasons are keyed on.
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_WRITE_PROTECT:
        return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::make_error_code(std::errc::device_or_resource_busy);
    case ERROR_FILENAME_EXCED_RANGE:
        return std::make_error_code(std::errc::filename_too_long);
    default:
        return std::error_code(static_cast<int>(error), std::system_category());
    }
}

[[noreturn]] void Fail(const std::filesystem::path& target, DWORD error)
{
    throw Error(FileErrorText(kSaveFailed, Utf8Text(target), FromWin32(error)));
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

} // namespace

void AtomicWriteFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    if (!target.has_filename()) {
        Fail(target, ERROR_ACCESS_DENIED);
    }
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(L".") : target.parent_path();

    wchar_t tempName[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(folder.c_str(), L"glt", 0, tempName) == 0) {
        Fail(target, ::GetLastError());
    }
    HANDLE file = ::CreateFileW(tempName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(tempName);
        Fail(target, error);
    }
    const bool written = WriteAll(file, bytes) && ::FlushFileBuffers(file);
    const DWORD writeError = written ? ERROR_SUCCESS : ::GetLastError();
    ::CloseHandle(file);
    if (!written) {
        ::DeleteFileW(tempName);
        Fail(target, writeError);
    }
    // The old file stays in place until the new one is complete on disk.
    if (!::MoveFileExW(tempName, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(tempName);
        Fail(target, error);
    }
}

} // namespace glt
