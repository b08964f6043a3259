#include "support/temp_dir.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "document/utf8_path.hpp"

namespace glt::test {

TempDir::TempDir()
{
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("glt-doc-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(path_)) {
            break;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // A test may have made parts read-only; give the owner rights back first.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
            std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const
{
    return Utf8Text(path_ / Utf8Path(name));
}

std::vector<std::string> TempDir::Listing() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(Utf8Text(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(Utf8Path(path), std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out) << path;
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, {text.begin(), text.end()});
}

ConfigImage RandomSealedImage(std::mt19937& rng)
{
    ConfigImage image{};
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : image) {
        b = static_cast<std::uint8_t>(byte(rng));
    }
    SealBlocks(image);
    return image;
}

ConfigImage NumberedImage(std::uint8_t seed)
{
    ConfigImage image{};
    for (std::size_t k = 0; k < image.size(); ++k) {
        image[k] = static_cast<std::uint8_t>(seed + k * 3);
    }
    SealBlocks(image);
    return image;
}

} // namespace glt::test
