#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace glt {

inline constexpr std::size_t kImageSize = 482;
inline constexpr std::size_t kCrcSize = 2;

// The whole configuration of a panel: ten blocks, each block's data followed
// by its CRC.
using ConfigImage = std::array<std::uint8_t, kImageSize>;

enum class BlockId : std::uint8_t {
    DevConfig,
    MBusSettings,
    InputType,
    InputAssign,
    DispSettings,
    OutDataBase,
    CrossBar,
    NetRequests,
    NetReceipts,
    NetResets,
};

struct BlockInfo {
    BlockId id;
    std::string_view name;
    std::size_t offset;
    std::size_t length; // data bytes; the CRC follows at offset + length
};

inline constexpr std::array<BlockInfo, 10> BlockTable{{
    {BlockId::DevConfig, "DevConfig", 0, 20},
    {BlockId::MBusSettings, "MBusSettings", 22, 7},
    {BlockId::InputType, "InputType", 31, 8},
    {BlockId::InputAssign, "InputAssign", 41, 64},
    {BlockId::DispSettings, "DispSettings", 107, 32},
    {BlockId::OutDataBase, "OutDataBase", 141, 24},
    {BlockId::CrossBar, "CrossBar", 167, 64},
    {BlockId::NetRequests, "NetRequests", 233, 81},
    {BlockId::NetReceipts, "NetReceipts", 316, 81},
    {BlockId::NetResets, "NetResets", 399, 81},
}};

constexpr const BlockInfo& Block(BlockId id) { return BlockTable[static_cast<std::size_t>(id)]; }

// Blocks follow one another without gaps and fill the image exactly.
static_assert([] {
    std::size_t next = 0;
    for (std::size_t k = 0; k < BlockTable.size(); ++k) {
        if (BlockTable[k].offset != next || static_cast<std::size_t>(BlockTable[k].id) != k) {
            return false;
        }
        next = BlockTable[k].offset + BlockTable[k].length + kCrcSize;
    }
    return next == kImageSize;
}());

std::span<std::uint8_t> BlockData(ConfigImage& image, BlockId id);
std::span<const std::uint8_t> BlockData(const ConfigImage& image, BlockId id);
// A view into a temporary image would dangle.
std::span<const std::uint8_t> BlockData(ConfigImage&& image, BlockId id) = delete;

// Stores the CRC of every block behind its data.
void SealBlocks(ConfigImage& image);

// True when every block carries its matching CRC; stops at the first mismatch.
bool VerifyBlocks(std::span<const std::uint8_t, kImageSize> image);

} // namespace glt
