#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "document/codecs/external_net.hpp"
#include "main_window_fixture.hpp"
#include "scripted_page_context.hpp"
#include "ui/grid/string_grid.hpp"
#include "ui/look.hpp"
#include "ui/pages/external_net_page.hpp"

namespace glt::ui {
namespace {

using Bytes = std::array<std::uint8_t, 5>;

constexpr Bytes kA{3, 1, 0x10, 0x00, 32};
constexpr Bytes kB{4, 2, 0x00, 0x01, 8};
constexpr Bytes kC{5, 3, 0xCD, 0xAB, 1};

class ExternalNetPageTest : public ::testing::Test {
protected:
    ExternalNetPageTest()
    {
        env.context.showRequestDialog = [this](std::size_t request) { dialogs.push_back(request); };
        page.resize(640, 420);
        page.Setup();
        page.Default();
    }

    StringGrid& grid() { return page.ASGExternalNet(); }

    void setList(EntryList16 list, const std::vector<Bytes>& entries)
    {
        list[0] = static_cast<std::uint8_t>(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            std::ranges::copy(entries[i], Entry(list, i).begin());
        }
    }
    void setRequests(const std::vector<Bytes>& entries)
    {
        setList(NetRequests(env.doc.image), entries);
        page.GetExternalNet();
    }
    std::vector<std::uint8_t> devices()
    {
        std::vector<std::uint8_t> out;
        const auto list = NetRequests(env.doc.image);
        for (std::size_t i = 0; i < EntryCount(list); ++i) {
            out.push_back(Entry(list, i)[0]);
        }
        return out;
    }
    QStringList rowTexts(int row)
    {
        QStringList texts;
        for (int col = 0; col < 7; ++col) {
            texts << grid().Cell(col, row);
        }
        return texts;
    }
    void press(const char* name)
    {
        auto* button = page.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    QPoint cellCentre(int col, int row) { return grid().visualRect(grid().model()->index(row, col)).center(); }
    void clickRow(int row) { QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(0, row)); }
    // A widget double-click is the second press of a click pair.
    void doubleClickRow(int row)
    {
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(1, row));
        QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(1, row));
    }

    testing_support::ScriptedContext env;
    std::vector<std::size_t> dialogs;
    ExternalNetPage page{env.context};
};

TEST_F(ExternalNetPageTest, AfterANewConfigurationOnlyHeadersAndNothingSelected)
{
    EXPECT_EQ(grid().rowCount(), 18);
    EXPECT_EQ(grid().columnCount(), 7);
    EXPECT_EQ(grid().Cell(0, 0), "Устрой- ство");
    EXPECT_EQ(grid().rowSpan(0, 0), 2);
    EXPECT_EQ(grid().Cell(1, 0), "Функция ModBus");
    EXPECT_EQ(grid().Cell(2, 0), "Данные");
    EXPECT_EQ(grid().columnSpan(0, 2), 3);
    EXPECT_EQ(rowTexts(1).mid(2, 3), QStringList({"Адрес", "Кол-во", "№ Входа"}));
    EXPECT_EQ(grid().Cell(5, 0), "Квитиро- вание");
    EXPECT_EQ(grid().Cell(6, 0), QString::fromUtf8("C\u0431\u0440\u043e\u0441")) << "Latin C, then Cyrillic";
    for (int row = 2; row < 18; ++row) {
        EXPECT_EQ(rowTexts(row).join(""), "") << row;
        EXPECT_EQ(grid().CellColour(4, row), BgrColor(0x00F5E4E2)) << row;
    }
    EXPECT_EQ(page.GetSelectedRequestRow(), -1);

    const ConfigImage before = env.doc.image;
    for (const char* button : {"SBDelRequest", "SBUpRequestRow", "SBDownRequestRow"}) {
        press(button);
        EXPECT_EQ(env.doc.image, before) << button;
        EXPECT_EQ(page.GetSelectedRequestRow(), -1) << button;
    }
    clickRow(2);
    EXPECT_EQ(page.GetSelectedRequestRow(), -1) << "an empty row cannot be selected";
    EXPECT_TRUE(page.findChild<QPushButton*>("Button27")->isHidden());
    EXPECT_FALSE(page.findChild<QPushButton*>("Button28")->isHidden());
    EXPECT_FALSE(page.findChild<QPushButton*>("Button17")->isHidden());
}

TEST_F(ExternalNetPageTest, AddOnAnEmptyAndOnAFullList)
{
    press("SBAddRequest");
    EXPECT_EQ(rowTexts(2), QStringList({"1", "2   R.Disc", "0x0000", "1", "33", "", ""}));
    EXPECT_EQ(page.GetSelectedRequestRow(), 2);
    EXPECT_EQ(NetRequests(env.doc.image)[0], 1);

    setRequests(std::vector<Bytes>(16, kB));
    clickRow(5);
    const ConfigImage before = env.doc.image;
    press("SBAddRequest");
    EXPECT_EQ(env.doc.image, before);
    EXPECT_EQ(page.GetSelectedRequestRow(), 5);
    EXPECT_EQ(grid().Cell(0, 17), "4");
}

