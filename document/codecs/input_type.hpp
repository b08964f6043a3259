#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/config_image.hpp"
#include "document/document.hpp"

namespace glt {

// Block InputType: one contact bit per input, input k (1..64) at bit k-1.
inline constexpr unsigned kInputCount = 64;
inline constexpr std::size_t kDiscreteInputBytes = 4; // inputs 1..32 of the input modules

enum class ContactType : std::uint8_t {
    NormallyOpen = 0,
    NormallyClosed = 1,
};

// Pictures of the contact types in the main window's image list.
inline constexpr int kPictureNormallyOpen = 3;
inline constexpr int kPictureNormallyClosed = 4;

// Captions of the fill menu items, whose tags are the contact bits.
std::string_view ContactCaption(ContactType type);
int ContactPicture(ContactType type);

// tag is the button's tag, 0..63; anything else throws std::out_of_range.
ContactType InputContact(const ConfigImage& image, unsigned tag);
// Flips the input's bit and returns the new type.
ContactType ToggleInputContact(ConfigImage& image, unsigned tag);

// Sets every input in use to one type: all 64 with the Modbus master on,
// otherwise inputs 1..32 only, leaving 33..64 as they are.
void FillInputType(ConfigImage& image, ContactType type, bool modbusMaster);

// Where the page puts things for a given Modbus master flag.
struct InputsLayout {
    bool modbusGroupVisible;
    int fillButtonX;
};
InputsLayout InputsLayoutFor(bool modbusMaster);

// All 64 inputs normally open.
void DefaultInputType(Document& doc);

} // namespace glt
