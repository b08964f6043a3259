#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "document/document.hpp"

namespace glt {

// Blocks InputAssign (what each input drives) and CrossBar (which outputs
// each input activates), one byte per input in both.
inline constexpr int kCrossBarInputs = 64;
inline constexpr int kCrossBarOutputs = 8;
inline constexpr int kModuleInputs = 32; // inputs 1..32; 33..64 come from the network

// The code the page writes for an input that drives nothing.
inline constexpr std::uint8_t kAssignNone = 255;

enum class AssignKind : std::uint8_t {
    Window = 0,
    RelayAck = 1,
    RelayReset = 2,
    None = 3,
    Unknown = 4, // a caption matching no kind; behaves as none
};

struct AssignRange {
    AssignKind kind;
    std::uint8_t firstCode;
    std::uint8_t lastCode;
};

// The first range holding a code decides its kind; codes in none are of kind none.
inline constexpr std::array<AssignRange, 3> kAssignRanges{{
    {AssignKind::Window, 0, 31},
    {AssignKind::RelayAck, 100, 115},
    {AssignKind::RelayReset, 116, 131},
}};

// Captions of the kinds Window..None in the "Назначение" column.
inline constexpr std::array<std::string_view, 4> kAssignCaptions{
    "  Окно сигнализации:",
    "  Квитирование реле:",
    "  Сброс реле:",
    "  —",
};

// The two items the user can choose: a relay kind can be shown, not chosen.
inline constexpr std::array<std::string_view, 2> kAssignChoices{kAssignCaptions[0], kAssignCaptions[3]};

struct AssignValue {
    AssignKind kind;
    int number; // window 1..32 or relay 1..16; 0 for none
};

AssignValue AssignFromCode(std::uint8_t code);
std::string_view AssignCaption(AssignKind kind);
AssignKind KindFromCaption(std::string_view caption);

// The number a kind accepts and the status text of a refusal.
struct AssignNumberRule {
    AssignKind kind;
    int low;
    int high;
    std::string_view refusal;
};

inline constexpr std::array<AssignNumberRule, 3> kAssignNumberRules{{
    {AssignKind::Window, 1, 32, " Окно вне диапазона 1 - 32"},
    {AssignKind::RelayAck, 1, 8, " Реле вне диапазона 1 - 8"},
    {AssignKind::RelayReset, 1, 8, " Реле вне диапазона 1 - 8"},
}};

// The value of the "№" cell: empty is 0; text that is not a decimal number
// gives -1, which every numbered kind refuses.
int AssignNumberFromText(std::string_view text);

// Empty when the number passes for the kind, else the refusal text. Kinds
// without a number accept every number.
std::string_view CheckAssignNumber(AssignKind kind, int number);

// The code stored for a kind and number (its low byte); 255 for a kind
// without a number.
std::uint8_t AssignCodeFor(AssignKind kind, int number);

std::span<std::uint8_t> AssignCodes(ConfigImage& image);
std::span<const std::uint8_t> AssignCodes(const ConfigImage& image);
std::span<std::uint8_t> OutputMasks(ConfigImage& image);
std::span<const std::uint8_t> OutputMasks(const ConfigImage& image);

// input 1..64, output 1..8.
bool OutputActive(const ConfigImage& image, int input, int output);
void ToggleOutput(ConfigImage& image, int input, int output);

enum class CrossBarFill : std::uint8_t {
    FromInputModules, // "С модулей ДИК-7"
    FromModbus,       // "С ModBus"
    Empty,            // "Пусто"
};

// The three standard structures: all masks cleared, the codes as named.
void FillCrossBar(Document& doc, CrossBarFill fill);

// Inputs 1..32 to windows 1..32, the rest none; inputs 1..8 activate
// outputs 1..8 one to one.
void DefaultCrossBar(Document& doc);

} // namespace glt
