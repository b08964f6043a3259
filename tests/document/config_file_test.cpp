#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "document/config_file.hpp"
#include "document/error.hpp"
#include "document/utf8_path.hpp"
#include "support/temp_dir.hpp"

namespace glt {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::uint8_t> ValidFile(std::uint8_t wide = 0)
{
    std::mt19937 rng(42);
    FileHeader header;
    header.WideDisplay = wide;
    const ConfigFileBytes bytes = BuildConfigFile(header, test::RandomSealedImage(rng));
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> WithVersion(std::int32_t version)
{
    std::vector<std::uint8_t> file = ValidFile();
    for (std::size_t i = 0; i < header_layout::Version.size; ++i) {
        file[header_layout::Version.offset + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(version) >> (8 * i));
    }
    return file;
}

std::string RefusalOf(const std::vector<std::uint8_t>& file)
{
    try {
        ParseConfigFile(file.size(), file);
    } catch (const Error& e) {
        return e.what();
    }
    return "<accepted>";
}

const std::string kDamaged = "Файл конфигурации поврежден";
const std::string kMismatch = "Несоответствие версии файла и программатора, файл v";

struct VersionCase {
    std::int32_t version;
    const char* shown;
};

class VersionRefusal : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionRefusal, NamesTheVersionWithTruncatingDivision)
{
    EXPECT_EQ(RefusalOf(WithVersion(GetParam().version)), kMismatch + GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionRefusal,
    ::testing::Values(VersionCase{161, "1.61"}, VersionCase{150, "1.50"}, VersionCase{105, "1.5"},
        VersionCase{200, "2.0"}, VersionCase{0, "0.0"}, VersionCase{7, "0.7"}, VersionCase{-150, "-1.-50"},
        VersionCase{-5, "0.-5"}, VersionCase{2147483647, "21474836.47"}));

TEST(ConfigFile, OldFormatSizesAreRefusedWhateverTheContent)
{
    for (const std::uint8_t fill : {0x00, 0xA0, 0xFF}) {
        EXPECT_EQ(RefusalOf(std::vector<std::uint8_t>(275, fill)), kMismatch + "1.20");
        EXPECT_EQ(RefusalOf(std::vector<std::uint8_t>(470, fill)), kMismatch + "1.30");
    }
    // Even a valid 1.60 start does not save a file of an old size.
    std::vector<std::uint8_t> start = ValidFile();
    start.resize(470);
    EXPECT_EQ(RefusalOf(start), kMismatch + "1.30");
}

TEST(ConfigFile, ShortFilesAreDamagedWithoutReadingPastTheirEnd)
{
    const std::vector<std::uint8_t> full = ValidFile();
    for (const std::size_t size : {0, 1, 4, 31, 32, 33, 274, 276, 469, 471, 500, 513}) {
        // Each prefix is copied to a buffer of its own size, so a read past it
        // shows up under the address sanitizer.
        const std::vector<std::uint8_t> prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(RefusalOf(prefix), kDamaged) << size << " bytes";
    }
}

TEST(ConfigFile, ShortFileWithForeignVersionIsStillDamaged)
{
    std::vector<std::uint8_t> file = WithVersion(150);
    file.resize(300);
    EXPECT_EQ(RefusalOf(file), kDamaged);
}

TEST(ConfigFile, AnyAlteredByteOfTheImageIsDamage)
{
    // Every data byte and every CRC byte of all ten blocks.
    const std::vector<std::uint8_t> good = ValidFile();
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        std::vector<std::uint8_t> file = good;
        file[kImageFileOffset + offset] ^= 0x01;
        ASSERT_EQ(RefusalOf(file), kDamaged) << "image offset " << offset;
    }
}

TEST(ConfigFile, VersionIsCheckedBeforeTheBlocks)
{
    std::vector<std::uint8_t> file = WithVersion(161);
    file[kImageFileOffset] ^= 0xFF;
    EXPECT_EQ(RefusalOf(file), kMismatch + "1.61");
}

TEST(ConfigFile, AcceptedFileGivesImageAndSignExtendedWideDisplay)
{
    for (const auto& [byte, wide] : {std::pair<std::uint8_t, int>{0, 0}, {1, 1}, {0xFF, -1}}) {
        const std::vector<std::uint8_t> file = ValidFile(byte);
        const LoadedConfig loaded = ParseConfigFile(file.size(), file);
        EXPECT_TRUE(std::equal(loaded.image.begin(), loaded.image.end(), file.begin() + kImageFileOffset));
        EXPECT_EQ(loaded.wideDisplay, wide);
    }
}

TEST(ConfigFile, SavedAtAndReservedBytesAreIgnored)
{
    std::vector<std::uint8_t> file = ValidFile();
    for (std::size_t i = header_layout::SavedAt.offset; i < header_layout::SavedAt.offset + header_layout::SavedAt.size; ++i) {
        file[i] = 0xEE;
    }
    for (std::size_t i = header_layout::Reserved.offset; i < kFileHeaderSize; ++i) {
        file[i] = 0x55;
    }
    EXPECT_EQ(RefusalOf(file), "<accepted>");
}

class ConfigFileOnDisk : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(ConfigFileOnDisk, BytesBehindTheImageAreIgnored)
{
    std::vector<std::uint8_t> file = ValidFile(1);
    const std::vector<std::uint8_t> image(file.begin() + kImageFileOffset, file.end());
    file.resize(600, 0xAB);
    WriteBytes(dir.File("long.cfg"), file);
    const LoadedConfig loaded = ReadConfigFile(dir.File("long.cfg"));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), loaded.image.begin()));
    EXPECT_EQ(loaded.wideDisplay, 1);
}

