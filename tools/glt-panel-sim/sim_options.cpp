#include "sim_options.hpp"

#include <charconv>
#include <limits>
#include <vector>

namespace glt::sim {

namespace {

template <typename T>
std::optional<T> ParseNumber(std::string_view text, int base = 10)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::uint8_t ParseByte(std::string_view text, std::string_view what)
{
    const auto value = ParseNumber<unsigned>(text);
    if (!value || *value > std::numeric_limits<std::uint8_t>::max()) {
        throw CLI::ValidationError(std::string(what), "expected a number 0..255, got '" + std::string(text) + "'");
    }
    return static_cast<std::uint8_t>(*value);
}

std::string KindList()
{
    std::string list;
    for (std::size_t k = 0; k < kRequestKinds; ++k) {
        list += (k == 0 ? "" : "|");
        list += RequestKindName(static_cast<RequestKind>(k));
    }
    return list;
}

RequestKind ParseKind(std::string_view text, std::string_view what)
{
    const auto kind = ParseRequestKind(text);
    if (!kind) {
        throw CLI::ValidationError(std::string(what), "expected " + KindList() + ", got '" + std::string(text) + "'");
    }
    return *kind;
}

} // namespace

std::pair<std::uint8_t, std::uint8_t> ParseFirmware(std::string_view text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) {
        throw CLI::ValidationError("--firmware", "expected MAJOR.MINOR, got '" + std::string(text) + "'");
    }
    return {ParseByte(text.substr(0, dot), "--firmware"), ParseByte(text.substr(dot + 1), "--firmware")};
}

IdentBytes ParseIdentBytes(std::string_view text)
{
    std::string digits;
    for (const char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    IdentBytes bytes{};
    if (digits.size() != 2 * bytes.size()) {
        throw CLI::ValidationError("--fault-ident", "expected four hexadecimal bytes, got '" + std::string(text) + "'");
    }
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const auto value = ParseNumber<unsigned>(std::string_view(digits).substr(2 * k, 2), 16);
        if (!value) {
            throw CLI::ValidationError("--fault-ident", "not hexadecimal: '" + std::string(text) + "'");
        }
        bytes[k] = static_cast<std::uint8_t>(*value);
    }
    return bytes;
}

CutAnswer ParseCutAnswer(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const auto keep = colon == std::string_view::npos ? std::nullopt : ParseNumber<std::size_t>(text.substr(colon + 1));
    if (!keep) {
        throw CLI::ValidationError("--fault-cut", "expected KIND:BYTES, got '" + std::string(text) + "'");
    }
    return {ParseKind(text.substr(0, colon), "--fault-cut"), *keep};
}

namespace {

// An option naming request kinds, repeated or separated with commas.
void AddKindSetOption(CLI::App& app, const std::string& name, std::bitset<kRequestKinds>& kinds, const std::string& help)
{
    app.add_option_function<std::vector<std::string>>(
           name,
           [&kinds, name](const std::vector<std::string>& texts) {
               for (const std::string& text : texts) {
                   kinds.set(static_cast<std::size_t>(ParseKind(text, name)));
               }
           },
           help)
        ->delimiter(',');
}

} // namespace

