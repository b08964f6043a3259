// Writes the seed corpora of the fuzz targets, made from this program's own
// codecs and from the virtual panel's protocol so that every seed is a real
// file, export or exchange: make_seeds <folder> fills <folder>/<target>/.
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/codec_page_table.hpp"
#include "document/config_file.hpp"
#include "document/error.hpp"
#include "export_format.hpp"
#include "fuzz_harness.hpp"
#include "link/device_commands.hpp"
#include "link/modbus.hpp"
#include "panel_protocol.hpp"

namespace {

using namespace glt;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class SeedWriter {
public:
    SeedWriter(const fs::path& root, const std::string& target) : dir_(root / target) { fs::create_directories(dir_); }
    void Write(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

private:
    fs::path dir_;
};

Document SealedDefaults(std::int32_t wide)
{
    Document doc = DefaultDocument();
    doc.state.WideDisplay = wide;
    SealBlocks(doc.image);
    return doc;
}

Bytes FileOf(const Document& doc, std::int32_t version)
{
    FileHeader header = MakeFileHeader(doc.state.WideDisplay, {});
    header.Version = version;
    const ConfigFileBytes file = BuildConfigFile(header, doc.image);
    return Bytes(file.begin(), file.end());
}

void ConfigOpenSeeds(const SeedWriter& out)
{
    out.Write("default", FileOf(SealedDefaults(0), FormatVersion));
    out.Write("wide", FileOf(SealedDefaults(1), FormatVersion));
    out.Write("version161", FileOf(SealedDefaults(0), 161));
    Bytes longer = FileOf(SealedDefaults(0), FormatVersion);
    longer.resize(600, 0x5A);
    out.Write("longer", longer);
    for (const OldFormat& old : kOldFormats) {
        out.Write("old" + std::string(old.version), Bytes(old.fileSize, 0));
    }
    out.Write("short", Bytes(100, 0));
}

void JsonImportSeeds(const SeedWriter& out)
{
    auto write = [&](const std::string& name, const nlohmann::json& exported) {
        const std::string text = exported.dump(2);
        out.Write(name, Bytes(text.begin(), text.end()));
    };
    for (const std::int32_t wide : {0, 1}) {
        write("export" + std::to_string(wide), cli::ExportJson(SealedDefaults(wide)));
    }
    // Only the data bytes, as a hand-written export may give them.
    nlohmann::json bare = cli::ExportJson(SealedDefaults(0));
    for (auto& [name, block] : bare["blocks"].items()) {
        block.erase("fields");
    }
    write("data-only", bare);
    // The largest unsigned number is no signed byte and must be refused.
    bare["wideDisplay"] = UINT64_MAX;
    write("wide-unsigned-max", bare);
}

// A line whose other end is the virtual panel; it writes down what the fuzzed
// port of the answer target would have to deliver for the same exchange, and
// every request the panel got.
class RecordingLine final : public SerialPort {
public:
    RecordingLine(Bytes& stream, std::vector<Bytes>& requests, const sim::PanelFaults& faults)
        : stream_(stream), requests_(requests), panel_(sim::PanelIdentity{}, SealedDefaults(0).image, faults)
    {
    }
    bool Open(const std::string&, std::uint32_t, StopBits, Parity, bool) override
    {
        stream_.push_back(0);
        return open_ = true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::intptr_t NativeHandle() const override { return open_ ? 3 : -1; }
    void Purge() override { pending_.clear(); }
    IoResult Write(std::span<const std::uint8_t> bytes) override
    {
        requests_.emplace_back(bytes.begin(), bytes.end());
        const sim::Reply reply = panel_.Handle(bytes);
        pending_.insert(pending_.end(), reply.bytes.begin(), reply.bytes.end());
        return {true, bytes.size()};
    }
    IoResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override
    {
        const std::size_t count = std::min(buffer.size(), pending_.size());
        stream_.push_back(static_cast<std::uint8_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            buffer[i] = pending_.front();
            stream_.push_back(pending_.front());
            pending_.pop_front();
        }
        return {count == buffer.size(), count};
    }

private:
    Bytes& stream_;
    std::vector<Bytes>& requests_;
    sim::PanelProtocol panel_;
    std::deque<std::uint8_t> pending_;
    bool open_ = false;
};

// Runs one device command against the panel: the answer stream and the requests.
void RecordCommand(int which, const sim::PanelFaults& faults, Bytes& stream, std::vector<Bytes>& requests)
{
    stream = {1, static_cast<std::uint8_t>(which), 0}; // whole command, which one, address 1
    NullFeedback feedback;
    TModbus modbus(std::make_unique<RecordingLine>(stream, requests, faults), feedback,
        [](std::chrono::milliseconds) {});
    Document doc = SealedDefaults(0);
    fuzz::HeadlessShell shell;
    fuzz::CountingPages pages;
    DeviceCommands commands(doc, pages, shell, modbus);
    const ConnectionSettings settings{"seed", 9600, StopBits::Two, Parity::None};
    try {
        switch (which) {
        case 0:
            commands.ReadDataFromDevice(settings, "1");
            break;
        case 1:
            commands.WriteDataToDevice(settings, "1");
            break;
        case 2:
            commands.ApplyConfig(settings, "1");
            break;
        default:
            commands.ShowDeviceInfo(settings, "1");
            break;
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "seed command %d ended with: %s\n", which, e.what());
    }
}

void ExchangeSeeds(const SeedWriter& answers, const SeedWriter& requests)
{
    const char* names[] = {"read", "write", "apply", "info"};
    sim::PanelFaults busy;
    busy.pollExceptions = 2;
    for (int which = 0; which < 4; ++which) {
        for (const bool withBusy : {false, true}) {
            Bytes stream;
            std::vector<Bytes> sent;
            RecordCommand(which, withBusy ? busy : sim::PanelFaults{}, stream, sent);
            const std::string name = std::string(names[which]) + (withBusy ? "-busy" : "");
            answers.Write(name, stream);
            Bytes line{withBusy ? std::uint8_t{1} : std::uint8_t{0}, 0}; // fault selector, no silences
            for (const Bytes& request : sent) {
                line.insert(line.end(), request.begin(), request.end());
            }
            requests.Write(name, line);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    ConfigOpenSeeds(SeedWriter(root, "config_open_fuzz"));
    JsonImportSeeds(SeedWriter(root, "json_import_fuzz"));
    ExchangeSeeds(SeedWriter(root, "modbus_answer_fuzz"), SeedWriter(root, "panel_request_fuzz"));
    return 0;
}
