#include "document/entry_list.hpp"

#include <algorithm>

namespace glt {

std::size_t EntryCount(ConstEntryList16 list) { return std::min<std::size_t>(list[0], kMaxEntries); }

std::span<std::uint8_t, kEntrySize> Entry(EntryList16 list, std::size_t index)
{
    return list.subspan(1 + kEntrySize * index).first<kEntrySize>();
}

std::span<const std::uint8_t, kEntrySize> Entry(ConstEntryList16 list, std::size_t index)
{
    return list.subspan(1 + kEntrySize * index).first<kEntrySize>();
}

int FindEntry(int key, ConstEntryList16 list)
{
    const std::size_t count = EntryCount(list);
    for (std::size_t i = 0; i < count; ++i) {
        if (Entry(list, i)[0] == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DeleteEntry(std::size_t index, EntryList16 list)
{
    std::size_t count = EntryCount(list);
    if (count == 0) {
        list[0] = 0;
        return;
    }
    --count;
    for (std::size_t k = index; k < count; ++k) {
        std::ranges::copy(Entry(list, k + 1), Entry(list, k).begin());
    }
    list[0] = static_cast<std::uint8_t>(count);
}

void InsertEntry(std::size_t index, std::uint32_t head, std::uint8_t last, EntryList16 list)
{
    const std::size_t count = EntryCount(list);
    if (count >= kMaxEntries || index > count) {
        return;
    }
    for (std::size_t k = count; k > index; --k) {
        std::ranges::copy(Entry(list, k - 1), Entry(list, k).begin());
    }
    auto entry = Entry(list, index);
    for (std::size_t b = 0; b < 4; ++b) {
        entry[b] = static_cast<std::uint8_t>(head >> (8 * b));
    }
    entry[4] = last;
    list[0] = static_cast<std::uint8_t>(count + 1);
}

} // namespace glt