TEST_F(ExternalNetPageTest, AddInsertsBeforeTheSelectedRequest)
{
    setRequests({kA, kB});
    clickRow(3);
    ASSERT_EQ(page.GetSelectedRequestRow(), 3);
    press("SBAddRequest");
    EXPECT_EQ(devices(), (std::vector<std::uint8_t>{3, 1, 4}));
    EXPECT_EQ(page.GetSelectedRequestRow(), 3);
    EXPECT_EQ(grid().Cell(4, 2), "33 - 64");
    EXPECT_EQ(grid().Cell(4, 3), "65");
    EXPECT_EQ(grid().Cell(4, 4), "66 - 73");
}

TEST_F(ExternalNetPageTest, DeleteUpAndDownWithTheSelectionThatFollows)
{
    struct Case {
        const char* name;
        const char* button;
        int selectedRow;
        std::vector<std::uint8_t> devicesAfter;
        int selectedAfter;
    };
    const Case cases[] = {
        {"delete the last", "SBDelRequest", 4, {3, 4}, 3},
        {"delete the first", "SBDelRequest", 2, {4, 5}, 2},
        {"delete the middle", "SBDelRequest", 3, {3, 5}, 3},
        {"up the last", "SBUpRequestRow", 4, {3, 5, 4}, 3},
        {"up the first", "SBUpRequestRow", 2, {3, 4, 5}, 2},
        {"down the first", "SBDownRequestRow", 2, {4, 3, 5}, 3},
        {"down the last", "SBDownRequestRow", 4, {3, 4, 5}, 4},
    };
    for (const Case& c : cases) {
        setRequests({kA, kB, kC});
        clickRow(c.selectedRow);
        ASSERT_EQ(page.GetSelectedRequestRow(), c.selectedRow) << c.name;
        press(c.button);
        EXPECT_EQ(devices(), c.devicesAfter) << c.name;
        EXPECT_EQ(page.GetSelectedRequestRow(), c.selectedAfter) << c.name;
        for (std::size_t i = 0; i < c.devicesAfter.size(); ++i) {
            EXPECT_EQ(grid().Cell(0, static_cast<int>(i) + 2), QString::number(c.devicesAfter[i])) << c.name;
        }
    }

    // The input numbers follow the new order.
    setRequests({kA, kB, kC});
    clickRow(4);
    press("SBUpRequestRow");
    EXPECT_EQ(grid().Cell(4, 2), "33 - 64");
    EXPECT_EQ(grid().Cell(4, 3), "65");
    EXPECT_EQ(grid().Cell(4, 4), "66 - 73");

    setRequests({kA});
    press("SBDelRequest");
    EXPECT_EQ(devices(), std::vector<std::uint8_t>{});
    EXPECT_EQ(page.GetSelectedRequestRow(), -1);
    EXPECT_EQ(rowTexts(2).join(""), "");
}

TEST_F(ExternalNetPageTest, LinkedEntriesShowInTheRightRowOnly)
{
    setList(NetReceipts(env.doc.image), {{3, 0, 0x10, 0x00, 1}, {4, 0, 0x20, 0x00, 0}, {9, 0, 0x30, 0, 1}});
    setList(NetResets(env.doc.image), {{5, 0, 0x01, 0x00, 1}});
    setRequests({kA, kB, kA, kC});
    EXPECT_EQ(grid().Cell(5, 2), "0x0010 / 1");
    EXPECT_EQ(grid().Cell(5, 3), "0x0020 / 0");
    EXPECT_EQ(grid().Cell(5, 4), "") << "device 3 appeared in an earlier row";
    EXPECT_EQ(grid().Cell(5, 5), "");
    EXPECT_EQ(grid().Cell(6, 5), "0x0001 / 1");
    EXPECT_EQ(grid().Cell(6, 2), "");
    EXPECT_EQ(grid().Cell(1, 5), "0x03");

    // Deleting the only request of device 5 keeps its reset entry in the list.
    clickRow(5);
    press("SBDelRequest");
    EXPECT_EQ(NetResets(env.doc.image)[0], 1);
    EXPECT_EQ(rowTexts(5).join(""), "");
    // Moving carries the linked texts with their requests.
    clickRow(3);
    press("SBUpRequestRow");
    EXPECT_EQ(grid().Cell(5, 2), "0x0020 / 0");
    EXPECT_EQ(grid().Cell(5, 3), "0x0010 / 1");
}

