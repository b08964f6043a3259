#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace glt::cli {

struct JsonDifference {
    std::string path; // "DevConfig.windowCount", "CrossBar.activeOutputs[4]"
    nlohmann::ordered_json before; // null when the member exists only on one side
    nlohmann::ordered_json after;
};

// The leaves at which two decoded configurations differ, in document order.
// Array elements are numbered from 1, as inputs, relays and windows are.
std::vector<JsonDifference> DiffJson(const nlohmann::ordered_json& a, const nlohmann::ordered_json& b, const std::string& path = "");

} // namespace glt::cli
