#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "document/config_file.hpp"
#include "document/error.hpp"
#include "support/gltcfg_run.hpp"
#include "support/temp_dir.hpp"

namespace glt {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using test::WriteText;
using test::RunGltcfg;

const std::string kDamaged = "Файл конфигурации поврежден";
const std::string kMismatch = "Несоответствие версии файла и программатора, файл v";

// A sealed file of random bytes with the given header byte 12.
std::vector<std::uint8_t> RandomFile(std::mt19937& rng, std::uint8_t wide)
{
    ConfigImage image{};
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : image) {
        b = static_cast<std::uint8_t>(byte(rng));
    }
    SealBlocks(image);
    FileHeader header;
    header.WideDisplay = wide;
    const ConfigFileBytes bytes = BuildConfigFile(header, image);
    return {bytes.begin(), bytes.end()};
}

class Gltcfg : public ::testing::Test {
protected:
    test::ToolResult Run(const std::vector<std::string>& args, const std::string& stdinText = {})
    {
        return RunGltcfg(dir.path(), args, stdinText);
    }
    std::string MadeNew(const std::string& name)
    {
        const auto r = Run({"new", name});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return dir.File(name);
    }
    test::TempDir dir;
};

TEST_F(Gltcfg, NewWritesASealedDefaultConfigurationThatVerifies)
{
    const std::string path = MadeNew("new.cfg");
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), kConfigFileSize);
    const LoadedConfig loaded = ParseConfigFile(bytes.size(), bytes);
    EXPECT_EQ(loaded.wideDisplay, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 3), (std::vector<std::uint8_t>{160, 0, 0}));
    const auto r = Run({"verify", "new.cfg"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
}

TEST_F(Gltcfg, ShowPrintsThePagesWithTheirCaptions)
{
    MadeNew("new.cfg");
    const auto r = Run({"show", "new.cfg"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* line : {"  Модель: ГЛТ-07  (2 * ДИК-7 + ЛУТ-54, 32 окна)\n",
             "  Зафиксировать конфигурацию: да\n", "  Контроль линии связи: нет\n", "  Сетевой адрес: 1\n",
             "  Скорость: 9600     бод\n", "  Стоп-биты: Два\n", "  Паритет: Отсутствует\n", " 64:Н.Р.\n",
             "  Реле 1: Звуковая сигнализация; Квитирование: Панель, ModBus; Сброс: Панель, ModBus\n",
             "  Реле 8: Световая сигнализация;", "  Вход 1: Окно сигнализации: 1; Активация выходов: 1\n",
             "  Вход 33: —; Активация выходов: —\n", "  Окно 32: Индикация\n", "  Запросы: 0\n"}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    }
}

struct Refusal {
    const char* name;
    std::vector<std::uint8_t> (*make)(std::vector<std::uint8_t> good);
    std::string message; // before the error box's full stop
};

class RefusedFile : public Gltcfg, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedFile, EveryReaderRefusesWithTheErrorBoxText)
{
    std::mt19937 rng(5);
    WriteBytes(dir.File("bad.cfg"), GetParam().make(RandomFile(rng, 0)));
    for (const char* command : {"verify", "show", "export"}) {
        const auto r = Run({command, "bad.cfg"});
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.err, ErrorBoxText(GetParam().message) + "\n") << command;
        EXPECT_EQ(r.out, "") << command;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFile,
    ::testing::Values(
        Refusal{"Format120", [](std::vector<std::uint8_t> f) { f.resize(275); return f; }, kMismatch + "1.20"},
        Refusal{"Format130", [](std::vector<std::uint8_t> f) { f.resize(470); return f; }, kMismatch + "1.30"},
        Refusal{"Version105", [](std::vector<std::uint8_t> f) { f[0] = 105; return f; }, kMismatch + "1.5"},
        Refusal{"DamagedCrc", [](std::vector<std::uint8_t> f) { f[kConfigFileSize - 1] ^= 1; return f; }, kDamaged},
        Refusal{"Empty", [](std::vector<std::uint8_t>) { return std::vector<std::uint8_t>{}; }, kDamaged}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(Gltcfg, MissingFileIsNamedInTheMessage)
{
    const auto r = Run({"verify", "absent.cfg"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Не удалось открыть файл absent.cfg: файл или папка не найдены.\n");
}

TEST_F(Gltcfg, UsageErrorsExitWithTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"verify"}, {"import", "only-one"}, {"diff", "a.cfg"}, {"frobnicate"}}) {
        EXPECT_EQ(Run(args).exitCode, 2) << (args.empty() ? "" : args[0]);
    }
    EXPECT_EQ(Run({"--help"}).exitCode, 0);
}

TEST_F(Gltcfg, ExportThenImportRebuildsImageAndWideByteExactlyForAnyBytes)
{
    std::mt19937 rng(11);
    const std::uint8_t wides[] = {0, 1, 0xFF, 0x80, 0x7F};
    for (int round = 0; round < 15; ++round) {
        const std::vector<std::uint8_t> original = RandomFile(rng, wides[round % 5]);
        WriteBytes(dir.File("in.cfg"), original);
        const auto exported = Run({"export", "in.cfg", "-o", "out.json"});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const auto imported = Run({"import", "out.json", "back.cfg"});
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        const std::vector<std::uint8_t> back = ReadBytes(dir.File("back.cfg"));
        ASSERT_EQ(back.size(), kConfigFileSize);
        ASSERT_TRUE(std::equal(back.begin() + kImageFileOffset, back.end(), original.begin() + kImageFileOffset))
            << "round " << round;
        ASSERT_EQ(back[header_layout::WideDisplay.offset], original[header_layout::WideDisplay.offset]);
        ASSERT_EQ(Run({"diff", "in.cfg", "back.cfg"}).exitCode, 0);
        // Whatever codes the bytes hold, the person's view shows them too.
        ASSERT_EQ(Run({"show", "in.cfg"}).exitCode, 0);
    }
}

TEST_F(Gltcfg, ImportReadsStandardInput)
{
    MadeNew("a.cfg");
    const std::string json = Run({"export", "a.cfg"}).out;
    const auto r = Run({"import", "-", "b.cfg"}, json);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Run({"diff", "a.cfg", "b.cfg"}).exitCode, 0);
}

struct BadImport {
    const char* name;
    void (*spoil)(nlohmann::json& j);
    std::string message;
};

class RefusedImport : public Gltcfg, public ::testing::WithParamInterface<BadImport> {};

TEST_P(RefusedImport, NamesTheMemberAndLeavesTheTargetAlone)
{
    MadeNew("a.cfg");
    nlohmann::json exported = nlohmann::json::parse(Run({"export", "a.cfg"}).out);
    GetParam().spoil(exported);
    WriteText(dir.File("bad.json"), exported.dump());
    WriteText(dir.File("target.cfg"), "old contents");

    const auto r = Run({"import", "bad.json", "target.cfg"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, ErrorBoxText("Неверный файл экспорта: " + GetParam().message) + "\n");
    EXPECT_EQ(ReadBytes(dir.File("target.cfg")), (std::vector<std::uint8_t>{'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
}

INSTANTIATE_TEST_SUITE_P(Inputs, RefusedImport,
    ::testing::Values(
        BadImport{"FieldDisagrees", [](nlohmann::json& j) { j["blocks"]["DevConfig"]["fields"]["windowCount"] = 16; },
            "blocks.DevConfig.fields.windowCount — не совпадает с байтами блока (по байтам: 32)"},
        BadImport{"ListElementDisagrees",
            [](nlohmann::json& j) { j["blocks"]["DispSettings"]["fields"]["windows"][2] = "Аварийная"; },
            "blocks.DispSettings.fields.windows[3] — не совпадает с байтами блока (по байтам: \"Индикация\")"},
        BadImport{"UnknownField", [](nlohmann::json& j) { j["blocks"]["MBusSettings"]["fields"]["speed"] = 1; },
            "blocks.MBusSettings.fields.speed — неизвестное поле"},
        BadImport{"ShortData", [](nlohmann::json& j) { j["blocks"]["MBusSettings"]["data"] = "01 2F 08"; },
            "blocks.MBusSettings.data — нужно 7 байт, дано 3"},
        BadImport{"NotHex", [](nlohmann::json& j) { j["blocks"]["MBusSettings"]["data"] = "01 2G 08 73 06 00 00"; },
            "blocks.MBusSettings.data — ожидаются шестнадцатеричные байты"},
        BadImport{"MissingBlock", [](nlohmann::json& j) { j["blocks"].erase("NetResets"); },
            "blocks.NetResets — нет такого поля"},
        BadImport{"UnknownBlock", [](nlohmann::json& j) { j["blocks"]["Extra"] = nlohmann::json::object(); },
            "blocks.Extra — неизвестный блок"},
        BadImport{"WideOutOfRange", [](nlohmann::json& j) { j["wideDisplay"] = 255; },
            "wideDisplay — ожидается целое число от -128 до 127"},
        BadImport{"WideUnsignedWraps",
            [](nlohmann::json& j) { j["wideDisplay"] = std::numeric_limits<std::uint64_t>::max(); },
            "wideDisplay — ожидается целое число от -128 до 127"},
        BadImport{"OtherFormat", [](nlohmann::json& j) { j["format"] = "something"; },
            "format — ожидается \"glt-config\""},
        BadImport{"NotAnObject", [](nlohmann::json& j) { j = nlohmann::json::array(); },
            "документ — ожидается объект JSON"}),
    [](const ::testing::TestParamInfo<BadImport>& info) { return std::string(info.param.name); });

TEST_F(Gltcfg, ImportRefusesTextThatIsNotJson)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"{\"format\": ", "Неверный файл экспорта: это не JSON"},
        // A number that fits no integer or double type of the parser.
        {"{\"wideDisplay\": 1e400}", "Неверный файл экспорта: число вне допустимого диапазона"},
    };
    for (const auto& c : cases) {
        const auto r = Run({"import", "-", "x.cfg"}, c.text);
        EXPECT_EQ(r.exitCode, 1) << c.text;
        EXPECT_EQ(r.err.rfind(c.message, 0), 0U) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("x.cfg")));
    }
}

