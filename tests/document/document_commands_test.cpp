#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/config_file.hpp"
#include "document/document_commands.hpp"
#include "document/error.hpp"
#include "support/recording_pages.hpp"
#include "support/scripted_shell.hpp"
#include "support/temp_dir.hpp"

namespace glt {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using Calls = std::vector<std::string>;

const Calls kDefaults{"DefaultDevConfig", "DefaultMBSettings", "DefaultInputType", "DefaultCrossBar",
    "DefaultOutDataBase", "DefaultDispSettings", "DefaultExternalNet"};
const Calls kRefreshes{"GetDevConfig", "GetMBusSettings", "GetCrossBar", "GetInputType", "GetOutDataBase",
    "GetDispSettings", "GetExternalNet"};
const Calls kWriteBacks{"SetDevConfig", "SetMBusSettings"};

const auto kSaveTime = std::chrono::system_clock::from_time_t(1'800'000'000) + std::chrono::milliseconds{250};

class DocumentCommandsTest : public ::testing::Test {
protected:
    DocumentCommandsTest()
    {
        std::mt19937 rng(3);
        doc.image = test::RandomSealedImage(rng);
        doc.state = {7, "/somewhere/old.cfg", false};
    }

    // A valid file whose image differs from the document's.
    std::string GoodFile(const std::string& name, std::uint8_t wide)
    {
        std::mt19937 rng(99);
        FileHeader header;
        header.WideDisplay = wide;
        const ConfigFileBytes bytes = BuildConfigFile(header, test::RandomSealedImage(rng));
        WriteBytes(dir.File(name), {bytes.begin(), bytes.end()});
        return dir.File(name);
    }

    Document doc;
    test::RecordingPages pages;
    test::ScriptedShell shell;
    test::TempDir dir;
    DocumentCommands commands{doc, pages, shell, [] { return kSaveTime; }};
};

TEST_F(DocumentCommandsTest, NewByTheUserRunsDefaultsAndSetsNewCaption)
{
    doc.state.HasFileName = true;
    commands.SBNewConfigClick(true);
    EXPECT_EQ(pages.calls, kDefaults);
    EXPECT_EQ(shell.statusTexts, Calls{" ver 1.60"});
    EXPECT_EQ(shell.captions, Calls{"[New] - GLT Configuration tool"});
    EXPECT_FALSE(doc.state.HasFileName);
    EXPECT_EQ(doc.state.DocumentFileName, "/somewhere/old.cfg");
}

TEST_F(DocumentCommandsTest, NewAtStartUpKeepsThePlainCaption)
{
    commands.SBNewConfigClick(false);
    EXPECT_EQ(pages.calls, kDefaults);
    EXPECT_EQ(shell.statusTexts, Calls{" ver 1.60"});
    EXPECT_TRUE(shell.captions.empty());
    EXPECT_FALSE(doc.state.HasFileName);
}

TEST_F(DocumentCommandsTest, OpenCancelledChangesNothing)
{
    const Document before = doc;
    shell.openAnswers = {std::nullopt};
    commands.SBLoadFileClick();
    EXPECT_EQ(doc.image, before.image);
    EXPECT_TRUE(pages.calls.empty());
    EXPECT_TRUE(shell.captions.empty());
    EXPECT_TRUE(shell.statusTexts.empty());
}

TEST_F(DocumentCommandsTest, OpenTakesImageWideFlagAndNameAndRefreshesInOrder)
{
    const std::string path = GoodFile("Подстанция 5.cfg", 0xFF);
    shell.openAnswers = {path};
    commands.SBLoadFileClick();

    const std::vector<std::uint8_t> file = ReadBytes(path);
    EXPECT_TRUE(std::equal(doc.image.begin(), doc.image.end(), file.begin() + kImageFileOffset));
    EXPECT_EQ(doc.state.WideDisplay, -1);
    EXPECT_EQ(doc.state.DocumentFileName, path);
    EXPECT_TRUE(doc.state.HasFileName);
    EXPECT_EQ(pages.calls, kRefreshes);
    EXPECT_EQ(shell.statusTexts, Calls{" ver 1.60"});
    EXPECT_EQ(shell.captions, Calls{"[Подстанция 5.cfg] - GLT Configuration tool"});
}

struct BadFile {
    const char* name;
    std::vector<std::uint8_t> (*make)(std::vector<std::uint8_t> good);
    const char* message;
};

class RefusedOpen : public DocumentCommandsTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(RefusedOpen, ChangesNothingOfTheDocument)
{
    const std::vector<std::uint8_t> good = ReadBytes(GoodFile("good.cfg", 1));
    WriteBytes(dir.File("bad.cfg"), GetParam().make(good));
    const Document before = doc;
    shell.openAnswers = {dir.File("bad.cfg")};

    try {
        commands.SBLoadFileClick();
        ADD_FAILURE() << "the file was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
    EXPECT_EQ(doc.image, before.image);
    EXPECT_EQ(doc.state.WideDisplay, before.state.WideDisplay);
    EXPECT_EQ(doc.state.DocumentFileName, before.state.DocumentFileName);
    EXPECT_EQ(doc.state.HasFileName, before.state.HasFileName);
    EXPECT_TRUE(pages.calls.empty());
    EXPECT_TRUE(shell.captions.empty());
    EXPECT_TRUE(shell.statusTexts.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedOpen,
    ::testing::Values(
        BadFile{"Format120", [](std::vector<std::uint8_t> f) { f.resize(275); return f; },
            "Несоответствие версии файла и программатора, файл v1.20"},
        BadFile{"Format130", [](std::vector<std::uint8_t> f) { f.resize(470); return f; },
            "Несоответствие версии файла и программатора, файл v1.30"},
        BadFile{"Version161", [](std::vector<std::uint8_t> f) { f[0] = 161; return f; },
            "Несоответствие версии файла и программатора, файл v1.61"},
        BadFile{"DamagedBlock", [](std::vector<std::uint8_t> f) { f[kImageFileOffset + 300] ^= 0x40; return f; },
            "Файл конфигурации поврежден"},
        BadFile{"Truncated", [](std::vector<std::uint8_t> f) { f.resize(513); return f; },
            "Файл конфигурации поврежден"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(DocumentCommandsTest, OpenOfAMissingFileNamesItAndChangesNothing)
{
    const Document before = doc;
    shell.openAnswers = {dir.File("absent.cfg")};
    EXPECT_THROW(commands.SBLoadFileClick(), Error);
    EXPECT_EQ(doc.image, before.image);
    EXPECT_FALSE(doc.state.HasFileName);
    EXPECT_TRUE(pages.calls.empty());
}

TEST_F(DocumentCommandsTest, SaveAsWritesBackSealsAndWritesHeaderAndImage)
{
    doc.image[5] ^= 0xFF; // stale CRC, as after any edit
    doc.state.WideDisplay = 1;
    shell.saveAnswers = {dir.File("new.cfg")};
    commands.SBSaveAsFileClick(true);

    EXPECT_EQ(pages.calls, kWriteBacks);
    EXPECT_TRUE(VerifyBlocks(doc.image));
    const std::vector<std::uint8_t> file = ReadBytes(dir.File("new.cfg"));
    ASSERT_EQ(file.size(), kConfigFileSize);
    const ConfigFileBytes expected = BuildConfigFile(MakeFileHeader(1, kSaveTime), doc.image);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), expected.begin()));
    EXPECT_EQ(doc.state.DocumentFileName, dir.File("new.cfg"));
    EXPECT_TRUE(doc.state.HasFileName);
    EXPECT_EQ(shell.captions, Calls{"[new.cfg] - GLT Configuration tool"});
    EXPECT_TRUE(shell.statusTexts.empty());
}

TEST_F(DocumentCommandsTest, SavedFileOpensToTheSameDocument)
{
    doc.state.WideDisplay = 1;
    shell.saveAnswers = {dir.File("x.cfg")};
    commands.SBSaveAsFileClick(true);
    const ConfigImage saved = doc.image;

    Document other;
    test::RecordingPages otherPages;
    test::ScriptedShell otherShell;
    otherShell.openAnswers = {dir.File("x.cfg")};
    DocumentCommands(other, otherPages, otherShell).SBLoadFileClick();
    EXPECT_EQ(other.image, saved);
    EXPECT_EQ(other.state.WideDisplay, 1);
}

TEST_F(DocumentCommandsTest, SaveAsAlwaysAsksEvenWithAKnownName)
{
    doc.state = {0, dir.File("known.cfg"), true};
    shell.saveAnswers = {std::nullopt};
    commands.SBSaveAsFileClick(true);
    EXPECT_EQ(shell.saveDialogs, 1);
    EXPECT_TRUE(pages.calls.empty()); // a cancel stops before the write-backs
    EXPECT_FALSE(std::filesystem::exists(dir.File("known.cfg")));
}

TEST_F(DocumentCommandsTest, SaveAfterOpenReusesThePathWithoutADialog)
{
    const std::string path = GoodFile("site.cfg", 0);
    shell.openAnswers = {path};
    commands.SBLoadFileClick();
    pages.calls.clear();
    shell.captions.clear();
    doc.image[0] ^= 0x01;

    commands.SBSaveFileClick(true);
    EXPECT_EQ(shell.saveDialogs, 0);
    EXPECT_EQ(pages.calls, kWriteBacks);
    const std::vector<std::uint8_t> file = ReadBytes(path);
    EXPECT_TRUE(std::equal(doc.image.begin(), doc.image.end(), file.begin() + kImageFileOffset));
    EXPECT_EQ(shell.captions, Calls{"[site.cfg] - GLT Configuration tool"});

    // And again after that save.
    commands.SBSaveFileClick(true);
    EXPECT_EQ(shell.saveDialogs, 0);
}

TEST_F(DocumentCommandsTest, SaveWithoutAReusableNameShowsTheDialog)
{
    // Start-up and a new configuration both leave no reusable name.
    for (const bool byUser : {false, true}) {
        commands.SBNewConfigClick(byUser);
        shell.saveAnswers = {dir.File("chosen.cfg")};
        commands.SBSaveFileClick(true);
        commands.SBNewConfigClick(true);
    }
    EXPECT_EQ(shell.saveDialogs, 2);
    EXPECT_TRUE(std::filesystem::exists(dir.File("chosen.cfg")));
}

TEST_F(DocumentCommandsTest, FailedSaveKeepsNameAndCaptionButHasWrittenBackAndSealed)
{
    doc.state = {0, dir.File("keep.cfg"), true};
    doc.image[100] ^= 0x10;
    std::filesystem::create_directory(dir.File("folder.cfg"));
    shell.saveAnswers = {dir.File("folder.cfg")};

    EXPECT_THROW(commands.SBSaveAsFileClick(true), Error);
    EXPECT_EQ(pages.calls, kWriteBacks);
    EXPECT_TRUE(VerifyBlocks(doc.image));
    EXPECT_EQ(doc.state.DocumentFileName, dir.File("keep.cfg"));
    EXPECT_TRUE(doc.state.HasFileName);
    EXPECT_TRUE(shell.captions.empty());
    EXPECT_EQ(dir.Listing(), Calls{"folder.cfg"});
}

TEST(Captions, UseTheLastPathComponent)
{
    EXPECT_EQ(NewCaption(), "[New] - GLT Configuration tool");
    EXPECT_EQ(FileCaption("/a/b/c.cfg"), "[c.cfg] - GLT Configuration tool");
    EXPECT_EQ(FileCaption("plain"), "[plain] - GLT Configuration tool");
    EXPECT_EQ(FileCaption("/dir.d/Объект №1.cfg"), "[Объект №1.cfg] - GLT Configuration tool");
}

} // namespace
} // namespace glt
