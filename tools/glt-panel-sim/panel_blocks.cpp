#include "panel_blocks.hpp"

#include <chrono>

#include "document/codec_page_table.hpp"
#include "document/config_file.hpp"
#include "document/document.hpp"

namespace glt::sim {

ConfigImage LoadPanelBlocks(const std::string& from)
{
    ConfigImage blocks{};
    if (from.empty()) {
        Document doc;
        CodecPageTable pages(doc);
        pages.DefaultAll();
        blocks = doc.image;
    } else {
        blocks = ReadConfigFile(from).image;
    }
    SealBlocks(blocks);
    return blocks;
}

void SavePanelBlocks(const std::string& path, const ConfigImage& blocks, DeviceKind model)
{
    ConfigImage sealed = blocks;
    SealBlocks(sealed);
    WriteConfigFile(path, MakeFileHeader(static_cast<std::int32_t>(model), std::chrono::system_clock::now()), sealed);
}

} // namespace glt::sim
