#include <QAction>
#include <QLineEdit>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "document/codecs/cross_bar.hpp"
#include "document/codecs/dev_config.hpp"
#include "main_window_fixture.hpp"
#include "scripted_page_context.hpp"
#include "ui/look.hpp"
#include "ui/pages/page_grid_delegate.hpp"
#include "ui/pages/structure_page.hpp"

namespace glt::ui {
namespace {

const QString kWindow = QStringLiteral("  Окно сигнализации:");
const QString kAck = QStringLiteral("  Квитирование реле:");
const QString kNone = QStringLiteral("  —");
const std::string kWindowRefusal = " Окно вне диапазона 1 - 32";
const std::string kRelayRefusal = " Реле вне диапазона 1 - 8";
const QColor kOrange = BgrColor(0x000080FF);

constexpr int kKind = StructurePage::kKindColumn;
constexpr int kNumber = StructurePage::kNumberColumn;

class StructurePageTest : public ::testing::Test {
protected:
    StructurePageTest()
    {
        env.context.showRelayInputs = [this] { ++relayInputsShown; };
        page.resize(640, 400);
        page.Setup();
        page.Default();
    }

    StringGrid& grid() { return page.ASGCrossBar(); }
    std::uint8_t code(int input) const { return AssignCodes(env.doc.image)[static_cast<std::size_t>(input - 1)]; }
    void setCode(int input, std::uint8_t value) { AssignCodes(env.doc.image)[static_cast<std::size_t>(input - 1)] = value; }
    std::uint8_t mask(int input) const { return OutputMasks(env.doc.image)[static_cast<std::size_t>(input - 1)]; }

    void clickCell(int col, int row)
    {
        grid().scrollTo(grid().model()->index(row, col));
        const QRect cell = grid().visualRect(grid().model()->index(row, col));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
    }
    void choose(int row, const QString& item) { grid().UserChoseItem(kKind, row, static_cast<int>(grid().ComboItems().indexOf(item))); }
    void enter(int row, const QString& text) { grid().UserEntered(kNumber, row, text); }
    bool yellow(int row) { return grid().CellColour(kNumber, row) == BgrColor(kClYellow); }
    QColor numberFont(int row) { return grid().FontColour(kNumber, row); }

