#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "document/config_image.hpp"
#include "document/document.hpp"
#include "document/file_header.hpp"

namespace glt {

// A configuration file: the header, then the image; 514 bytes.
inline constexpr std::size_t kImageFileOffset = kFileHeaderSize;
inline constexpr std::size_t kConfigFileSize = kFileHeaderSize + kImageSize;

// Older formats, recognised only by their size and refused.
struct OldFormat {
    std::uintmax_t fileSize;
    std::string_view version;
};
inline constexpr std::array<OldFormat, 2> kOldFormats{{{275, "1.20"}, {470, "1.30"}}};

inline constexpr std::string_view kDamagedFile = "Файл конфигурации поврежден";

using ConfigFileBytes = std::array<std::uint8_t, kConfigFileSize>;

// What an accepted file gives the document.
struct LoadedConfig {
    ConfigImage image{};
    std::int32_t wideDisplay = 0;
};

// "Несоответствие версии файла и программатора, файл v<V/100>.<V%100>",
// both parts truncated toward zero.
std::string VersionMismatchText(std::int32_t version);

// The open checks in their fixed order over the file's size and the bytes
// read from its start (at most 514 are looked at). Throws glt::Error with the
// refusal; a file shorter than 514 bytes that is no known old format counts
// as damaged.
LoadedConfig ParseConfigFile(std::uintmax_t fileSize, std::span<const std::uint8_t> head);

// Reads at most the first 514 bytes of the file and parses them.
LoadedConfig ReadConfigFile(std::string_view path);

// A document holding a file's image and wide flag, for programs that work on
// files without a window (it carries no file name).
Document OpenDocument(std::string_view path);

ConfigFileBytes BuildConfigFile(const FileHeader& header, const ConfigImage& image);

// Writes header and image atomically: the old file survives any failure.
void WriteConfigFile(std::string_view path, const FileHeader& header, const ConfigImage& image);

} // namespace glt
