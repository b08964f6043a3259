#include "document/config_image.hpp"

#include "document/crc16.hpp"

namespace glt {

std::span<std::uint8_t> BlockData(ConfigImage& image, BlockId id)
{
    const BlockInfo& info = Block(id);
    return std::span<std::uint8_t>(image).subspan(info.offset, info.length);
}

std::span<const std::uint8_t> BlockData(const ConfigImage& image, BlockId id)
{
    const BlockInfo& info = Block(id);
    return std::span<const std::uint8_t>(image).subspan(info.offset, info.length);
}

void SealBlocks(ConfigImage& image)
{
    for (const BlockInfo& info : BlockTable) {
        const std::uint16_t crc = Crc16Modbus(BlockData(image, info.id));
        image[info.offset + info.length] = static_cast<std::uint8_t>(crc & 0xFFU);
        image[info.offset + info.length + 1] = static_cast<std::uint8_t>(crc >> 8);
    }
}

bool VerifyBlocks(std::span<const std::uint8_t, kImageSize> image)
{
    for (const BlockInfo& info : BlockTable) {
        if (Crc16Modbus(image.subspan(info.offset, info.length + kCrcSize)) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace glt
