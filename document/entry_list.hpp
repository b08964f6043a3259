#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace glt {

// A list of up to 16 entries of 5 bytes behind one count byte (blocks 7 to 9).
inline constexpr std::size_t kEntrySize = 5;
inline constexpr std::size_t kMaxEntries = 16;
inline constexpr std::size_t kEntryListSize = 1 + kEntrySize * kMaxEntries;

using EntryList16 = std::span<std::uint8_t, kEntryListSize>;
using ConstEntryList16 = std::span<const std::uint8_t, kEntryListSize>;

// The count byte as the list is used: a file or a panel may bring a count
// above 16, which is taken as 16 so that nothing reads behind the last slot.
std::size_t EntryCount(ConstEntryList16 list);

std::span<std::uint8_t, kEntrySize> Entry(EntryList16 list, std::size_t index);
std::span<const std::uint8_t, kEntrySize> Entry(ConstEntryList16 list, std::size_t index);

// Index of the first entry whose key byte equals key, or -1.
int FindEntry(int key, ConstEntryList16 list);

// Removes entry index (0 <= index < count); the slot that falls out of use
// keeps its bytes.
void DeleteEntry(std::size_t index, EntryList16 list);

// Inserts head (entry bytes 0..3, little-endian) and last (byte 4) at index
// (0 <= index <= count); a full list is left unchanged.
void InsertEntry(std::size_t index, std::uint32_t head, std::uint8_t last, EntryList16 list);

} // namespace glt
