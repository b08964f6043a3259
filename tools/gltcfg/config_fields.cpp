#include "config_fields.hpp"

#include "document/codecs/cross_bar.hpp"
#include "document/codecs/dev_config.hpp"
#include "document/codecs/disp_settings.hpp"
#include "document/codecs/external_net.hpp"
#include "document/codecs/input_type.hpp"
#include "document/codecs/mbus_settings.hpp"
#include "document/codecs/out_data_base.hpp"

namespace glt::cli {
namespace {

using json = nlohmann::ordered_json;

json DevConfigFields(const Document& doc)
{
    const auto data = BlockData(doc.image, BlockId::DevConfig);
    const auto model = FindModel(doc);
    return {
        {"model", model ? json(ModelTable[*model].model) : json(nullptr)},
        {"composition", model ? json(ModelTable[*model].composition) : json(nullptr)},
        {"inputModules", data[devcfg::kInputModules]},
        {"relayModules", data[devcfg::kRelayModules]},
        {"windowCount", data[devcfg::kWindowCount]},
        {"windowCaption", WindowCaption(data[devcfg::kWindowCount])},
        {"fixConfig", TestOption(doc, devcfg::kFixConfigBit)},
        {"modbusMaster", TestOption(doc, devcfg::kModbusMasterBit)},
        {"lineControl", data[devcfg::kLinkTimeout] != 0},
        {"linkTimeoutSeconds", data[devcfg::kLinkTimeout]},
    };
}

json MBusFields(const Document& doc)
{
    const auto data = BlockData(doc.image, BlockId::MBusSettings);
    const auto row = FindBaudRate(data[mbus::kRateCode]);
    const std::string parity = ParityCaption(data[mbus::kLineFormat]);
    return {
        {"netAddress", data[mbus::kNetAddress]},
        {"baudRate", row ? json(Trimmed(BaudRateTable[*row].text)) : json(nullptr)},
        {"rateCode", data[mbus::kRateCode]},
        {"rateParamA", data[mbus::kRateParamA]},
        {"rateParamB", data[mbus::kRateParamB]},
        {"stopBits", DecodeLineFormat(data[mbus::kLineFormat]).twoStopBits ? 2 : 1},
        {"parity", parity.empty() ? json(nullptr) : json(parity)},
    };
}

json InputTypeFields(const Document& doc)
{
    json inputs = json::array();
    for (unsigned tag = 0; tag < kInputCount; ++tag) {
        inputs.push_back(Trimmed(ContactCaption(InputContact(doc.image, tag))));
    }
    return {{"contacts", inputs}};
}

std::string_view AssignKindName(AssignKind kind)
{
    switch (kind) {
    case AssignKind::Window: return "window";
    case AssignKind::RelayAck: return "relayAck";
    case AssignKind::RelayReset: return "relayReset";
    default: return "none";
    }
}

json InputAssignFields(const Document& doc)
{
    json inputs = json::array();
    for (const std::uint8_t code : AssignCodes(doc.image)) {
        const AssignValue value = AssignFromCode(code);
        json item = {{"kind", AssignKindName(value.kind)}};
        if (value.kind != AssignKind::None) {
            item["number"] = value.number;
        }
        inputs.push_back(item);
    }
    return {{"inputs", inputs}};
}

json DispFields(const Document& doc)
{
    json windows = json::array();
    for (std::size_t w = 0; w < kWindowCount; ++w) {
        windows.push_back(ClassCaption(WindowClass(doc.image, w)));
    }
    return {{"windows", windows}};
}

json ExternalInputField(const ConfigImage& image, std::size_t relay, int column)
{
    const std::uint8_t value = ExternalInput(image, relay, column);
    return value < kCrossBarInputs ? json(value + 1) : json(nullptr);
}

json OutDataBaseFields(const Document& doc)
{
    json relays = json::array();
    for (std::size_t relay = 1; relay <= kRelayCount; ++relay) {
        const std::uint8_t settings = RelaySettings(doc.image, relay);
        auto bit = [settings](unsigned n) { return ((settings >> n) & 1U) != 0; };
        relays.push_back({
            {"type", Trimmed(OutputTypeCaption(RelayType(doc.image, relay)))},
            {"ackPanel", bit(kAckPanelBit)},
            {"ackModbus", bit(kAckModbusBit)},
            {"ackExternalInput", ExternalInputField(doc.image, relay, kColAckExternal)},
            {"resetPanel", bit(kResetPanelBit)},
            {"resetModbus", bit(kResetModbusBit)},
            {"resetExternalInput", ExternalInputField(doc.image, relay, kColResetExternal)},
        });
    }
    return {{"relays", relays}};
}

json CrossBarFields(const Document& doc)
{
    json inputs = json::array();
    for (int input = 1; input <= kCrossBarInputs; ++input) {
        json outputs = json::array();
        for (int output = 1; output <= kCrossBarOutputs; ++output) {
            if (OutputActive(doc.image, input, output)) {
                outputs.push_back(output);
            }
        }
        inputs.push_back(outputs);
    }
    return {{"activeOutputs", inputs}};
}

json RequestFields(const Document& doc)
{
    const ConstEntryList16 list = NetRequests(doc.image);
    const std::vector<std::string> inputTexts = InputNumberTexts(doc.image);
    json entries = json::array();
    for (std::size_t i = 0; i < EntryCount(list); ++i) {
        const NetRequest r = RequestAt(list, i);
        entries.push_back({
            {"device", r.device},
            {"function", r.function},
            {"functionText", Trimmed(FunctionText(r.function))},
            {"start", r.start},
            {"count", r.count},
            {"panelInputs", i < inputTexts.size() ? json(inputTexts[i]) : json(nullptr)},
        });
    }
    return {{"count", list[0]}, {"entries", entries}};
}

json LinkedFields(ConstEntryList16 list)
{
    json entries = json::array();
    for (std::size_t i = 0; i < EntryCount(list); ++i) {
        const LinkedEntry e = LinkedAt(list, i);
        entries.push_back({{"device", e.device}, {"address", e.address}, {"flag", e.flag}});
    }
    return {{"count", list[0]}, {"entries", entries}};
}

} // namespace

std::string Trimmed(std::string_view caption)
{
    const auto first = caption.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = caption.find_last_not_of(' ');
    return std::string(caption.substr(first, last - first + 1));
}

std::string ParityCaption(std::uint8_t lineFormat)
{
    const auto parity = DecodeLineFormat(lineFormat).parity;
    return parity ? std::string(glt::ParityCaption(*parity)) : std::string();
}

json FieldsOf(BlockId block, const Document& doc)
{
    switch (block) {
    case BlockId::DevConfig: return DevConfigFields(doc);
    case BlockId::MBusSettings: return MBusFields(doc);
    case BlockId::InputType: return InputTypeFields(doc);
    case BlockId::InputAssign: return InputAssignFields(doc);
    case BlockId::DispSettings: return DispFields(doc);
    case BlockId::OutDataBase: return OutDataBaseFields(doc);
    case BlockId::CrossBar: return CrossBarFields(doc);
    case BlockId::NetRequests: return RequestFields(doc);
    case BlockId::NetReceipts: return LinkedFields(NetReceipts(doc.image));
    case BlockId::NetResets: return LinkedFields(NetResets(doc.image));
    }
    return json::object();
}

} // namespace glt::cli
