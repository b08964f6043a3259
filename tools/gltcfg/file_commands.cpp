#include <cerrno>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include <nlohmann/json.hpp>

#include "batch_shell.hpp"
#include "commands.hpp"
#include "config_fields.hpp"
#include "config_text.hpp"
#include "document/codec_page_table.hpp"
#include "document/config_file.hpp"
#include "document/document_commands.hpp"
#include "document/error.hpp"
#include "document/file_error.hpp"
#include "document/platform/atomic_write.hpp"
#include "document/utf8_path.hpp"
#include "export_format.hpp"
#include "json_diff.hpp"

namespace glt::cli {
namespace {

struct FileArgs {
    std::string file;
    std::string other;
    std::string output;
};

void RunNew(const FileArgs& args)
{
    Document doc;
    CodecPageTable pages(doc);
    BatchShell shell(args.file);
    DocumentCommands commands(doc, pages, shell);
    commands.SBNewConfigClick(true);
    commands.SBSaveAsFileClick(true);
}

std::string ReadAll(const std::string& path)
{
    if (path == "-") {
        return {std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    }
    std::ifstream in(Utf8Path(path), std::ios::binary);
    if (!in) {
        throw Error(FileErrorText("Не удалось открыть файл", path, std::error_code(errno, std::generic_category())));
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunImport(const FileArgs& args)
{
    const std::string text = ReadAll(args.file);
    const Document doc = ImportJson(ParseExportText(text));
    WriteConfigFile(args.output, MakeFileHeader(doc.state.WideDisplay, std::chrono::system_clock::now()), doc.image);
}

void WriteText(const std::string& output, const std::string& text)
{
    if (output.empty() || output == "-") {
        std::cout << text;
        return;
    }
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    AtomicWriteFile(Utf8Path(output), bytes);
}

void PrintDifference(const JsonDifference& d)
{
    auto shown = [](const nlohmann::ordered_json& v) { return v.is_null() ? std::string("—") : v.dump(); };
    std::cout << d.path << ": " << shown(d.before) << " -> " << shown(d.after) << '\n';
}

void RunDiff(const FileArgs& args)
{
    const Document a = OpenDocument(args.file);
    const Document b = OpenDocument(args.other);
    if (a.image == b.image && a.state.WideDisplay == b.state.WideDisplay) {
        return;
    }
    if (a.state.WideDisplay != b.state.WideDisplay) {
        PrintDifference({"wideDisplay", a.state.WideDisplay, b.state.WideDisplay});
    }
    for (const BlockInfo& info : BlockTable) {
        const std::string name(info.name);
        for (const JsonDifference& d : DiffJson(FieldsOf(info.id, a), FieldsOf(info.id, b), name)) {
            PrintDifference(d);
        }
        // Then every differing byte by its image offset, so that bytes no
        // field shows (reserved bytes, unused list slots) never go unseen.
        const auto da = BlockData(a.image, info.id);
        const auto db = BlockData(b.image, info.id);
        for (std::size_t i = 0; i < da.size(); ++i) {
            if (da[i] != db[i]) {
                PrintDifference({name + ".byte[" + std::to_string(info.offset + i) + "]", da[i], db[i]});
            }
        }
    }
    throw CommandExit{kExitFailure};
}

} // namespace

void AddFileCommands(CLI::App& app)
{
    auto args = std::make_shared<FileArgs>();

    CLI::App* create = app.add_subcommand("new", "Записать новую конфигурацию по умолчанию в файл");
    create->add_option("FILE", args->file, "файл конфигурации")->required();
    create->callback([args] { RunNew(*args); });

    CLI::App* verify = app.add_subcommand("verify", "Проверить, что файл конфигурации откроется");
    verify->add_option("FILE", args->file, "файл конфигурации")->required();
    verify->callback([args] { OpenDocument(args->file); });

    CLI::App* show = app.add_subcommand("show", "Показать всю конфигурацию");
    show->add_option("FILE", args->file, "файл конфигурации")->required();
    show->callback([args] { std::cout << ConfigText(OpenDocument(args->file)); });

    CLI::App* exporter = app.add_subcommand("export", "Выгрузить конфигурацию в JSON");
    exporter->add_option("FILE", args->file, "файл конфигурации")->required();
    exporter->add_option("-o,--output", args->output, "файл JSON (по умолчанию стандартный вывод)");
    exporter->callback([args] { WriteText(args->output, ExportJson(OpenDocument(args->file)).dump(2) + "\n"); });

    CLI::App* importer = app.add_subcommand("import",
        "Собрать файл конфигурации из JSON: образ строится из байтов \"data\" каждого блока; "
        "поля \"fields\" можно опустить, но данные поля должны совпадать с байтами, иначе файл не пишется");
    importer->add_option("JSON", args->file, "файл JSON или - для стандартного ввода")->required();
    importer->add_option("OUT", args->output, "файл конфигурации")->required();
    importer->callback([args] { RunImport(*args); });

    CLI::App* diff = app.add_subcommand("diff", "Сравнить две конфигурации по полям");
    diff->add_option("A", args->file, "первый файл конфигурации")->required();
    diff->add_option("B", args->other, "второй файл конфигурации")->required();
    diff->callback([args] { RunDiff(*args); });
}

} // namespace glt::cli