    void trigger(const char* item)
    {
        auto* action = page.findChild<QAction*>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    testing_support::ScriptedContext env;
    int relayInputsShown = 0;
    StructurePage page{env.context};
};

TEST_F(StructurePageTest, AfterANewConfiguration)
{
    EXPECT_EQ(grid().rowCount(), 65);
    EXPECT_EQ(grid().columnCount(), 12);
    EXPECT_EQ(grid().Cell(0, 0), "Вход");
    EXPECT_EQ(grid().columnSpan(0, 0), 2);
    EXPECT_EQ(grid().Cell(2, 0), "Активация выходов");
    EXPECT_EQ(grid().columnSpan(0, 2), 8);
    EXPECT_EQ(grid().Cell(kKind, 0), "Назначение");
    EXPECT_EQ(grid().Cell(kNumber, 0), "№");
    EXPECT_EQ(grid().rowSpan(1, 0), 32);
    EXPECT_EQ(grid().rowSpan(33, 0), 32);
    EXPECT_EQ(grid().item(1, 0)->data(kTurnedCaptionRole).toString(), "Д  и  с  к  р  е  т  н  ы  е    в  х  о  д  ы");
    EXPECT_EQ(grid().item(33, 0)->data(kTurnedCaptionRole).toString(), "В  х  о  д  ы    M  o  d  B  u  s");
    EXPECT_EQ(grid().ComboItems(), QStringList({kWindow, kNone}));

    for (int row = 1; row <= 64; ++row) {
        EXPECT_EQ(grid().Cell(1, row), QString::number(row));
        EXPECT_EQ(grid().Cell(kKind, row), row <= 32 ? kWindow : kNone) << row;
        EXPECT_EQ(grid().Cell(kNumber, row), row <= 32 ? QString::number(row) : QString()) << row;
        for (int output = 1; output <= 8; ++output) {
            const int col = output + 1;
            EXPECT_EQ(grid().Cell(col, row), QString::number(output));
            const bool active = row == output;
            EXPECT_EQ(grid().CellColour(col, row) == kOrange, active) << "row " << row << " output " << output;
            EXPECT_EQ(grid().FontColour(col, row), BgrColor(active ? kClWhite : kClBlack));
        }
    }
    EXPECT_EQ(env.shell.LastStatus(), " ver 1.60");
    EXPECT_EQ(relayInputsShown, 0) << "the default does not touch the outputs page";

    for (const char* name : {"Button14", "Button15"}) {
        auto* button = page.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isHidden()) << name;
    }
    auto* fill = page.findChild<QToolButton*>("SBFillCrossBar");
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->geometry(), QRect(555, 10, 40, 25));
    ASSERT_NE(fill->menu(), nullptr);
    EXPECT_EQ(fill->menu()->objectName(), "PMFillCrossBar");
}

TEST_F(StructurePageTest, OutputClicksToggleOneBitAlsoInANoneRow)
{
    const int col = 2 + 2; // output 3
    clickCell(col, 40);
    EXPECT_EQ(mask(40), 0x04);
    EXPECT_EQ(grid().CellColour(col, 40), kOrange);
    EXPECT_EQ(grid().FontColour(col, 40), BgrColor(kClWhite));
    clickCell(col, 40);
    EXPECT_EQ(mask(40), 0x00);
    EXPECT_NE(grid().CellColour(col, 40), kOrange);
    EXPECT_EQ(grid().FontColour(col, 40), BgrColor(kClBlack));

    clickCell(2, 1); // output 1 of input 1 was on
    EXPECT_EQ(mask(1), 0x00);
    EXPECT_EQ(code(40), 255) << "the assignment does not change";
    clickCell(1, 5); // the input number column is not an output
    EXPECT_EQ(mask(5), 0x10);
}

TEST_F(StructurePageTest, NumberEntriesAreCheckedBeforeTheyAreStored)
{
    struct Case {
        const char* name;
        int row;
        int codeBefore;
        QString entry;
        bool refused;
        std::string status;
        int codeAfter;
    };
    const Case cases[] = {
        {"window 33", 3, 2, "33", true, kWindowRefusal, 2},
        {"window 32", 3, 2, "32", false, " ver 1.60", 31},
        {"window 0", 3, 2, "0", true, kWindowRefusal, 2},
        {"window empty", 3, 2, "", true, kWindowRefusal, 2},
        {"acknowledgment 6 kept", 7, 105, "6", false, " ver 1.60", 105},
        {"acknowledgment 8", 7, 105, "8", false, " ver 1.60", 107},
        {"acknowledgment 9", 7, 105, "9", true, kRelayRefusal, 105},
        {"reset 1", 9, 120, "1", false, " ver 1.60", 116},
        {"reset 12 of a file", 9, 127, "12", true, kRelayRefusal, 127},
    };
    for (const Case& c : cases) {
        setCode(c.row, static_cast<std::uint8_t>(c.codeBefore));
        page.GetCrossBar();
        enter(c.row, c.entry);
        EXPECT_EQ(code(c.row), c.codeAfter) << c.name;
        EXPECT_EQ(yellow(c.row), c.refused) << c.name;
        EXPECT_EQ(env.shell.LastStatus(), c.status) << c.name;
        EXPECT_EQ(grid().Cell(kNumber, c.row), c.entry) << c.name << ": the entry stays in its cell";
    }

    // The next passing entry restores the cell and the status text.
    setCode(3, 2);
    page.GetCrossBar();
    enter(3, "40");
    ASSERT_TRUE(yellow(3));
    enter(3, "4");
    EXPECT_FALSE(yellow(3));
    EXPECT_EQ(grid().CellColour(kNumber, 3), grid().CellColour(kKind, 3));
    EXPECT_EQ(env.shell.LastStatus(), " ver 1.60");
    EXPECT_EQ(code(3), 3);
}

// The whole path of a typed number: the digits editor opens on the first key,
// takes at most two digits and hands the entry to the page's check.
TEST_F(StructurePageTest, TypedNumberGoesThroughTheEditor)
{
    page.show();
    grid().setCurrentCell(3, kNumber);
    QTest::keyClick(&grid(), Qt::Key_3);
    auto* editor = grid().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "3x9");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits through a queued call
    EXPECT_EQ(grid().Cell(kNumber, 3), "33");
    EXPECT_EQ(code(3), 2);
    EXPECT_TRUE(yellow(3));
    EXPECT_EQ(env.shell.LastStatus(), kWindowRefusal);
}

