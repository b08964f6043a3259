#include "document/codecs/cross_bar.hpp"

#include <algorithm>
#include <charconv>

#include "document/bit_array.hpp"

namespace glt {

AssignValue AssignFromCode(std::uint8_t code)
{
    for (const AssignRange& range : kAssignRanges) {
        if (code >= range.firstCode && code <= range.lastCode) {
            return {range.kind, code - range.firstCode + 1};
        }
    }
    return {AssignKind::None, 0};
}

std::string_view AssignCaption(AssignKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    return index < kAssignCaptions.size() ? kAssignCaptions[index] : kAssignCaptions[3];
}

AssignKind KindFromCaption(std::string_view caption)
{
    const auto found = std::ranges::find(kAssignCaptions, caption);
    return static_cast<AssignKind>(found - kAssignCaptions.begin());
}

int AssignNumberFromText(std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0) {
        return -1;
    }
    return value;
}

std::string_view CheckAssignNumber(AssignKind kind, int number)
{
    for (const AssignNumberRule& rule : kAssignNumberRules) {
        if (rule.kind == kind) {
            return number < rule.low || number > rule.high ? rule.refusal : std::string_view{};
        }
    }
    return {};
}

std::uint8_t AssignCodeFor(AssignKind kind, int number)
{
    switch (kind) {
    case AssignKind::Window:
        return static_cast<std::uint8_t>(number - 1);
    case AssignKind::RelayAck:
        return static_cast<std::uint8_t>(number + 99);
    case AssignKind::RelayReset:
        return static_cast<std::uint8_t>(number + 115);
    case AssignKind::None:
    case AssignKind::Unknown:
        break;
    }
    return kAssignNone;
}

std::span<std::uint8_t> AssignCodes(ConfigImage& image) { return BlockData(image, BlockId::InputAssign); }
std::span<const std::uint8_t> AssignCodes(const ConfigImage& image) { return BlockData(image, BlockId::InputAssign); }
std::span<std::uint8_t> OutputMasks(ConfigImage& image) { return BlockData(image, BlockId::CrossBar); }
std::span<const std::uint8_t> OutputMasks(const ConfigImage& image) { return BlockData(image, BlockId::CrossBar); }

bool OutputActive(const ConfigImage& image, int input, int output)
{
    const auto masks = OutputMasks(image);
    return TestBit(static_cast<unsigned>(output - 1), masks.subspan(static_cast<std::size_t>(input - 1), 1)) != 0;
}

void ToggleOutput(ConfigImage& image, int input, int output)
{
    const auto mask = OutputMasks(image).subspan(static_cast<std::size_t>(input - 1), 1);
    const auto bit = static_cast<unsigned>(output - 1);
    SetBit(bit, mask, TestBit(bit, mask) == 0 ? 1 : 0);
}

namespace {

// Codes of one half of the inputs: windows 1..32 in order, or none.
void AssignHalf(std::span<std::uint8_t> codes, bool windows)
{
    for (std::size_t k = 0; k < codes.size(); ++k) {
        codes[k] = windows ? static_cast<std::uint8_t>(k) : kAssignNone;
    }
}

} // namespace

void FillCrossBar(Document& doc, CrossBarFill fill)
{
    const auto codes = AssignCodes(doc.image);
    AssignHalf(codes.first(kModuleInputs), fill == CrossBarFill::FromInputModules);
    AssignHalf(codes.subspan(kModuleInputs), fill == CrossBarFill::FromModbus);
    std::ranges::fill(OutputMasks(doc.image), std::uint8_t{0});
}

void DefaultCrossBar(Document& doc)
{
    FillCrossBar(doc, CrossBarFill::FromInputModules);
    const auto masks = OutputMasks(doc.image);
    for (int output = 0; output < kCrossBarOutputs; ++output) {
        masks[static_cast<std::size_t>(output)] = static_cast<std::uint8_t>(1U << output);
    }
}

} // namespace glt
