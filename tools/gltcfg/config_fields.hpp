#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "document/config_image.hpp"
#include "document/document.hpp"

namespace glt::cli {

// Every field of one block by name and meaning, decoded by the block's codec.
// The same decoding serves export, the agreement check of import and diff.
nlohmann::ordered_json FieldsOf(BlockId block, const Document& doc);

// A caption of the system without its padding blanks.
std::string Trimmed(std::string_view caption);

// "Отсутствует", "Четный", "Нечетный"; empty for an undefined parity code.
std::string ParityCaption(std::uint8_t lineFormat);

} // namespace glt::cli