TEST_F(StructurePageTest, WindowRangeDoesNotFollowTheModel)
{
    env.doc.image[devcfg::kWindowCount] = 16;
    enter(20, "32");
    EXPECT_EQ(code(20), 31);
    EXPECT_FALSE(yellow(20));
}

TEST_F(StructurePageTest, ChoosingNoneAndWindowAgainReusesTheNumber)
{
    choose(5, kNone);
    EXPECT_EQ(code(5), 255);
    EXPECT_EQ(grid().Cell(kKind, 5), kNone);
    EXPECT_EQ(grid().Cell(kNumber, 5), "5");
    EXPECT_EQ(numberFont(5), BgrColor(kClSilver));
    EXPECT_FALSE(grid().MayEdit(kNumber, 5)) << "no number for a none row";

    choose(5, kWindow);
    EXPECT_EQ(code(5), 4);
    EXPECT_EQ(numberFont(5), BgrColor(kClBlack));
    EXPECT_TRUE(grid().MayEdit(kNumber, 5));
}

TEST_F(StructurePageTest, ChoosingAWindowForAnEmptyNumberIsRefused)
{
    choose(40, kWindow);
    EXPECT_TRUE(yellow(40));
    EXPECT_EQ(env.shell.LastStatus(), kWindowRefusal);
    EXPECT_EQ(code(40), 255);
    EXPECT_EQ(grid().Cell(kKind, 40), kWindow) << "the choice shows while the code stays";

    enter(40, "7");
    EXPECT_EQ(code(40), 6);
    EXPECT_FALSE(yellow(40));
}

TEST_F(StructurePageTest, CodesFromAFile)
{
    struct Case {
        int code;
        QString caption;
        QString number;
    };
    const Case cases[] = {
        {105, kAck, "6"},
        {111, kAck, "12"},
        {120, QStringLiteral("  Сброс реле:"), "5"},
        {40, kNone, ""},
        {200, kNone, ""},
    };
    for (const Case& c : cases) {
        setCode(10, static_cast<std::uint8_t>(c.code));
        page.GetCrossBar();
        EXPECT_EQ(grid().Cell(kKind, 10), c.caption) << c.code;
        EXPECT_EQ(grid().Cell(kNumber, 10), c.number) << c.code;
    }

    // Relay 12 cannot be stored again: validating the row refuses it.
    setCode(10, 111);
    page.GetCrossBar();
    grid().UserEntered(kNumber, 10, grid().Cell(kNumber, 10));
    EXPECT_EQ(code(10), 111);
    EXPECT_TRUE(yellow(10));
    EXPECT_EQ(env.shell.LastStatus(), kRelayRefusal);

    // Unknown codes are shown as none and kept as they are.
    setCode(10, 200);
    page.GetCrossBar();
    enter(10, "3");
    clickCell(4, 10);
    EXPECT_EQ(code(10), 200);
}

