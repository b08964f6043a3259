#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "document/codecs/external_net.hpp"

namespace glt {
namespace {

using Bytes = std::array<std::uint8_t, 5>;

void SetList(EntryList16 list, std::uint8_t count, const std::vector<Bytes>& entries)
{
    list[0] = count;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::ranges::copy(entries[i], Entry(list, i).begin());
    }
}

std::vector<Bytes> EntriesOf(ConstEntryList16 list)
{
    std::vector<Bytes> entries;
    for (std::size_t i = 0; i < EntryCount(list); ++i) {
        Bytes b{};
        std::ranges::copy(Entry(list, i), b.begin());
        entries.push_back(b);
    }
    return entries;
}

constexpr Bytes kA{3, 1, 0x10, 0x00, 32};
constexpr Bytes kB{4, 2, 0x00, 0x01, 8};
constexpr Bytes kC{5, 3, 0xCD, 0xAB, 1};
constexpr Bytes kNew{1, 2, 0, 0, 1};
constexpr Bytes kTest{10, 5, 0, 0, 32};

TEST(ExternalNetCodec, ListsSitAtTheirBlocks)
{
    Document doc;
    EXPECT_EQ(NetRequests(doc.image).data(), doc.image.data() + 233);
    EXPECT_EQ(NetReceipts(doc.image).data(), doc.image.data() + 316);
    EXPECT_EQ(NetResets(doc.image).data(), doc.image.data() + 399);
}

TEST(ExternalNetCodec, DisplayTexts)
{
    EXPECT_EQ(FunctionText(1), "1   R.Coil ");
    EXPECT_EQ(FunctionText(2), "2   R.Disc");
    EXPECT_EQ(FunctionText(0), "0x00");
    EXPECT_EQ(FunctionText(3), "0x03");
    EXPECT_EQ(FunctionText(0xAB), "0xAB");
    EXPECT_EQ(Hex4(0), "0x0000");
    EXPECT_EQ(Hex4(0xABCD), "0xABCD");
    EXPECT_EQ(LinkedText({3, 0x0010, true}), "0x0010 / 1");
    EXPECT_EQ(LinkedText({3, 0x0100, false}), "0x0100 / 0");

    Document doc;
    SetList(NetRequests(doc.image), 1, {kC});
    const NetRequest request = RequestAt(NetRequests(doc.image), 0);
    EXPECT_EQ(request.device, 5);
    EXPECT_EQ(request.function, 3);
    EXPECT_EQ(request.start, 0xABCD);
    EXPECT_EQ(request.count, 1);
}

TEST(ExternalNetCodec, InputNumbersRunOnFrom33)
{
    struct Case {
        std::vector<Bytes> requests;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {{}, {}},
        {{kNew}, {"33"}},
        {{kA, kB}, {"33 - 64", "65 - 72"}},
        {{kB, kC, kA}, {"33 - 40", "41", "42 - 73"}},
    };
    for (const Case& c : cases) {
        Document doc;
        SetList(NetRequests(doc.image), static_cast<std::uint8_t>(c.requests.size()), c.requests);
        EXPECT_EQ(InputNumberTexts(doc.image), c.texts);
    }
}

TEST(ExternalNetCodec, LinkedEntriesShowInTheFirstRowOfTheirDevice)
{
    Document doc;
    // Requests for devices 3, 4, 3, 5: the second request of device 3 shows nothing.
    SetList(NetRequests(doc.image), 4, {kA, kB, kA, kC});
    SetList(NetReceipts(doc.image), 4,
        {{3, 9, 0x10, 0x00, 1}, {7, 0, 0x20, 0, 1}, {5, 0, 0x30, 0, 0}, {3, 0, 0x40, 0, 0}});
    EXPECT_EQ(LinkedColumn(NetRequests(doc.image), NetReceipts(doc.image)),
        (std::vector<std::string>{"0x0040 / 0", "", "", "0x0030 / 0"}));

    SetList(NetResets(doc.image), 1, {{3, 0, 0x10, 0x00, 1}});
    EXPECT_EQ(LinkedColumn(NetRequests(doc.image), NetResets(doc.image)),
        (std::vector<std::string>{"0x0010 / 1", "", "", ""}));

    // Entries behind the count are not part of the list.
    SetList(NetResets(doc.image), 0, {{3, 0, 0x10, 0x00, 1}});
    EXPECT_EQ(LinkedColumn(NetRequests(doc.image), NetResets(doc.image)), (std::vector<std::string>(4)));
}

TEST(ExternalNetCodec, CountAboveSixteenIsReadAsSixteen)
{
    Document doc;
    NetRequests(doc.image)[0] = 200;
    NetReceipts(doc.image)[0] = 255;
    for (std::size_t i = 0; i < 16; ++i) {
        Entry(NetRequests(doc.image), i)[request_field::kCount] = 1;
    }
    EXPECT_EQ(InputNumberTexts(doc.image).size(), 16U);
    EXPECT_EQ(InputNumberTexts(doc.image).back(), "48");
    EXPECT_EQ(LinkedColumn(NetRequests(doc.image), NetReceipts(doc.image)).size(), 16U);
    EXPECT_EQ(AddRequest(doc.image, 3), 3);
    EXPECT_EQ(NetRequests(doc.image)[0], 200) << "a full list is left alone";
    EXPECT_EQ(MoveRequestDown(doc.image, 15), 15);
    EXPECT_EQ(MoveRequestUp(doc.image, 15), 14);
    EXPECT_EQ(DeleteRequest(doc.image, 15), 14);
    EXPECT_EQ(NetRequests(doc.image)[0], 15);
    EXPECT_EQ(doc.image[315], 0) << "nothing written behind the list";
}

struct OperationCase {
    const char* name;
    std::vector<Bytes> before;
    int selected;
    int (*operation)(ConfigImage&, int);
    std::vector<Bytes> after;
    int selectedAfter;
};

TEST(ExternalNetCodec, OperationsAndTheSelectionThatFollows)
{
    const std::vector<Bytes> full(16, kA);
    const OperationCase cases[] = {
        {"add to an empty list", {}, kNoRequest, AddRequest, {kNew}, 0},
        {"add without selection goes first", {kA, kB}, kNoRequest, AddRequest, {kNew, kA, kB}, 0},
        {"add before the selected", {kA, kB}, 1, AddRequest, {kA, kNew, kB}, 1},
        {"add to a full list", full, 2, AddRequest, full, 2},
        {"delete without selection", {kA, kB}, kNoRequest, DeleteRequest, {kA, kB}, kNoRequest},
        {"delete the first of three", {kA, kB, kC}, 0, DeleteRequest, {kB, kC}, 0},
        {"delete the middle of three", {kA, kB, kC}, 1, DeleteRequest, {kA, kC}, 1},
        {"delete the last of three", {kA, kB, kC}, 2, DeleteRequest, {kA, kB}, 1},
        {"delete the only one", {kA}, 0, DeleteRequest, {}, kNoRequest},
        {"up the last of three", {kA, kB, kC}, 2, MoveRequestUp, {kA, kC, kB}, 1},
        {"up the first", {kA, kB, kC}, 0, MoveRequestUp, {kA, kB, kC}, 0},
        {"up without selection", {kA, kB}, kNoRequest, MoveRequestUp, {kA, kB}, kNoRequest},
        {"down the first of three", {kA, kB, kC}, 0, MoveRequestDown, {kB, kA, kC}, 1},
        {"down the last", {kA, kB, kC}, 2, MoveRequestDown, {kA, kB, kC}, 2},
        {"down without selection", {kA, kB}, kNoRequest, MoveRequestDown, {kA, kB}, kNoRequest},
        {"test request goes first", {kA}, 0, InsertTestRequest, {kTest, kA}, 0},
        {"test request on a full list", full, 5, InsertTestRequest, full, 5},
        {"a stale selection behind the list", {kA}, 3, DeleteRequest, {kA}, 3},
    };
    for (const OperationCase& c : cases) {
        Document doc;
        SetList(NetRequests(doc.image), static_cast<std::uint8_t>(c.before.size()), c.before);
        SetList(NetReceipts(doc.image), 1, {{3, 0, 0x10, 0, 1}});
        const ConfigImage before = doc.image;
        EXPECT_EQ(c.operation(doc.image, c.selected), c.selectedAfter) << c.name;
        EXPECT_EQ(EntriesOf(NetRequests(doc.image)), c.after) << c.name;
        // The other lists and every byte outside the request list stay.
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (i < 233 || i > 313) {
                ASSERT_EQ(doc.image[i], before[i]) << c.name << " offset " << i;
            }
        }
    }
}

