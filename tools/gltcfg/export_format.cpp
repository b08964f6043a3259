#include "export_format.hpp"

#include <string>

#include "config_fields.hpp"
#include "document/error.hpp"
#include "document/file_header.hpp"
#include "document/hex_bytes.hpp"

namespace glt::cli {
namespace {

using json = nlohmann::ordered_json;

constexpr std::string_view kFormatName = "glt-config";

[[noreturn]] void Refuse(const std::string& where, const std::string& what)
{
    throw Error(std::string(kExportRefusal) + where + " — " + what);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Hex pairs, blanks between them allowed; exactly the block's length.
void ParseHexInto(const std::string& where, const std::string& text, std::span<std::uint8_t> out)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0) {
            Refuse(where, "ожидаются шестнадцатеричные байты");
        }
        if (count == out.size()) {
            Refuse(where, "больше " + std::to_string(out.size()) + " байт");
        }
        out[count++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    if (count != out.size()) {
        Refuse(where, "нужно " + std::to_string(out.size()) + " байт, дано " + std::to_string(count));
    }
}

const json& Member(const json& object, const std::string& where, const char* name)
{
    const auto it = object.find(name);
    if (it == object.end()) {
        Refuse(where.empty() ? std::string(name) : where + "." + name, "нет такого поля");
    }
    return *it;
}

void RefuseUnknownMembers(const json& object, const std::string& where, std::initializer_list<std::string_view> known)
{
    for (const auto& [key, value] : object.items()) {
        bool found = false;
        for (const std::string_view k : known) {
            found = found || key == k;
        }
        if (!found) {
            Refuse(where.empty() ? key : where + "." + key, "неизвестное поле");
        }
    }
}

// Every given field must equal what the bytes say; the first disagreement is named.
void CheckAgreement(const json& given, const json& decoded, const std::string& where)
{
    if (given.is_object() && decoded.is_object()) {
        for (const auto& [key, value] : given.items()) {
            const auto it = decoded.find(key);
            if (it == decoded.end()) {
                Refuse(where + "." + key, "неизвестное поле");
            }
            CheckAgreement(value, *it, where + "." + key);
        }
        return;
    }
    if (given.is_array() && decoded.is_array() && given.size() == decoded.size()) {
        for (std::size_t i = 0; i < given.size(); ++i) {
            CheckAgreement(given[i], decoded[i], where + "[" + std::to_string(i + 1) + "]");
        }
        return;
    }
    if (given != decoded) {
        Refuse(where, "не совпадает с байтами блока (по байтам: " + decoded.dump() + ")");
    }
}

} // namespace

json ExportJson(const Document& doc)
{
    json blocks = json::object();
    for (const BlockInfo& info : BlockTable) {
        blocks[std::string(info.name)] = {
            {"data", HexBytes(BlockData(doc.image, info.id))},
            {"fields", FieldsOf(info.id, doc)},
        };
    }
    return {
        {"format", kFormatName},
        {"formatVersion", FormatVersion},
        {"wideDisplay", WideDisplayFromHeaderByte(static_cast<std::uint8_t>(doc.state.WideDisplay & 0xFF))},
        {"blocks", blocks},
    };
}

Document ImportJson(const json& exported)
{
    if (!exported.is_object()) {
        Refuse("документ", "ожидается объект JSON");
    }
    RefuseUnknownMembers(exported, "", {"format", "formatVersion", "wideDisplay", "blocks"});
    if (Member(exported, "", "format") != std::string(kFormatName)) {
        Refuse("format", "ожидается \"" + std::string(kFormatName) + "\"");
    }
    if (Member(exported, "", "formatVersion") != FormatVersion) {
        Refuse("formatVersion", "ожидается " + std::to_string(FormatVersion));
    }
    const json& wide = Member(exported, "", "wideDisplay");
    // A large non-negative number is kept unsigned; read signed it would wrap
    // into the range.
    const bool inRange = wide.is_number_unsigned() ? wide.get<unsigned long long>() <= 127
        : wide.is_number_integer()                 ? wide.get<long long>() >= -128 && wide.get<long long>() <= 127
                                                   : false;
    if (!inRange) {
        Refuse("wideDisplay", "ожидается целое число от -128 до 127");
    }
    const json& blocks = Member(exported, "", "blocks");
    if (!blocks.is_object()) {
        Refuse("blocks", "ожидается объект");
    }

    Document doc;
    doc.state.WideDisplay = wide.get<std::int32_t>();
    for (const auto& [key, value] : blocks.items()) {
        bool known = false;
        for (const BlockInfo& info : BlockTable) {
            known = known || key == info.name;
        }
        if (!known) {
            Refuse("blocks." + key, "неизвестный блок");
        }
    }
    for (const BlockInfo& info : BlockTable) {
        const std::string where = "blocks." + std::string(info.name);
        const json& block = Member(blocks, "blocks", std::string(info.name).c_str());
        if (!block.is_object()) {
            Refuse(where, "ожидается объект");
        }
        RefuseUnknownMembers(block, where, {"data", "fields"});
        const json& data = Member(block, where, "data");
        if (!data.is_string()) {
            Refuse(where + ".data", "ожидается строка байтов");
        }
        ParseHexInto(where + ".data", data.get<std::string>(), BlockData(doc.image, info.id));
    }
    // Fields are checked against the whole image: some decode across blocks
    // (the model needs WideDisplay, the request inputs count over the list).
    for (const BlockInfo& info : BlockTable) {
        const json& block = blocks[std::string(info.name)];
        if (const auto it = block.find("fields"); it != block.end()) {
            const std::string where = "blocks." + std::string(info.name) + ".fields";
            if (!it->is_object()) {
                Refuse(where, "ожидается объект");
            }
            CheckAgreement(*it, FieldsOf(info.id, doc), where);
        }
    }
    SealBlocks(doc.image);
    return doc;
}

nlohmann::ordered_json ParseExportText(const std::string& text)
{
    try {
        return nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        throw Error(std::string(kExportRefusal) + "это не JSON (позиция " + std::to_string(e.byte) + ")");
    } catch (const nlohmann::json::out_of_range&) {
        throw Error(std::string(kExportRefusal) + "число вне допустимого диапазона");
    }
}

} // namespace glt::cli