TEST_F(StructurePageTest, Fills)
{
    clickCell(5, 50);
    trigger("ModBus2");
    EXPECT_EQ(code(1), 255);
    EXPECT_EQ(code(32), 255);
    EXPECT_EQ(code(33), 0);
    EXPECT_EQ(code(64), 31);
    EXPECT_EQ(grid().Cell(kKind, 33), kWindow);
    EXPECT_EQ(grid().Cell(kNumber, 64), "32");
    EXPECT_EQ(relayInputsShown, 1);
    for (int row = 1; row <= 64; ++row) {
        EXPECT_EQ(mask(row), 0) << row;
        for (int col = 2; col <= 9; ++col) {
            EXPECT_NE(grid().CellColour(col, row), kOrange) << row << "/" << col;
        }
    }

    trigger("N71");
    EXPECT_EQ(code(1), 0);
    EXPECT_EQ(code(32), 31);
    EXPECT_EQ(code(33), 255);
    EXPECT_EQ(grid().Cell(kNumber, 33), "");
    EXPECT_EQ(relayInputsShown, 2);

    trigger("N19");
    EXPECT_EQ(relayInputsShown, 3);
    EXPECT_EQ(env.shell.LastStatus(), " ver 1.60");
    for (int row = 1; row <= 64; ++row) {
        EXPECT_EQ(code(row), 255) << row;
        EXPECT_EQ(grid().Cell(kKind, row), kNone) << row;
        EXPECT_EQ(grid().Cell(kNumber, row), row <= 32 ? QString::number(row) : QString()) << row;
        if (row <= 32) {
            EXPECT_EQ(numberFont(row), BgrColor(kClSilver)) << row;
        }
    }
    // The prepared numbers assign window k at once.
    choose(12, kWindow);
    EXPECT_EQ(code(12), 11);
    EXPECT_EQ(numberFont(12), BgrColor(kClBlack));
}

TEST_F(StructurePageTest, HiddenButtonsRedrawAndDefault)
{
    setCode(2, 105);
    page.findChild<QPushButton*>("Button14")->click();
    EXPECT_EQ(grid().Cell(kKind, 2), kAck);
    page.findChild<QPushButton*>("Button15")->click();
    EXPECT_EQ(code(2), 1);
    EXPECT_EQ(grid().Cell(kNumber, 2), "2");
}

// The cell colours reach the screen: an active output cell is drawn orange and
// a refused number yellow. The picture is kept for a look at the page.
TEST_F(StructurePageTest, DrawnColours)
{
    page.show();
    setCode(3, 105);
    setCode(4, 120);
    page.GetCrossBar();
    enter(2, "40");
    choose(5, kNone);
    const QImage picture = page.grab().toImage();
    picture.save("/tmp/structure_page.png");
    const auto pixel = [&](int col, int row) {
        const QRect cell = grid().visualRect(grid().model()->index(row, col));
        return picture.pixelColor(grid().mapTo(&page, grid().viewport()->mapTo(&grid(), cell.topLeft() + QPoint(2, 2))));
    };
    EXPECT_EQ(pixel(3, 2), kOrange);
    EXPECT_EQ(pixel(2, 2), BgrColor(kClWhite)) << "inactive output of row 2";
    EXPECT_EQ(pixel(kNumber, 2), BgrColor(kClYellow));
}

using StructureInMainWindow = testing_support::MainWindowFixture;

// In the real window the fills reach the outputs page: its "Внешн." cells are
// emptied from the new assignments while the relay table keeps its bytes.
TEST_F(StructureInMainWindow, StartsWithTheDefaultAndFillsEmptyTheOutputsInputCells)
{
    auto& crossBar = Find<StringGrid>("ASGCrossBar");
    EXPECT_EQ(crossBar.Cell(kKind, 1), kWindow);
    EXPECT_EQ(crossBar.Cell(kKind, 64), kNone);
    EXPECT_EQ(crossBar.CellColour(2, 1), kOrange);

    const std::size_t relay1Ack = Block(BlockId::OutDataBase).offset + 8;
    window->Doc().image[relay1Ack] = 4;
    Find<QPushButton>("Button8").click(); // the outputs page's hidden "Get"
    auto& outputs = Find<StringGrid>("ASGOutBase");
    ASSERT_EQ(outputs.Cell(4, 2), "5");

    Action("ModBus2").trigger();
    EXPECT_EQ(outputs.Cell(4, 2), "");
    EXPECT_EQ(Byte(relay1Ack), 4);
    EXPECT_EQ(crossBar.Cell(kKind, 33), kWindow);
    EXPECT_EQ(Byte(Block(BlockId::InputAssign).offset + 32), 0);
}

} // namespace
} // namespace glt::ui
