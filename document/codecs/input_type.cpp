#include "document/codecs/input_type.hpp"

#include <algorithm>
#include <stdexcept>

#include "document/bit_array.hpp"

namespace glt {
namespace {

constexpr int kFillButtonXDiscreteOnly = 225;
constexpr int kFillButtonXWithModbus = 435;

unsigned CheckedTag(unsigned tag)
{
    if (tag >= kInputCount) {
        throw std::out_of_range("input tag out of range");
    }
    return tag;
}

} // namespace

std::string_view ContactCaption(ContactType type)
{
    return type == ContactType::NormallyClosed ? " Н.З." : " Н.Р.";
}

int ContactPicture(ContactType type)
{
    return type == ContactType::NormallyClosed ? kPictureNormallyClosed : kPictureNormallyOpen;
}

ContactType InputContact(const ConfigImage& image, unsigned tag)
{
    return static_cast<ContactType>(TestBit(CheckedTag(tag), BlockData(image, BlockId::InputType)));
}

ContactType ToggleInputContact(ConfigImage& image, unsigned tag)
{
    const auto block = BlockData(image, BlockId::InputType);
    const int inverted = TestBit(CheckedTag(tag), block) ^ 1;
    SetBit(tag, block, inverted);
    return static_cast<ContactType>(inverted);
}

void FillInputType(ConfigImage& image, ContactType type, bool modbusMaster)
{
    const auto block = BlockData(image, BlockId::InputType);
    const std::uint8_t value = type == ContactType::NormallyClosed ? 0xFF : 0x00;
    const std::size_t count = modbusMaster ? block.size() : kDiscreteInputBytes;
    std::fill_n(block.begin(), count, value);
}

InputsLayout InputsLayoutFor(bool modbusMaster)
{
    return {modbusMaster, modbusMaster ? kFillButtonXWithModbus : kFillButtonXDiscreteOnly};
}

void DefaultInputType(Document& doc)
{
    const auto block = BlockData(doc.image, BlockId::InputType);
    std::fill(block.begin(), block.end(), std::uint8_t{0});
}

} // namespace glt
