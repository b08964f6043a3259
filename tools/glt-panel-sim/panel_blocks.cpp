#include "panel_blocks.hpp"

#include <algorithm>
#include <chrono>

#include "document/codec_page_table.hpp"
#include "document/codecs/dev_config.hpp"
#include "document/config_file.hpp"
#include "document/document.hpp"

namespace glt::sim {

ConfigImage LoadPanelBlocks(const std::string& from, DeviceKind model)
{
    ConfigImage blocks{};
    if (from.empty()) {
        Document doc = DefaultDocument();
        // A fresh panel carries the composition of the model it identifies
        // as, so a read of a ГЛТ-09 shows that model rather than a
        // combination no model has.
        const auto row = std::ranges::find(ModelTable, ModelName(model), &ModelRow::model);
        ApplyModel(doc, static_cast<std::size_t>(row - ModelTable.begin()));
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
