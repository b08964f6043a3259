#include "document/config_file.hpp"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "document/error.hpp"
#include "document/file_error.hpp"
#include "document/platform/atomic_write.hpp"
#include "document/utf8_path.hpp"

namespace glt {
namespace {

constexpr std::string_view kOpenFailed = "Не удалось открыть файл";
constexpr std::string_view kVersionPrefix = "Несоответствие версии файла и программатора, файл v";

} // namespace

std::string VersionMismatchText(std::int32_t version)
{
    // C++ division truncates toward zero, as the message requires; a negative
    // version therefore prints a negative remainder too (-150 is v-1.-50).
    return std::string(kVersionPrefix) + std::to_string(version / 100) + "." + std::to_string(version % 100);
}

LoadedConfig ParseConfigFile(std::uintmax_t fileSize, std::span<const std::uint8_t> head)
{
    for (const OldFormat& old : kOldFormats) {
        if (fileSize == old.fileSize) {
            throw Error(std::string(kVersionPrefix) + std::string(old.version));
        }
    }
    if (head.size() < kConfigFileSize) {
        throw Error(std::string(kDamagedFile));
    }
    const FileHeader header = DecodeFileHeader(head.first<kFileHeaderSize>());
    if (header.Version != FormatVersion) {
        throw Error(VersionMismatchText(header.Version));
    }
    const auto imageBytes = head.subspan<kImageFileOffset, kImageSize>();
    if (!VerifyBlocks(imageBytes)) {
        throw Error(std::string(kDamagedFile));
    }
    LoadedConfig loaded;
    std::copy(imageBytes.begin(), imageBytes.end(), loaded.image.begin());
    loaded.wideDisplay = WideDisplayFromHeaderByte(header.WideDisplay);
    return loaded;
}

LoadedConfig ReadConfigFile(std::string_view path)
{
    const std::filesystem::path file = Utf8Path(path);
    auto fail = [&](std::error_code error) { throw Error(FileErrorText(kOpenFailed, path, error)); };

    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        fail(std::make_error_code(std::errc::is_a_directory));
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        const int saved = errno;
        fail(std::error_code(saved != 0 ? saved : ENOENT, std::generic_category()));
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        fail(error);
    }
    // Only the first 514 bytes matter, whatever the file's size.
    ConfigFileBytes head{};
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    if (in.bad()) {
        fail(std::make_error_code(std::errc::io_error));
    }
    const auto got = static_cast<std::size_t>(in.gcount());
    return ParseConfigFile(size, std::span<const std::uint8_t>(head.data(), got));
}

ConfigFileBytes BuildConfigFile(const FileHeader& header, const ConfigImage& image)
{
    ConfigFileBytes bytes{};
    const FileHeaderBytes headerBytes = EncodeFileHeader(header);
    std::copy(headerBytes.begin(), headerBytes.end(), bytes.begin());
    std::copy(image.begin(), image.end(), bytes.begin() + kImageFileOffset);
    return bytes;
}

void WriteConfigFile(std::string_view path, const FileHeader& header, const ConfigImage& image)
{
    const ConfigFileBytes bytes = BuildConfigFile(header, image);
    AtomicWriteFile(Utf8Path(path), bytes);
}

Document OpenDocument(std::string_view path)
{
    const LoadedConfig loaded = ReadConfigFile(path);
    Document doc;
    doc.image = loaded.image;
    doc.state.WideDisplay = loaded.wideDisplay;
    return doc;
}

} // namespace glt
