#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "document/config_image.hpp"

namespace glt::test {

// A fresh folder per test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of a file in the folder as UTF-8 text, the way the program passes paths.
    std::string File(const std::string& name) const;
    // Names of everything in the folder, sorted.
    std::vector<std::string> Listing() const;

private:
    std::filesystem::path path_;
};

// Paths are UTF-8 text.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);

// An image of random bytes with every block sealed.
ConfigImage RandomSealedImage(std::mt19937& rng);

// Data bytes that tell block and position apart, sealed.
ConfigImage NumberedImage(std::uint8_t seed);

} // namespace glt::test
