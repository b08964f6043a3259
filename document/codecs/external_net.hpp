#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/document.hpp"
#include "document/entry_list.hpp"

namespace glt {

// The three external-network lists: poll requests, acknowledgment entries and
// reset entries, the latter two linked to requests by device address.
EntryList16 NetRequests(ConfigImage& image);
ConstEntryList16 NetRequests(const ConfigImage& image);
EntryList16 NetReceipts(ConfigImage& image);
ConstEntryList16 NetReceipts(const ConfigImage& image);
EntryList16 NetResets(ConfigImage& image);
ConstEntryList16 NetResets(const ConfigImage& image);

// Byte positions inside one 5-byte entry.
namespace request_field {
inline constexpr std::size_t kDevice = 0;
inline constexpr std::size_t kFunction = 1;
inline constexpr std::size_t kStart = 2; // u16, low byte first
inline constexpr std::size_t kCount = 4;
} // namespace request_field

namespace linked_field {
inline constexpr std::size_t kDevice = 0;
inline constexpr std::size_t kSpare = 1; // carried unchanged, never shown
inline constexpr std::size_t kAddress = 2; // u16, low byte first
inline constexpr std::size_t kFlag = 4;
} // namespace linked_field

struct NetRequest {
    std::uint8_t device;
    std::uint8_t function;
    std::uint16_t start;
    std::uint8_t count;
};

struct LinkedEntry {
    std::uint8_t device;
    std::uint16_t address;
    bool flag;
};

NetRequest RequestAt(ConstEntryList16 requests, std::size_t index);
LinkedEntry LinkedAt(ConstEntryList16 list, std::size_t index);
// The first entry of a list for a device, as the request dialog shows it.
std::optional<LinkedEntry> LinkedEntryFor(ConstEntryList16 list, std::uint8_t device);

// The two function codes with a name; the first is the request dialog's item 0.
inline constexpr std::array<std::string_view, 2> kFunctionItems{"1   R.Coil ", "2   R.Disc"};

std::string FunctionText(std::uint8_t function);    // "1   R.Coil ", "2   R.Disc" or "0x%02X"
std::string Hex4(std::uint16_t value);              // "0x%04X"
std::string LinkedText(const LinkedEntry& entry);   // "0x0010 / 1"

// Panel inputs fed by each request, numbered on from 33 in list order
// ("33", "33 - 64"); not limited to 64.
inline constexpr int kFirstNetInput = 33;
std::vector<std::string> InputNumberTexts(const ConfigImage& image);

// What the acknowledgment (or reset) column shows in each request row: an
// entry shows in the first request row with its device; a later entry for the
// same device replaces an earlier one's text.
std::vector<std::string> LinkedColumn(ConstEntryList16 requests, ConstEntryList16 linked);

// The fixed entries the page inserts: "+" and "TEST".
inline constexpr std::uint32_t kNewRequestHead = 0x00000201; // device 1, function 2, start 0
inline constexpr std::uint8_t kNewRequestCount = 1;
inline constexpr std::uint32_t kTestRequestHead = 0x0000050A; // device 10, function 5, start 0
inline constexpr std::uint8_t kTestRequestCount = 0x20;

// Editing operations on the request list. `selected` is the selected request
// index or kNoRequest; each returns the request index selected afterwards.
// An operation that cannot apply changes nothing and keeps the selection.
inline constexpr int kNoRequest = -1;
int AddRequest(ConfigImage& image, int selected);      // before the selection, else first
int DeleteRequest(ConfigImage& image, int selected);   // the next one, or the new last
int MoveRequestUp(ConfigImage& image, int selected);
int MoveRequestDown(ConfigImage& image, int selected);
// Inserts the test request first; the view is not redrawn, so the selection stays.
int InsertTestRequest(ConfigImage& image, int selected);

// The selection a redraw leaves: the first request, or none.
int FirstRequestSelection(const ConfigImage& image);

// What the request dialog shows for request `index`.
struct RequestFields {
    std::string netAddress;
    std::string dataAddress;
    std::string dataValue;
    int functionItem; // index into kFunctionItems, or -1 with functionText shown
    std::string functionText;
    bool receipt;
    std::string receiptAddress;
    bool unset;
    std::string unsetAddress;
};

RequestFields RequestFieldsFor(
    const NetRequest& request, const std::optional<LinkedEntry>& receipt, const std::optional<LinkedEntry>& reset);
RequestFields RequestFieldsAt(const ConfigImage& image, std::size_t index);

// Every list empty and all entry bytes zero.
void DefaultExternalNet(Document& doc);

} // namespace glt
