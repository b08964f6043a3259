#include "document/codecs/out_data_base.hpp"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "document/bit_array.hpp"
#include "document/codecs/cross_bar.hpp"

namespace glt {
namespace {

struct TypeEntry {
    OutputType type;
    std::string_view caption;
    std::string_view fillCaption;
    std::uint8_t fillByte; // all four flags set, bits 6..7 clear
};

// In list order, which is also the order of the fill menu tags.
constexpr std::array<TypeEntry, kOutputTypeCount> kTypeList{{
    {OutputType::LightSignal, "  Световая сигнализация", "Световая", 0x3C},
    {OutputType::SoundSignal, "  Звуковая сигнализация", "Звуковая", 0x3E},
    {OutputType::Control, "  Управление", "Управление", 0x3D},
    {OutputType::ControlWithBlock, "  Управление с блок.", "Управление с блок.", 0x3F},
}};

constexpr std::uint8_t kAllFlags = (1U << kResetModbusBit) | (1U << kAckModbusBit) | (1U << kResetPanelBit)
    | (1U << kAckPanelBit);

std::size_t RelayIndex(std::size_t relay)
{
    if (relay < 1 || relay > kRelayCount) {
        throw std::out_of_range("relay out of range");
    }
    return relay - 1;
}

const TypeEntry& ListEntry(int position)
{
    if (position < 0 || position >= static_cast<int>(kTypeList.size())) {
        throw std::out_of_range("list position out of range");
    }
    return kTypeList[static_cast<std::size_t>(position)];
}

std::size_t ExternalOffset(int column)
{
    switch (column) {
    case kColAckExternal: return kAckInputOffset;
    case kColResetExternal: return kResetInputOffset;
    default: throw std::out_of_range("not an external input column");
    }
}

} // namespace

OutputType OutputTypeAtListPosition(int position) { return ListEntry(position).type; }

int ListPositionOf(OutputType type)
{
    const auto it = std::find_if(kTypeList.begin(), kTypeList.end(), [type](const TypeEntry& e) { return e.type == type; });
    return static_cast<int>(it - kTypeList.begin());
}

std::string_view OutputTypeCaption(OutputType type) { return ListEntry(ListPositionOf(type)).caption; }

std::array<std::string_view, kOutputTypeCount> OutputTypeListItems()
{
    std::array<std::string_view, kOutputTypeCount> items;
    std::transform(kTypeList.begin(), kTypeList.end(), items.begin(), [](const TypeEntry& e) { return e.caption; });
    return items;
}

RelayRowRules RowRulesFor(OutputType type)
{
    switch (type) {
    case OutputType::Control: return {false, false, true, true};
    case OutputType::ControlWithBlock: return {false, true, true, false};
    default: return {true, true, false, false};
    }
}

bool CanEditOutBaseCell(OutputType type, int column)
{
    const RelayRowRules rules = RowRulesFor(type);
    if (column >= kColAckPanel && column <= kColAckExternal) {
        return rules.ackEditable;
    }
    if (column >= kColResetPanel && column <= kColResetExternal) {
        return rules.resetEditable;
    }
    return true;
}

std::optional<unsigned> CheckBoxBit(int column)
{
    switch (column) {
    case kColAckPanel: return kAckPanelBit;
    case kColAckModbus: return kAckModbusBit;
    case kColResetPanel: return kResetPanelBit;
    case kColResetModbus: return kResetModbusBit;
    default: return std::nullopt;
    }
}

std::optional<std::uint8_t> ParseExternalInput(std::string_view text)
{
    if (text.empty()) {
        return kNoExternalInput;
    }
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    unsigned number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc{} || end != text.data() + text.size() || number < 1 || number > 64) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(number - 1);
}

std::string ExternalInputText(std::uint8_t value)
{
    return value < 64 ? std::to_string(value + 1) : std::string();
}

std::uint8_t RelaySettings(const ConfigImage& image, std::size_t relay)
{
    return BlockData(image, BlockId::OutDataBase)[kRelaySettingsOffset + RelayIndex(relay)];
}

OutputType RelayType(const ConfigImage& image, std::size_t relay)
{
    return static_cast<OutputType>(RelaySettings(image, relay) & kOutputTypeMask);
}

void SetRelayType(ConfigImage& image, std::size_t relay, OutputType type)
{
    auto& settings = BlockData(image, BlockId::OutDataBase)[kRelaySettingsOffset + RelayIndex(relay)];
    settings = static_cast<std::uint8_t>((settings & ~kOutputTypeMask) | static_cast<std::uint8_t>(type));
}

void SetRelayCheckBox(ConfigImage& image, std::size_t relay, int column, bool checked)
{
    const auto bit = CheckBoxBit(column);
    const std::size_t index = RelayIndex(relay);
    if (!bit) {
        return;
    }
    SetBit(*bit, BlockData(image, BlockId::OutDataBase).subspan(kRelaySettingsOffset + index, 1), checked ? 1 : 0);
}

std::uint8_t ExternalInput(const ConfigImage& image, std::size_t relay, int column)
{
    return BlockData(image, BlockId::OutDataBase)[ExternalOffset(column) + RelayIndex(relay)];
}

void SetExternalInput(ConfigImage& image, std::size_t relay, int column, std::uint8_t value)
{
    BlockData(image, BlockId::OutDataBase)[ExternalOffset(column) + RelayIndex(relay)] = value;
}

std::uint8_t FillByteFromTag(int tag) { return ListEntry(tag).fillByte; }

std::string_view FillCaptionFromTag(int tag) { return ListEntry(tag).fillCaption; }

void FillOutDataBase(ConfigImage& image, int tag)
{
    const std::uint8_t settings = FillByteFromTag(tag);
    const auto block = BlockData(image, BlockId::OutDataBase);
    std::fill_n(block.begin() + kRelaySettingsOffset, kRelayCount, settings);
    std::fill(block.begin() + kAckInputOffset, block.end(), kNoExternalInput);
}

void DefaultOutDataBase(Document& doc)
{
    const auto block = BlockData(doc.image, BlockId::OutDataBase);
    auto& first = block[kRelaySettingsOffset];
    first = static_cast<std::uint8_t>(first | kAllFlags);
    first = static_cast<std::uint8_t>((first & ~kOutputTypeMask) | static_cast<std::uint8_t>(OutputType::SoundSignal));
    std::fill_n(block.begin() + kRelaySettingsOffset + 1, kRelayCount - 1, first);
    std::fill(block.begin() + kAckInputOffset, block.end(), kNoExternalInput);
    for (std::size_t relay = 5; relay <= kRelayCount; ++relay) {
        SetRelayType(doc.image, relay, OutputType::LightSignal);
    }
}

RelayInputs RelayInputsFromAssignments(const ConfigImage& image)
{
    RelayInputs inputs;
    const auto assign = BlockData(image, BlockId::InputAssign);
    for (std::size_t k = 0; k < assign.size(); ++k) {
        const AssignValue value = AssignFromCode(assign[k]);
        // Codes may name relays up to 16; only the eight that exist are shown.
        if (value.number < 1 || value.number > static_cast<int>(kRelayCount)) {
            continue;
        }
        const auto relay = static_cast<std::size_t>(value.number - 1);
        if (value.kind == AssignKind::RelayAck) {
            inputs.ack[relay] = static_cast<int>(k) + 1;
        } else if (value.kind == AssignKind::RelayReset) {
            inputs.reset[relay] = static_cast<int>(k) + 1;
        }
    }
    return inputs;
}

} // namespace glt
