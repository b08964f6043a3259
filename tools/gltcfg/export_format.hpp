#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "document/document.hpp"

namespace glt::cli {

// Every refusal of an import starts with this.
inline constexpr std::string_view kExportRefusal = "Неверный файл экспорта: ";

// The exported form of a configuration:
//   {"format": "glt-config", "formatVersion": 160, "wideDisplay": <-128..127>,
//    "blocks": {"<BlockName>": {"data": "<hex bytes>", "fields": {...}}, ...}}
// "data" holds every data byte of the block and is what import builds the
// image from; "fields" explains those bytes. Import accepts fields left out,
// but every field it is given must agree with the data, so an edited field
// that was not carried into the bytes is refused instead of silently lost.
// The CRCs are not exported: import seals every block again.
nlohmann::ordered_json ExportJson(const Document& doc);

// Rebuilds the image (sealed) and WideDisplay; throws glt::Error naming the
// offending member when the input is not a valid export.
Document ImportJson(const nlohmann::ordered_json& exported);

// Parses the text of an export; text that is not JSON, or holds a number no
// JSON value can carry, is refused with glt::Error.
nlohmann::ordered_json ParseExportText(const std::string& text);

} // namespace glt::cli
