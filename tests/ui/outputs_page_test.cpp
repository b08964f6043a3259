#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "document/texts.hpp"
#include "main_window_fixture.hpp"
#include "scripted_page_context.hpp"
#include "ui/look.hpp"
#include "ui/pages/outputs_page.hpp"

namespace glt::ui {
namespace {

using testing_support::ScriptedContext;

class OutputsPageTest : public testing::Test {
protected:
    OutputsPageTest() : page(ctx.context)
    {
        ctx.table.pages[Area::OutDataBase] = &page;
        page.resize(560, 300);
        page.Setup();
        page.Default();
        page.show();
    }

    StringGrid& Grid() { return page.Grid(); }
    std::span<std::uint8_t> Bytes() { return BlockData(ctx.doc.image, BlockId::OutDataBase); }
    static int Row(int relay) { return relay + 1; }

    QPoint Centre(int col, int row) { return Grid().visualRect(Grid().model()->index(row, col)).center(); }

    // Closed editors go away with the deferred deletes; until then they would
    // be found instead of the next one.
    static void Settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Enter(int col, int row, const QString& text)
    {
        Grid().setCurrentCell(row, col);
        Grid().edit(Grid().model()->index(row, col));
        auto* edit = Grid().viewport()->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr) << "no editor at " << col << "," << row;
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        Settle();
    }

    void Choose(int relay, int position)
    {
        const int row = Row(relay);
        Grid().setCurrentCell(row, kColType);
        Grid().edit(Grid().model()->index(row, kColType));
        auto* combo = Grid().viewport()->findChild<QComboBox*>();
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(position);
        emit combo->activated(position);
        Settle();
    }

    bool EditorOpens(int col, int row)
    {
        Grid().setCurrentCell(row, col);
        Grid().edit(Grid().model()->index(row, col));
        QWidget* editor = Grid().viewport()->findChild<QLineEdit*>();
        if (editor == nullptr) {
            editor = Grid().viewport()->findChild<QComboBox*>();
        }
        const bool opened = editor != nullptr;
        if (opened) {
            QTest::keyClick(editor, Qt::Key_Escape);
            Settle();
        }
        return opened;
    }