TEST_F(ExternalNetPageTest, InputNumbersBeyond64)
{
    setRequests({kA, kB});
    EXPECT_EQ(grid().Cell(4, 2), "33 - 64");
    EXPECT_EQ(grid().Cell(4, 3), "65 - 72");
}

TEST_F(ExternalNetPageTest, TestRequestShowsAfterGet)
{
    setRequests({kB});
    press("Button28");
    EXPECT_EQ(devices(), (std::vector<std::uint8_t>{10, 4}));
    EXPECT_EQ(grid().Cell(0, 2), "4") << "not redrawn yet";
    press("Button17");
    EXPECT_EQ(rowTexts(2).mid(0, 5), QStringList({"10", "0x05", "0x0000", "32", "33 - 64"}));
    EXPECT_EQ(page.GetSelectedRequestRow(), 2);
}

TEST_F(ExternalNetPageTest, CountAboveSixteenShowsSixteenRows)
{
    std::vector<Bytes> full(16, kC);
    setList(NetRequests(env.doc.image), full);
    NetRequests(env.doc.image)[0] = 40;
    page.GetExternalNet();
    EXPECT_EQ(grid().Cell(0, 17), "5");
    EXPECT_EQ(grid().Cell(4, 17), "48");
    clickRow(17);
    press("SBDownRequestRow");
    EXPECT_EQ(page.GetSelectedRequestRow(), 17);
    press("SBDelRequest");
    EXPECT_EQ(NetRequests(env.doc.image)[0], 15);
    EXPECT_EQ(page.GetSelectedRequestRow(), 16);
}

TEST_F(ExternalNetPageTest, DoubleClickOpensTheDialogForRequestRowsOnly)
{
    setRequests({kA, kB});
    doubleClickRow(3);
    doubleClickRow(0);
    doubleClickRow(1);
    doubleClickRow(4);
    doubleClickRow(2);
    EXPECT_EQ(dialogs, (std::vector<std::size_t>{1, 0}));
}

TEST_F(ExternalNetPageTest, HiddenDefaultClearsTheLists)
{
    setList(NetReceipts(env.doc.image), {{3, 0, 0x10, 0x00, 1}});
    setRequests({kA, kB});
    press("Button27");
    for (const ConstEntryList16 list :
        {NetRequests(env.doc.image), NetReceipts(env.doc.image), NetResets(env.doc.image)}) {
        EXPECT_TRUE(std::ranges::all_of(list, [](std::uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(rowTexts(2).join(""), "");
    EXPECT_EQ(page.GetSelectedRequestRow(), -1);
}

// The selected row is drawn shaded towards orange at its bottom; the picture
// is kept for a look at the page.
TEST_F(ExternalNetPageTest, DrawnSelection)
{
    page.show();
    setList(NetReceipts(env.doc.image), {{3, 0, 0x10, 0x00, 1}});
    setList(NetResets(env.doc.image), {{4, 0, 0x01, 0x00, 0}});
    setRequests({kA, kB, kC});
    clickRow(3);
    const QImage picture = page.grab().toImage();
    picture.save("/tmp/external_net_page.png");
    const auto pixel = [&](int row, int dy) {
        const QRect cell = grid().visualRect(grid().model()->index(row, 3));
        const QPoint at(cell.left() + 2, dy < 0 ? cell.bottom() + dy : cell.top() + dy);
        return picture.pixelColor(grid().mapTo(&page, grid().viewport()->mapTo(&grid(), at)));
    };
    const QColor shaded = pixel(3, -2);
    EXPECT_GT(shaded.red(), 200);
    EXPECT_LT(shaded.blue(), 120) << "bottom of the selected row leans to orange";
    EXPECT_EQ(pixel(2, -2), QColor(Qt::white)) << "an unselected row stays plain";
}

using ExternalNetInMainWindow = testing_support::MainWindowFixture;

// The page's tab is never shown, yet the page is set up, defaulted and its
// buttons work on the window's document.
TEST_F(ExternalNetInMainWindow, HiddenPageIsSetUpAndItsOperationsWork)
{
    auto& page = Find<ExternalNetPage>("AdvOfficePage8");
    auto& grid = Find<StringGrid>("ASGExternalNet");
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(grid.Cell(1, 0), "Функция ModBus");
    EXPECT_EQ(page.GetSelectedRequestRow(), -1);

    Find<QToolButton>("SBAddRequest").click();
    EXPECT_EQ(window->Doc().image[Block(BlockId::NetRequests).offset], 1);
    EXPECT_EQ(grid.Cell(1, 2), "2   R.Disc");
    EXPECT_EQ(page.GetSelectedRequestRow(), 2);
}

} // namespace
} // namespace glt::ui
