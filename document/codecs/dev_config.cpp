#include "document/codecs/dev_config.hpp"

#include <algorithm>

namespace glt {

namespace {

std::span<std::uint8_t> Data(Document& doc) { return BlockData(doc.image, BlockId::DevConfig); }
std::span<const std::uint8_t> Data(const Document& doc) { return BlockData(doc.image, BlockId::DevConfig); }

} // namespace

std::optional<std::size_t> FindModel(const Document& doc)
{
    const auto data = Data(doc);
    for (std::size_t row = 0; row < ModelTable.size(); ++row) {
        const ModelRow& m = ModelTable[row];
        if (m.inputModules == data[devcfg::kInputModules] && m.relayModules == data[devcfg::kRelayModules]
            && m.windowCount == data[devcfg::kWindowCount] && m.wideDisplay == doc.state.WideDisplay) {
            return row;
        }
    }
    return std::nullopt;
}

std::string_view WindowCaption(std::uint8_t windowCount)
{
    switch (windowCount) {
    case 12: return "12 окон";
    case 16: return "16 окон";
    case 32: return "32 окна";
    default: return "";
    }
}

void ApplyModel(Document& doc, std::size_t row)
{
    const ModelRow& m = ModelTable.at(row);
    auto data = Data(doc);
    data[devcfg::kInputModules] = m.inputModules;
    data[devcfg::kRelayModules] = m.relayModules;
    data[devcfg::kWindowCount] = m.windowCount;
    doc.state.WideDisplay = m.wideDisplay;
}

bool TestOption(const Document& doc, std::uint8_t bit) { return (Data(doc)[devcfg::kOptionFlags] & bit) != 0; }

void SetOption(Document& doc, std::uint8_t bit, bool on)
{
    std::uint8_t& flags = Data(doc)[devcfg::kOptionFlags];
    flags = static_cast<std::uint8_t>(on ? (flags | bit) : (flags & ~bit));
}

std::string TimeoutItemText(int index) { return std::to_string(index + 1) + " с"; }

std::optional<int> TimeoutIndex(std::uint8_t linkTimeout)
{
    if (linkTimeout == 0 || linkTimeout > kTimeoutItemCount) {
        return std::nullopt;
    }
    return linkTimeout - 1;
}

std::uint8_t LinkTimeoutFrom(bool lineControl, int selectedIndex)
{
    if (!lineControl || selectedIndex < 0 || selectedIndex >= kTimeoutItemCount) {
        return 0;
    }
    return static_cast<std::uint8_t>(selectedIndex + 1);
}

void DefaultDevConfig(Document& doc)
{
    ApplyModel(doc, 0);
    SetOption(doc, devcfg::kFixConfigBit, true);
    SetOption(doc, devcfg::kModbusMasterBit, false);
    auto data = Data(doc);
    data[devcfg::kLinkTimeout] = 0;
    std::fill(data.begin() + devcfg::kClearedFrom, data.end(), std::uint8_t{0});
}

} // namespace glt