    ScriptedContext ctx;
    OutputsPage page;
};

TEST_F(OutputsPageTest, NewConfigurationShowsTheDefaultTable)
{
    EXPECT_EQ(Grid().Cell(1, 0), QStringLiteral("Тип выхода"));
    EXPECT_EQ(Grid().Cell(2, 0), QStringLiteral("  Квитирование"));
    EXPECT_EQ(Grid().Cell(5, 0), QStringLiteral("Сброс"));
    EXPECT_EQ(Grid().columnSpan(0, 2), 3);
    EXPECT_EQ(Grid().rowSpan(0, 1), 2);
    for (int col : {2, 5}) {
        EXPECT_EQ(Grid().Cell(col, 1), QStringLiteral("Панель"));
        EXPECT_EQ(Grid().Cell(col + 1, 1), QStringLiteral("ModBus"));
        EXPECT_EQ(Grid().Cell(col + 2, 1), QStringLiteral("Внешн."));
    }
    for (int relay = 1; relay <= 8; ++relay) {
        SCOPED_TRACE(relay);
        const int row = Row(relay);
        EXPECT_EQ(Grid().Cell(0, row), QString::number(relay));
        EXPECT_EQ(Grid().Cell(1, row),
            relay <= 4 ? QStringLiteral("  Звуковая сигнализация") : QStringLiteral("  Световая сигнализация"));
        for (int col : {2, 3, 5, 6}) {
            EXPECT_TRUE(Grid().IsChecked(col, row)) << col;
        }
        EXPECT_EQ(Grid().Cell(4, row), QString());
        EXPECT_EQ(Grid().Cell(7, row), QString());
    }
    EXPECT_EQ(ctx.doc.image[141], 0x3E);
    EXPECT_EQ(ctx.doc.image[145], 0x3C);
}

TEST_F(OutputsPageTest, ChoosingATypeWritesItsCodeAndLocksAndGreysTheRow)
{
    struct Case {
        int position;
        std::uint8_t byte;
        std::array<bool, 6> editable; // columns 2..7
        bool ackGrey;
        bool resetGrey;
    };
    const std::array<Case, 4> cases{{
        {2, 0x3D, {false, false, false, false, false, false}, true, true},
        {3, 0x3F, {false, false, false, true, true, true}, true, false},
        {1, 0x3E, {true, true, true, true, true, true}, false, false},
        {0, 0x3C, {true, true, true, true, true, true}, false, false},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        Bytes()[2] = static_cast<std::uint8_t>((Bytes()[2] & 0xFC) | 0x02);
        Choose(3, c.position);
        EXPECT_EQ(Bytes()[2], c.byte);
        EXPECT_EQ(Bytes()[1], 0x3E);
        for (int col = 2; col <= 7; ++col) {
            EXPECT_EQ(Grid().MayEdit(col, Row(3)), c.editable[static_cast<std::size_t>(col - 2)]) << col;
        }
        EXPECT_EQ(Grid().FontColour(4, Row(3)), BgrColor(c.ackGrey ? kClSilver : kClBlack));
        EXPECT_EQ(Grid().FontColour(7, Row(3)), BgrColor(c.resetGrey ? kClSilver : kClBlack));
    }
}

TEST_F(OutputsPageTest, LockedCellsKeepTheirStateAgainstClicksAndEditors)
{
    Choose(3, 2);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Centre(2, Row(3)));
    EXPECT_TRUE(Grid().IsChecked(2, Row(3)));
    EXPECT_EQ(Bytes()[2], 0x3D);
    EXPECT_FALSE(EditorOpens(4, Row(3)));
    EXPECT_FALSE(EditorOpens(7, Row(3)));
    EXPECT_TRUE(EditorOpens(1, Row(3)));
}

TEST_F(OutputsPageTest, ExternalInputEntries)
{
    struct Case {
        const char* text;
        bool accepted;
        std::uint8_t stored; // data byte 9 afterwards
    };
    const std::array<Case, 6> cases{{
        {"64", true, 63},
        {"0", false, 63},
        {"65", false, 63},
        {"1", true, 0},
        {"99", false, 0},
        {"", true, 255},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Enter(4, Row(2), QString::fromLatin1(c.text));
        EXPECT_EQ(Bytes()[9], c.stored);
        EXPECT_EQ(Grid().Cell(4, Row(2)), QString::fromLatin1(c.text));
        EXPECT_EQ(Grid().CellColour(4, Row(2)), c.accepted ? Grid().CellColour(2, Row(2)) : BgrColor(kClYellow));
        EXPECT_EQ(ctx.shell.LastStatus(), c.accepted ? std::string(kStatusVersion) : std::string(kInputOutOfRange));
    }
    Enter(7, Row(8), QStringLiteral("12"));
    EXPECT_EQ(Bytes()[23], 11);
}

TEST_F(OutputsPageTest, UncheckingAResetBoxClearsOnlyItsBit)
{
    std::vector<std::uint8_t> expected(Bytes().begin(), Bytes().end());
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Centre(5, Row(8)));
    expected[7] = static_cast<std::uint8_t>(expected[7] & ~0x10);
    EXPECT_EQ(std::vector<std::uint8_t>(Bytes().begin(), Bytes().end()), expected);
    EXPECT_FALSE(Grid().IsChecked(5, Row(8)));
}

TEST_F(OutputsPageTest, FillMenuWritesEveryRelayAndRedraws)
{
    Bytes()[0] = 0x00;
    Bytes()[12] = 3;
    Enter(7, Row(1), QStringLiteral("0")); // a yellow mark that the refresh clears
    auto* sound = page.findChild<QAction*>(QStringLiteral("N22"));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->text(), QStringLiteral("Звуковая"));
    sound->trigger();
    EXPECT_EQ(std::vector<std::uint8_t>(Bytes().begin(), Bytes().begin() + 8), std::vector<std::uint8_t>(8, 0x3E));
    EXPECT_EQ(std::vector<std::uint8_t>(Bytes().begin() + 8, Bytes().end()), std::vector<std::uint8_t>(16, 255));
    for (int relay = 1; relay <= 8; ++relay) {
        for (int col : {2, 3, 5, 6}) {
            EXPECT_TRUE(Grid().IsChecked(col, Row(relay)));
        }
        EXPECT_EQ(Grid().Cell(1, Row(relay)), QStringLiteral("  Звуковая сигнализация"));
    }
    EXPECT_EQ(Grid().Cell(7, Row(1)), QString());
    EXPECT_EQ(Grid().CellColour(7, Row(1)), Grid().CellColour(2, Row(1)));
}

