#include "panel_faults.hpp"

#include <array>

namespace glt::sim {

namespace {

constexpr std::array<std::string_view, kRequestKinds> kKindNames{"ident", "info", "read", "write", "poll", "apply"};

} // namespace

std::string_view RequestKindName(RequestKind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }

std::optional<RequestKind> ParseRequestKind(std::string_view name)
{
    for (std::size_t k = 0; k < kKindNames.size(); ++k) {
        if (kKindNames[k] == name) {
            return static_cast<RequestKind>(k);
        }
    }
    return std::nullopt;
}

} // namespace glt::sim
