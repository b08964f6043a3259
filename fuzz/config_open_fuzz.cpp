// Any bytes as a configuration file: the open command either takes the file
// whole or refuses it, and a refused file leaves the document as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>

#include "document/config_file.hpp"
#include "document/document_commands.hpp"
#include "document/error.hpp"
#include "fuzz_harness.hpp"

namespace {

using namespace glt;

std::string ScratchFile()
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    return (dir / ("glt-open-fuzz-" + std::to_string(getpid()) + ".cfg")).string();
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    fuzz::Require(f != nullptr, "scratch file cannot be created");
    fuzz::Require(size == 0 || std::fwrite(data, 1, size, f) == size, "scratch file cannot be written");
    std::fclose(f);
}

// What the open rules say about these bytes, worked out independently of the parser.
bool ShouldOpen(std::span<const std::uint8_t> bytes)
{
    for (const OldFormat& old : kOldFormats) {
        if (bytes.size() == old.fileSize) {
            return false;
        }
    }
    if (bytes.size() < kConfigFileSize) {
        return false;
    }
    // Read here by hand, not through the header decoder this checks.
    const std::size_t at = header_layout::Version.offset;
    const std::int32_t version = static_cast<std::int32_t>(
        bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    return version == FormatVersion && VerifyBlocks(bytes.subspan<kImageFileOffset, kImageSize>());
}

bool IsRefusalText(const std::string& text)
{
    return text == kDamagedFile || text.rfind("Несоответствие версии файла и программатора, файл v", 0) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = ScratchFile();
    WriteFile(path, data, size);
    const std::span<const std::uint8_t> bytes(data, size);

    Document doc;
    doc.image.fill(0xA5);
    doc.state.WideDisplay = 7;
    doc.state.DocumentFileName = "before.cfg";
    const Document before = doc;

    fuzz::HeadlessShell shell;
    shell.path = path;
    fuzz::CountingPages pages;
    DocumentCommands commands(doc, pages, shell);

    bool opened = true;
    try {
        commands.SBLoadFileClick();
    } catch (const Error& e) {
        opened = false;
        fuzz::Require(IsRefusalText(e.what()), "refusal with an unexpected message");
    }

    fuzz::Require(opened == ShouldOpen(bytes), "open decision differs from the file rules");
    if (!opened) {
        fuzz::Require(doc.image == before.image, "refused file changed the image");
        fuzz::Require(doc.state.WideDisplay == before.state.WideDisplay, "refused file changed WideDisplay");
        fuzz::Require(doc.state.DocumentFileName == before.state.DocumentFileName, "refused file changed the name");
        fuzz::Require(!doc.state.HasFileName, "refused file set HasFileName");
        fuzz::Require(shell.captions.empty() && shell.statusTexts.empty(), "refused file changed window texts");
        fuzz::Require(pages.Calls() == 0, "refused file redrew the pages");
        return 0;
    }
    fuzz::Require(std::memcmp(doc.image.data(), data + kImageFileOffset, kImageSize) == 0,
        "opened image differs from the file");
    fuzz::Require(doc.state.WideDisplay == static_cast<std::int8_t>(data[header_layout::WideDisplay.offset]),
        "WideDisplay not from its header byte");
    fuzz::Require(doc.state.HasFileName && doc.state.DocumentFileName == path, "file name not taken");
    fuzz::Require(pages.Calls() == static_cast<int>(kRefreshOrder.size()), "pages not refreshed once each");
    fuzz::Require(shell.captions.size() == 1, "caption not set once");
    return 0;
}
