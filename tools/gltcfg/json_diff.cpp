#include "json_diff.hpp"

#include <algorithm>

namespace glt::cli {

using json = nlohmann::ordered_json;

std::vector<JsonDifference> DiffJson(const json& a, const json& b, const std::string& path)
{
    std::vector<JsonDifference> out;
    auto add = [&out](const std::vector<JsonDifference>& more) { out.insert(out.end(), more.begin(), more.end()); };
    auto join = [&path](const std::string& key) { return path.empty() ? key : path + "." + key; };
    if (a.is_object() && b.is_object()) {
        for (const auto& [key, value] : a.items()) {
            const auto it = b.find(key);
            add(DiffJson(value, it != b.end() ? *it : json(nullptr), join(key)));
        }
        for (const auto& [key, value] : b.items()) {
            if (!a.contains(key)) {
                add(DiffJson(json(nullptr), value, join(key)));
            }
        }
        return out;
    }
    auto numbers = [](const json& v) {
        return std::all_of(v.begin(), v.end(), [](const json& e) { return e.is_number(); });
    };
    // A list of numbers (the active outputs of an input) reads best as one value.
    if (a.is_array() && b.is_array() && !(numbers(a) && numbers(b))) {
        const std::size_t n = std::max(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            add(DiffJson(i < a.size() ? a[i] : json(nullptr), i < b.size() ? b[i] : json(nullptr),
                path + "[" + std::to_string(i + 1) + "]"));
        }
        return out;
    }
    if (a != b) {
        out.push_back({path, a, b});
    }
    return out;
}

} // namespace glt::cli