TEST_F(OutputsPageTest, StoredByteOutsideTheInputsShowsEmptyAndIsKept)
{
    Bytes()[8] = 100;
    Bytes()[16] = 0;
    page.Refresh();
    EXPECT_EQ(Grid().Cell(4, Row(1)), QString());
    EXPECT_EQ(Grid().Cell(7, Row(1)), QStringLiteral("1"));
    Enter(7, Row(2), QStringLiteral("5"));
    EXPECT_EQ(Bytes()[8], 100);
}

TEST_F(OutputsPageTest, RelayInputsComeFromTheAssignmentsAndLeaveTheBlock)
{
    const auto assign = BlockData(ctx.doc.image, BlockId::InputAssign);
    std::fill(assign.begin(), assign.end(), std::uint8_t{255});
    assign[2] = 101;  // input 3 acknowledges relay 2
    assign[40] = 123; // input 41 resets relay 8
    Bytes()[8] = 7;
    const std::vector<std::uint8_t> before(Bytes().begin(), Bytes().end());
    page.ShowRelayInputs();
    EXPECT_EQ(Grid().Cell(4, Row(1)), QString());
    EXPECT_EQ(Grid().Cell(4, Row(2)), QStringLiteral("3"));
    EXPECT_EQ(Grid().Cell(7, Row(8)), QStringLiteral("41"));
    EXPECT_EQ(std::vector<std::uint8_t>(Bytes().begin(), Bytes().end()), before);
}

TEST_F(OutputsPageTest, ControlsCarryTheirNamesAndTheTestButtonsStayHidden)
{
    auto* fill = page.findChild<QToolButton*>(QStringLiteral("SBFillOutDataBase"));
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->geometry(), QRect(21, 250, 40, 25));
    ASSERT_NE(fill->menu(), nullptr);
    EXPECT_EQ(fill->menu()->objectName(), QStringLiteral("PMFillOutDataBase"));
    EXPECT_EQ(Grid().geometry(), QRect(20, 10, 524, 224));
    for (const char* name : {"Button8", "Button10"}) {
        auto* button = page.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->isVisible()) << name;
    }
    page.grab().save(QStringLiteral("/tmp/pages-a-outputs.png"));
}

// A refusal reaches the main window's status bar, and the next accepted
// entry brings back the version text.
using OutputsInMainWindowTest = testing_support::MainWindowFixture;

TEST_F(OutputsInMainWindowTest, RefusalAndRecoveryShowInTheStatusBar)
{
    auto& grid = Find<StringGrid>("ASGOutBase");
    auto& status = Find<QLabel>("StatusText");
    const auto enter = [&grid](const QString& text) {
        grid.setCurrentCell(3, kColResetExternal);
        grid.edit(grid.model()->index(3, kColResetExternal));
        auto* edit = grid.viewport()->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    enter(QStringLiteral("65"));
    EXPECT_EQ(status.text(), QStringLiteral(" Номер входа вне диапазона 1 - 64"));
    EXPECT_EQ(grid.CellColour(kColResetExternal, 3), BgrColor(kClYellow));
    EXPECT_EQ(Byte(141 + 16 + 1), 255);
    enter(QStringLiteral("33"));
    EXPECT_EQ(status.text(), QStringLiteral(" ver 1.60"));
    EXPECT_EQ(Byte(141 + 16 + 1), 32);
    EXPECT_EQ(grid.CellColour(kColResetExternal, 3), grid.CellColour(kColAckPanel, 3));
}

} // namespace
} // namespace glt::ui
