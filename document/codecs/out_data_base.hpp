#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/config_image.hpp"
#include "document/document.hpp"

namespace glt {

// Block OutDataBase: a settings byte per relay, then the external
// acknowledgment input and the external reset input of every relay.
inline constexpr std::size_t kRelayCount = 8;
inline constexpr std::size_t kRelaySettingsOffset = 0;
inline constexpr std::size_t kAckInputOffset = 8;
inline constexpr std::size_t kResetInputOffset = 16;
inline constexpr std::uint8_t kNoExternalInput = 255;

// Relay settings byte. Bits 6..7 are only written by the default and the fill.
inline constexpr std::uint8_t kOutputTypeMask = 0x03;
inline constexpr unsigned kResetModbusBit = 2;
inline constexpr unsigned kAckModbusBit = 3;
inline constexpr unsigned kResetPanelBit = 4;
inline constexpr unsigned kAckPanelBit = 5;

enum class OutputType : std::uint8_t {
    LightSignal = 0,
    Control = 1,
    SoundSignal = 2,
    ControlWithBlock = 3,
};

// Columns of the relay grid; rows 2..9 are relays 1..8.
enum OutBaseColumn : int {
    kColRelay = 0,
    kColType = 1,
    kColAckPanel = 2,
    kColAckModbus = 3,
    kColAckExternal = 4,
    kColResetPanel = 5,
    kColResetModbus = 6,
    kColResetExternal = 7,
};
inline constexpr int kOutBaseColumns = 8;
inline constexpr int kOutBaseHeaderRows = 2;

inline constexpr std::string_view kInputOutOfRange = " Номер входа вне диапазона 1 - 64";

// The drop-down list shows the types in this order, not in code order.
inline constexpr std::size_t kOutputTypeCount = 4;
OutputType OutputTypeAtListPosition(int position); // 0..3, else std::out_of_range
int ListPositionOf(OutputType type);
std::string_view OutputTypeCaption(OutputType type); // two leading blanks
// The four captions in list order.
std::array<std::string_view, kOutputTypeCount> OutputTypeListItems();

// What the type allows and greys in its row.
struct RelayRowRules {
    bool ackEditable;   // columns 2..4
    bool resetEditable; // columns 5..7
    bool ackGreyed;     // font of column 4
    bool resetGreyed;   // font of column 7
};
RelayRowRules RowRulesFor(OutputType type);
bool CanEditOutBaseCell(OutputType type, int column);

// The settings bit behind a check-box column, or nullopt for other columns.
std::optional<unsigned> CheckBoxBit(int column);

// External input number as typed: empty gives kNoExternalInput, "1".."64"
// give 0..63; everything else is refused with nullopt.
std::optional<std::uint8_t> ParseExternalInput(std::string_view text);
// A stored byte as shown: 0..63 as the input number, anything else empty.
std::string ExternalInputText(std::uint8_t value);

// relay is 1..8 throughout; anything else throws std::out_of_range.
std::uint8_t RelaySettings(const ConfigImage& image, std::size_t relay);
OutputType RelayType(const ConfigImage& image, std::size_t relay);
// Replaces only the type bits.
void SetRelayType(ConfigImage& image, std::size_t relay, OutputType type);
// Check-box columns write their bit; other columns change nothing.
void SetRelayCheckBox(ConfigImage& image, std::size_t relay, int column, bool checked);
// The byte behind an external-input column (4 or 7).
std::uint8_t ExternalInput(const ConfigImage& image, std::size_t relay, int column);
void SetExternalInput(ConfigImage& image, std::size_t relay, int column, std::uint8_t value);

// Fill menu tags 0..3 (light, sound, control, control with blocking).
std::uint8_t FillByteFromTag(int tag);
std::string_view FillCaptionFromTag(int tag);
void FillOutDataBase(ConfigImage& image, int tag);

// Relays 1..4 sound, 5..8 light, every flag set, no external inputs. The top
// two bits of relay 1's byte are kept and copied to the others.
void DefaultOutDataBase(Document& doc);

// The input numbers (1..64) that the input assignments tie to each relay's
// acknowledgment and reset; a later input wins a relay over an earlier one.
struct RelayInputs {
    std::array<std::optional<int>, kRelayCount> ack;
    std::array<std::optional<int>, kRelayCount> reset;
};
RelayInputs RelayInputsFromAssignments(const ConfigImage& image);

} // namespace glt
