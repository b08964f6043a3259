#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/grid/string_grid.hpp"

namespace glt::ui {
namespace {

// A 4 x 3 grid with one fixed row and column; column 1 has a combo, column 2
// check boxes, column 3 numbers. Row 2 is locked.
class StringGridTest : public testing::Test {
protected:
    StringGridTest() : grid(4, 3, 1, 1)
    {
        grid.SetColumnWidths({30, 80, 40, 40});
        grid.SetRowHeights(22);
        grid.resize(194, 70);
        grid.SetComboItems({"a", "b", "c"});
        grid.AddCheckBox(2, 1, false);
        grid.AddCheckBox(2, 2, true);
        GridHooks hooks;
        hooks.getEditorType = [](int col, int) { return col == 1 ? GridEditor::ComboList : GridEditor::Digits; };
        hooks.canEditCell = [](int, int row) { return row != 2; };
        hooks.comboChange = [this](int col, int row, int position, const QString& text) {
            events.push_back("combo " + std::to_string(col) + "," + std::to_string(row) + " " + std::to_string(position)
                + " " + text.toStdString());
        };
        hooks.checkBoxClick = [this](int col, int row, bool checked) {
            events.push_back("check " + std::to_string(col) + "," + std::to_string(row) + (checked ? " on" : " off"));
        };
        hooks.cellValidate = [this](int col, int row, const QString& text) {
            events.push_back("validate " + std::to_string(col) + "," + std::to_string(row) + " " + text.toStdString());
        };
        grid.SetHooks(hooks);
        grid.show();
    }

    QPoint Centre(int col, int row) { return grid.visualRect(grid.model()->index(row, col)).center(); }

    void Click(int col, int row) { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, Centre(col, row)); }

    QLineEdit* OpenDigits(int col, int row)
    {
        grid.setCurrentCell(row, col);
        grid.edit(grid.model()->index(row, col));
        return grid.viewport()->findChild<QLineEdit*>();
    }

    StringGrid grid;
    std::vector<std::string> events;
};

TEST_F(StringGridTest, CheckBoxClickTogglesAndReportsOnlyWhereEditable)
{
    Click(2, 1);
    EXPECT_TRUE(grid.IsChecked(2, 1));
    Click(2, 1);
    EXPECT_FALSE(grid.IsChecked(2, 1));
    Click(2, 2); // locked row keeps its state
    EXPECT_TRUE(grid.IsChecked(2, 2));
    EXPECT_EQ(events, (std::vector<std::string>{"check 2,1 on", "check 2,1 off"}));
}

TEST_F(StringGridTest, DigitsEditorTakesDigitsUpToTheMaximumAndCommitsThroughTheHook)
{
    QLineEdit* edit = OpenDigits(3, 1);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "7x123");
    EXPECT_EQ(edit->text(), QStringLiteral("71"));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents(); // the view commits a returned editor queued
    EXPECT_EQ(grid.Cell(3, 1), QStringLiteral("71"));
    EXPECT_EQ(events, (std::vector<std::string>{"validate 3,1 71"}));
}

TEST_F(StringGridTest, TypingIntoASelectedCellReplacesItsText)
{
    grid.SetCell(3, 1, "5");
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    grid.setCurrentCell(1, 3);
    QTest::keyClick(&grid, '4'); // opens the editor with this key
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    QTest::keyClick(editor, '2');
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid.Cell(3, 1), QStringLiteral("42"));
    EXPECT_EQ(events, (std::vector<std::string>{"validate 3,1 42"}));
}

TEST_F(StringGridTest, LockedAndFixedCellsOpenNoEditor)
{
    EXPECT_EQ(OpenDigits(3, 2), nullptr);
    EXPECT_EQ(OpenDigits(3, 0), nullptr);
    EXPECT_EQ(OpenDigits(0, 1), nullptr);
    EXPECT_EQ(OpenDigits(2, 1), nullptr); // a check-box cell has no text editor
    EXPECT_TRUE(events.empty());
}

TEST_F(StringGridTest, ComboOffersTheFixedItemsAndReportsTheChoice)
{
    grid.SetCell(1, 1, "b");
    grid.setCurrentCell(1, 1);
    grid.edit(grid.model()->index(1, 1));
    auto* combo = grid.viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentIndex(), 1);
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(grid.Cell(1, 1), QStringLiteral("c"));
    EXPECT_EQ(events, (std::vector<std::string>{"combo 1,1 2 c"}));
}

TEST_F(StringGridTest, OneClickOpensTheListButNotInALockedRow)
{
    Click(1, 2);
    EXPECT_EQ(grid.viewport()->findChild<QComboBox*>(), nullptr);
    Click(1, 1);
    EXPECT_NE(grid.viewport()->findChild<QComboBox*>(), nullptr);
    EXPECT_TRUE(events.empty());
}

TEST_F(StringGridTest, ColoursAndMergesAreKeptPerCell)
{
    grid.SetCellColour(3, 1, Qt::yellow);
    grid.SetFontColour(3, 2, Qt::gray);
    grid.Merge(1, 0, 3, 1);
    EXPECT_EQ(grid.CellColour(3, 1), QColor(Qt::yellow));
    EXPECT_EQ(grid.CellColour(3, 2), grid.palette().color(QPalette::Base));
    EXPECT_EQ(grid.FontColour(3, 2), QColor(Qt::gray));
    EXPECT_EQ(grid.columnSpan(0, 1), 3);
    EXPECT_EQ(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

} // namespace
} // namespace glt::ui