void AddSimOptions(CLI::App& app, SimOptions& options)
{
    // Callbacks convert the texts straight into options.
    app.add_option_function<std::string>(
           "--model",
           [&options](const std::string& model) {
               options.identity.model = model == "ГЛТ-09" ? DeviceKind::Glt09 : DeviceKind::Glt07;
           },
           "Panel model the identification reports (default ГЛТ-07)")
        ->check(CLI::IsMember({"ГЛТ-07", "ГЛТ-09"}));
    app.add_option_function<std::string>(
        "--firmware",
        [&options](const std::string& text) {
            std::tie(options.identity.firmwareMajor, options.identity.firmwareMinor) = ParseFirmware(text);
        },
        "Firmware version MAJOR.MINOR in the device information (default 1.6)");
    app.add_option("--revision", options.identity.revision, "Hardware revision 0..255 (default 0)");
    app.add_option("--address", options.identity.address, "Panel address 1..255 (default 1)")
        ->check(CLI::Range(1, 255));
    app.add_option_function<unsigned>(
           "--baud",
           [&options](unsigned baud) {
               options.line.baud = baud;
               options.emulateWire = true;
           },
           "Emulate the line at this rate: an answer is complete only after the request and the answer "
           "would have crossed the line, each character taking 1 start, 8 data, the parity bit when "
           "there is parity, and the stop bits (without --baud answers go out at once)")
        ->check(CLI::Range(300U, 4'000'000U));
    app.add_option_function<unsigned>(
           "--stop-bits", [&options](unsigned bits) { options.line.stopBits = bits; },
           "Stop bits of the emulated line, 1 or 2 (default 2)")
        ->check(CLI::IsMember({1U, 2U}));
    app.add_option_function<std::string>(
           "--parity", [&options](const std::string& parity) { options.line.parity = parity != "none"; },
           "Parity of the emulated line: none|even|odd (default none)")
        ->check(CLI::IsMember({"none", "even", "odd"}));
    app.add_option("--from", options.from, "Configuration file with the panel's blocks (default: the defaults)")
        ->check(CLI::ExistingFile);
    app.add_option("--log", options.log, "Log every frame: seconds since start, RX (request) or TX (answer), hex");
    app.add_option("--save", options.save, "On exit write the panel's blocks, with those received, into this .cfg");

    PanelFaults& faults = options.faults;
    AddKindSetOption(app, "--fault-no-answer", faults.noAnswer,
        "Ignore requests of these kinds: " + KindList() + " (repeat or separate with commas)");
    AddKindSetOption(app, "--fault-bad-crc", faults.badCrc,
        "Answers to requests of these kinds carry a wrong CRC (same kinds as --fault-no-answer)");
    app.add_option_function<unsigned>(
        "--fault-bad-crc-block", [&faults](unsigned block) { faults.badCrcBlock = block; },
        "Answers to the read and the write of block N carry a wrong CRC");
    app.add_option_function<std::string>(
        "--fault-cut", [&faults](const std::string& text) { faults.cut = ParseCutAnswer(text); },
        "KIND:K: answers to requests of KIND stop after their first K bytes");
    app.add_option("--fault-poll-exceptions", faults.pollExceptions,
        "Answer the first K completion polls after each written block with exception 0x8E (busy)");
    app.add_option_function<unsigned>(
        "--fault-silent-after-block", [&faults](unsigned block) { faults.silentAfterBlock = block; },
        "Answer nothing at all after the answer to the read or write of block N");
    app.add_option_function<std::size_t>(
        "--fault-silent-after-answers", [&faults](std::size_t count) { faults.silentAfterAnswers = count; },
        "Answer nothing at all after the first N answers");
    app.add_option("--fault-apply-result", faults.applyResult, "Result code of the apply answer (default 0; 1: "
                                                               "programming was not started)");
    app.add_option_function<std::string>(
        "--fault-ident", [&faults](const std::string& text) { faults.ident = ParseIdentBytes(text); },
        "Identification bytes 2..5 instead of the model's, e.g. 03200932");
    app.add_option_function<unsigned>(
           "--fault-answer-address",
           [&faults](unsigned address) { faults.answerAddress = static_cast<std::uint8_t>(address); },
           "Answers come from this address (their CRC matches it)")
        ->check(CLI::Range(0, 255));
    app.add_option("--fault-garbage", faults.garbageBytes, "Send K bytes 0xFF before every answer");
    app.add_option_function<unsigned>(
        "--fault-late", [&faults](unsigned ms) { faults.lateBy = std::chrono::milliseconds(ms); },
        "Hold every answer back by D milliseconds");
    app.add_option_function<unsigned>(
        "--fault-vanish-after-block", [&faults](unsigned block) { faults.vanishAfterBlock = block; },
        "Close the terminal and exit after the answer to the read or write of block N");
}

} // namespace glt::sim