TEST_F(ConfigFileOnDisk, ReadRunsTheChecksOnTheFileSize)
{
    WriteBytes(dir.File("old.cfg"), std::vector<std::uint8_t>(275, 0));
    WriteBytes(dir.File("empty.cfg"), {});
    EXPECT_THROW(
        {
            try {
                ReadConfigFile(dir.File("old.cfg"));
            } catch (const Error& e) {
                EXPECT_EQ(e.what(), kMismatch + "1.20");
                throw;
            }
        },
        Error);
    EXPECT_THROW(
        {
            try {
                ReadConfigFile(dir.File("empty.cfg"));
            } catch (const Error& e) {
                EXPECT_EQ(e.what(), kDamaged);
                throw;
            }
        },
        Error);
}

TEST_F(ConfigFileOnDisk, FileSystemErrorsNameTheFile)
{
    const std::string missing = dir.File("нет такого.cfg");
    const std::string folder = Utf8Text(dir.path());
    for (const std::string& path : {missing, folder}) {
        try {
            ReadConfigFile(path);
            ADD_FAILURE() << "opened " << path;
        } catch (const Error& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.rfind("Не удалось открыть файл " + path + ": ", 0), 0U) << text;
        }
    }
}

TEST_F(ConfigFileOnDisk, WriteThenReadRoundTripsRandomImages)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        const ConfigImage image = test::RandomSealedImage(rng);
        const std::int32_t wide = round % 3 == 2 ? -1 : round % 2;
        WriteConfigFile(dir.File("a.cfg"), MakeFileHeader(wide, std::chrono::system_clock::now()), image);
        const LoadedConfig loaded = ReadConfigFile(dir.File("a.cfg"));
        ASSERT_EQ(loaded.image, image);
        ASSERT_EQ(loaded.wideDisplay, wide);
        ASSERT_EQ(ReadBytes(dir.File("a.cfg")).size(), kConfigFileSize);
    }
    EXPECT_EQ(dir.Listing(), std::vector<std::string>{"a.cfg"});
}

class AtomicSave : public ConfigFileOnDisk {
protected:
    void SetUp() override
    {
        old = ValidFile();
        std::filesystem::create_directory(dir.path() / "sub");
        target = Utf8Text(dir.path() / "sub" / "keep.cfg");
        WriteBytes(target, old);
    }
    void SaveAndExpectRefusal(const std::string& path)
    {
        std::mt19937 rng(1);
        try {
            WriteConfigFile(path, FileHeader{}, test::RandomSealedImage(rng));
            ADD_FAILURE() << "saved " << path;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Не удалось сохранить файл " + path + ": ", 0), 0U) << e.what();
        }
    }
    std::vector<std::uint8_t> old;
    std::string target;
};

TEST_F(AtomicSave, ReadOnlyFolderKeepsTheOldFileAndLeavesNoTemporary)
{
    std::filesystem::permissions(dir.path() / "sub", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (std::ofstream(dir.path() / "sub" / "probe")) {
        std::filesystem::remove(dir.path() / "sub" / "probe");
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    SaveAndExpectRefusal(target);
    EXPECT_EQ(ReadBytes(target), old);
    std::filesystem::permissions(dir.path() / "sub", std::filesystem::perms::owner_all);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "sub")) {
        left.push_back(Utf8Text(e.path().filename()));
    }
    EXPECT_EQ(left, std::vector<std::string>{"keep.cfg"});
}

#ifndef _WIN32
// A write cut short half-way (here by a file-size limit, which binds root as
// well) must not touch the old file.
TEST_F(AtomicSave, WriteCutShortKeepsTheOldFileAndLeavesNoTemporary)
{
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    SaveAndExpectRefusal(target);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(ReadBytes(target), old);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "sub")) {
        left.push_back(Utf8Text(e.path().filename()));
    }
    EXPECT_EQ(left, std::vector<std::string>{"keep.cfg"});
}
#endif

TEST_F(AtomicSave, ReadOnlyTargetIsRefusedAndKept)
{
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    if (std::ofstream(Utf8Path(target), std::ios::app)) {
        GTEST_SKIP() << "this user may write read-only files";
    }
    SaveAndExpectRefusal(target);
    EXPECT_EQ(ReadBytes(target), old);
}

TEST_F(AtomicSave, TargetThatIsAFolderIsRefusedAndNothingIsLeft)
{
    const std::string folderTarget = Utf8Text(dir.path() / "sub");
    SaveAndExpectRefusal(folderTarget);
    EXPECT_EQ(dir.Listing(), std::vector<std::string>{"sub"});
    EXPECT_EQ(ReadBytes(target), old);
}

TEST_F(AtomicSave, MissingFolderIsRefused)
{
    SaveAndExpectRefusal(Utf8Text(dir.path() / "absent" / "x.cfg"));
    EXPECT_EQ(dir.Listing(), std::vector<std::string>{"sub"});
}

TEST_F(AtomicSave, ReplacingKeepsThePermissionsOfTheOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows files carry a read-only attribute, not permission bits";
#endif
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    WriteConfigFile(target, FileHeader{}, ConfigImage{});
    EXPECT_EQ(std::filesystem::status(target).permissions(),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    EXPECT_EQ(ReadBytes(target).size(), kConfigFileSize);
}

TEST_F(AtomicSave, SavingThroughALinkReplacesTheFileItPointsTo)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need extra rights on Windows";
#endif
    const std::string link = dir.File("link.cfg");
    std::filesystem::create_symlink(target, link);
    WriteConfigFile(link, FileHeader{}, ConfigImage{});
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadBytes(target), old);
    EXPECT_EQ(ReadBytes(target).size(), kConfigFileSize);
}

} // namespace
} // namespace glt