TEST(ExternalNetCodec, DeletedSlotKeepsItsBytes)
{
    Document doc;
    SetList(NetRequests(doc.image), 2, {kA, kB});
    DeleteRequest(doc.image, 1);
    Bytes slot{};
    std::ranges::copy(Entry(NetRequests(doc.image), 1), slot.begin());
    EXPECT_EQ(slot, kB);
}

TEST(ExternalNetCodec, DialogFields)
{
    Document doc;
    SetList(NetRequests(doc.image), 3, {kA, kB, kC});
    SetList(NetReceipts(doc.image), 2, {{3, 0, 0x10, 0x00, 1}, {3, 0, 0x99, 0x00, 1}});
    SetList(NetResets(doc.image), 1, {{4, 0, 0x34, 0x12, 0}});

    const RequestFields a = RequestFieldsAt(doc.image, 0);
    EXPECT_EQ(a.netAddress, "3");
    EXPECT_EQ(a.functionItem, 0);
    EXPECT_EQ(a.functionText, "1   R.Coil ");
    EXPECT_EQ(a.dataAddress, "0x0010");
    EXPECT_EQ(a.dataValue, "32");
    EXPECT_TRUE(a.receipt);
    EXPECT_EQ(a.receiptAddress, "0x0010") << "the first entry of the device";
    EXPECT_FALSE(a.unset);
    EXPECT_EQ(a.unsetAddress, "0x0001");

    const RequestFields b = RequestFieldsAt(doc.image, 1);
    EXPECT_EQ(b.functionItem, 1);
    EXPECT_FALSE(b.receipt);
    EXPECT_EQ(b.receiptAddress, "0x0000");
    EXPECT_TRUE(b.unset);
    EXPECT_EQ(b.unsetAddress, "0x1234");

    const RequestFields c = RequestFieldsAt(doc.image, 2);
    EXPECT_EQ(c.functionItem, -1);
    EXPECT_EQ(c.functionText, "0x03");
    EXPECT_EQ(c.dataAddress, "0xABCD");
    EXPECT_EQ(c.dataValue, "1");
}

TEST(ExternalNetCodec, DefaultClearsTheThreeListsOnly)
{
    Document doc;
    doc.image.fill(0x5A);
    DefaultExternalNet(doc);
    for (std::size_t i = 0; i < doc.image.size(); ++i) {
        const bool listData = (i >= 233 && i <= 313) || (i >= 316 && i <= 396) || (i >= 399 && i <= 479);
        ASSERT_EQ(doc.image[i], listData ? 0 : 0x5A) << "offset " << i;
    }
}

} // namespace
} // namespace glt