TEST_F(Gltcfg, ImportTakesDataWithoutFields)
{
    MadeNew("a.cfg");
    nlohmann::json exported = nlohmann::json::parse(Run({"export", "a.cfg"}).out);
    for (auto& [name, block] : exported["blocks"].items()) {
        block.erase("fields");
    }
    // Window 1 becomes an alarm window (class 3).
    exported["blocks"]["DispSettings"]["data"] = "03" + exported["blocks"]["DispSettings"]["data"].get<std::string>().substr(2);
    WriteText(dir.File("edited.json"), exported.dump());
    ASSERT_EQ(Run({"import", "edited.json", "b.cfg"}).exitCode, 0);
    const auto diff = Run({"diff", "a.cfg", "b.cfg"});
    EXPECT_EQ(diff.exitCode, 1);
    EXPECT_EQ(diff.out,
        "DispSettings.windows[1]: \"Индикация\" -> \"Аварийная\"\n"
        "DispSettings.byte[107]: 1 -> 3\n");
}

TEST_F(Gltcfg, DiffNamesFieldsThenEveryDifferingByte)
{
    MadeNew("a.cfg");
    std::vector<std::uint8_t> b = ReadBytes(dir.File("a.cfg"));
    auto image = [&b](std::size_t offset) -> std::uint8_t& { return b[kImageFileOffset + offset]; };
    image(Block(BlockId::DevConfig).offset + 2) = 16;       // window count
    image(Block(BlockId::DevConfig).offset + 10) = 0x5A;    // reserved byte beside a field change
    image(Block(BlockId::MBusSettings).offset + 6) = 0x77;  // reserved byte, no field shows it
    image(Block(BlockId::CrossBar).offset + 2) = 0x06;      // input 3 drives outputs 2 and 3
    ConfigImage sealed{};
    std::copy(b.begin() + kImageFileOffset, b.end(), sealed.begin());
    SealBlocks(sealed);
    std::copy(sealed.begin(), sealed.end(), b.begin() + kImageFileOffset);
    b[header_layout::WideDisplay.offset] = 1;
    WriteBytes(dir.File("b.cfg"), b);

    const auto r = Run({"diff", "a.cfg", "b.cfg"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
        "wideDisplay: 0 -> 1\n"
        "DevConfig.model: \"ГЛТ-07\" -> —\n"
        "DevConfig.composition: \"2 * ДИК-7 + ЛУТ-54\" -> —\n"
        "DevConfig.windowCount: 32 -> 16\n"
        "DevConfig.windowCaption: \"32 окна\" -> \"16 окон\"\n"
        "DevConfig.byte[2]: 32 -> 16\n"
        "DevConfig.byte[10]: 0 -> 90\n"
        "MBusSettings.byte[28]: 0 -> 119\n"
        "CrossBar.activeOutputs[3]: [3] -> [2,3]\n"
        "CrossBar.byte[169]: 4 -> 6\n");

    const auto same = Run({"diff", "a.cfg", "a.cfg"});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "");
}

TEST_F(Gltcfg, DiffOfARefusedFileFailsWithItsMessage)
{
    MadeNew("a.cfg");
    WriteBytes(dir.File("old.cfg"), std::vector<std::uint8_t>(470, 0));
    const auto r = Run({"diff", "a.cfg", "old.cfg"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, ErrorBoxText(kMismatch + "1.30") + "\n");
}

} // namespace
} // namespace glt
