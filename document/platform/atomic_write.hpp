#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace glt {

// Replaces the target with the given bytes in one step: a temporary file in
// the target's folder is written, flushed to disk and renamed over the
// target. On failure the old file stays as it was, no temporary file is left
// behind, and glt::Error names the file.
void AtomicWriteFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

} // namespace glt
