#include "document/codecs/external_net.hpp"

#include <algorithm>
#include <cstdio>

namespace glt {

namespace {

EntryList16 ListOf(ConfigImage& image, BlockId id) { return BlockData(image, id).first<kEntryListSize>(); }
ConstEntryList16 ListOf(const ConfigImage& image, BlockId id) { return BlockData(image, id).first<kEntryListSize>(); }

std::uint16_t U16At(std::span<const std::uint8_t, kEntrySize> entry, std::size_t at)
{
    return static_cast<std::uint16_t>(entry[at] | (entry[at + 1] << 8));
}

std::string Format(const char* format, unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int Count(const ConfigImage& image) { return static_cast<int>(EntryCount(NetRequests(image))); }

bool Selects(const ConfigImage& image, int selected) { return selected >= 0 && selected < Count(image); }

void SwapRequests(ConfigImage& image, int a, int b)
{
    const EntryList16 list = NetRequests(image);
    std::ranges::swap_ranges(Entry(list, static_cast<std::size_t>(a)), Entry(list, static_cast<std::size_t>(b)));
}

} // namespace

EntryList16 NetRequests(ConfigImage& image) { return ListOf(image, BlockId::NetRequests); }
ConstEntryList16 NetRequests(const ConfigImage& image) { return ListOf(image, BlockId::NetRequests); }
EntryList16 NetReceipts(ConfigImage& image) { return ListOf(image, BlockId::NetReceipts); }
ConstEntryList16 NetReceipts(const ConfigImage& image) { return ListOf(image, BlockId::NetReceipts); }
EntryList16 NetResets(ConfigImage& image) { return ListOf(image, BlockId::NetResets); }
ConstEntryList16 NetResets(const ConfigImage& image) { return ListOf(image, BlockId::NetResets); }

NetRequest RequestAt(ConstEntryList16 requests, std::size_t index)
{
    const auto entry = Entry(requests, index);
    return {entry[request_field::kDevice], entry[request_field::kFunction], U16At(entry, request_field::kStart),
        entry[request_field::kCount]};
}

LinkedEntry LinkedAt(ConstEntryList16 list, std::size_t index)
{
    const auto entry = Entry(list, index);
    return {entry[linked_field::kDevice], U16At(entry, linked_field::kAddress), entry[linked_field::kFlag] != 0};
}

std::optional<LinkedEntry> LinkedEntryFor(ConstEntryList16 list, std::uint8_t device)
{
    const int found = FindEntry(device, list);
    if (found < 0) {
        return std::nullopt;
    }
    return LinkedAt(list, static_cast<std::size_t>(found));
}

std::string FunctionText(std::uint8_t function)
{
    if (function >= 1 && function <= kFunctionItems.size()) {
        return std::string(kFunctionItems[function - 1U]);
    }
    return Format("0x%02X", function);
}

std::string Hex4(std::uint16_t value) { return Format("0x%04X", value); }

std::string LinkedText(const LinkedEntry& entry) { return Hex4(entry.address) + (entry.flag ? " / 1" : " / 0"); }

std::vector<std::string> InputNumberTexts(const ConfigImage& image)
{
    const ConstEntryList16 requests = NetRequests(image);
    std::vector<std::string> texts;
    int next = kFirstNetInput;
    for (std::size_t i = 0; i < EntryCount(requests); ++i) {
        const int count = RequestAt(requests, i).count;
        texts.push_back(count == 1 ? std::to_string(next)
                                   : std::to_string(next) + " - " + std::to_string(next + count - 1));
        next += count;
    }
    return texts;
}

std::vector<std::string> LinkedColumn(ConstEntryList16 requests, ConstEntryList16 linked)
{
    std::vector<std::string> column(EntryCount(requests));
    for (std::size_t k = 0; k < EntryCount(linked); ++k) {
        const LinkedEntry entry = LinkedAt(linked, k);
        const int row = FindEntry(entry.device, requests);
        if (row >= 0) {
            column[static_cast<std::size_t>(row)] = LinkedText(entry);
        }
    }
    return column;
}

int AddRequest(ConfigImage& image, int selected)
{
    if (EntryCount(NetRequests(image)) >= kMaxEntries) {
        return selected;
    }
    const int at = Selects(image, selected) ? selected : 0;
    InsertEntry(static_cast<std::size_t>(at), kNewRequestHead, kNewRequestCount, NetRequests(image));
    return at;
}

int DeleteRequest(ConfigImage& image, int selected)
{
    if (!Selects(image, selected)) {
        return selected;
    }
    DeleteEntry(static_cast<std::size_t>(selected), NetRequests(image));
    const int count = Count(image);
    if (count == 0) {
        return kNoRequest;
    }
    return selected == count ? selected - 1 : selected;
}

int MoveRequestUp(ConfigImage& image, int selected)
{
    if (!Selects(image, selected) || selected == 0) {
        return selected;
    }
    SwapRequests(image, selected, selected - 1);
    return selected - 1;
}

int MoveRequestDown(ConfigImage& image, int selected)
{
    if (!Selects(image, selected) || selected == Count(image) - 1) {
        return selected;
    }
    SwapRequests(image, selected, selected + 1);
    return selected + 1;
}

int InsertTestRequest(ConfigImage& image, int selected)
{
    InsertEntry(0, kTestRequestHead, kTestRequestCount, NetRequests(image));
    return selected;
}

int FirstRequestSelection(const ConfigImage& image) { return Count(image) > 0 ? 0 : kNoRequest; }

RequestFields RequestFieldsFor(
    const NetRequest& request, const std::optional<LinkedEntry>& receipt, const std::optional<LinkedEntry>& reset)
{
    RequestFields fields;
    fields.netAddress = std::to_string(request.device);
    fields.dataAddress = Hex4(request.start);
    fields.dataValue = std::to_string(request.count);
    fields.functionText = FunctionText(request.function);
    fields.functionItem = request.function >= 1 && request.function <= kFunctionItems.size() ? request.function - 1 : -1;
    fields.receipt = receipt.has_value();
    fields.receiptAddress = receipt ? Hex4(receipt->address) : "0x0000";
    fields.unset = reset.has_value();
    fields.unsetAddress = reset ? Hex4(reset->address) : "0x0001";
    return fields;
}

RequestFields RequestFieldsAt(const ConfigImage& image, std::size_t index)
{
    const NetRequest request = RequestAt(NetRequests(image), index);
    return RequestFieldsFor(
        request, LinkedEntryFor(NetReceipts(image), request.device), LinkedEntryFor(NetResets(image), request.device));
}

void DefaultExternalNet(Document& doc)
{
    for (BlockId id : {BlockId::NetRequests, BlockId::NetReceipts, BlockId::NetResets}) {
        std::ranges::fill(BlockData(doc.image, id), std::uint8_t{0});
    }
}

} // namespace glt
