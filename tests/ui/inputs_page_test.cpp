#include <array>
#include <cstdint>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "document/codecs/dev_config.hpp"
#include "main_window_fixture.hpp"
#include "scripted_page_context.hpp"
#include "ui/pages/caption_box.hpp"
#include "ui/pages/inputs_page.hpp"

namespace glt::ui {
namespace {

using testing_support::ScriptedContext;

class InputsPageTest : public testing::Test {
protected:
    InputsPageTest() : page(ctx.context)
    {
        ctx.table.pages[Area::InputType] = &page;
        page.resize(600, 420);
        page.Default();
        page.show();
    }

    QToolButton& Button(int input)
    {
        auto* button = page.findChild<QToolButton*>(QStringLiteral("SBTypeContact%1").arg(input));
        EXPECT_NE(button, nullptr) << input;
        return *button;
    }
    int Picture(int input) { return Button(input).property("contactPicture").toInt(); }
    std::vector<std::uint8_t> Bytes()
    {
        const auto block = BlockData(ctx.doc.image, BlockId::InputType);
        return {block.begin(), block.end()};
    }
    void SetMaster(bool on)
    {
        SetOption(ctx.doc, devcfg::kModbusMasterBit, on);
        page.Refresh();
    }
    QWidget& ModbusBox() { return *page.findChild<CaptionBox*>(QStringLiteral("AGBoxMODBUS")); }
    QToolButton& FillButton() { return *page.findChild<QToolButton*>(QStringLiteral("SBFillInputType")); }
    void Fill(const char* item) { page.findChild<QAction*>(QString::fromLatin1(item))->trigger(); }

    ScriptedContext ctx;
    InputsPage page;
};

TEST_F(InputsPageTest, NewConfigurationShowsEveryInputNormallyOpen)
{
    EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(8, 0));
    for (int input = 1; input <= 64; ++input) {
        EXPECT_EQ(Picture(input), 3) << input;
    }
    EXPECT_FALSE(ModbusBox().isVisible());
    EXPECT_EQ(FillButton().geometry(), QRect(225, 10, 40, 25));
}

TEST_F(InputsPageTest, ButtonsSitInTwoColumnsOfSixteenWithTheirNumbers)
{
    struct Case {
        int input;
        QPoint button;
        QPoint number;
    };
    const std::array<Case, 6> cases{{
        {1, {16, 16}, {47, 16}},
        {16, {16, 331}, {47, 331}},
        {17, {112, 16}, {143, 16}},
        {32, {112, 331}, {143, 331}},
        {33, {16, 16}, {47, 16}},
        {64, {112, 331}, {143, 331}},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(Button(c.input).geometry(), QRect(c.button, QSize(32, 22)));
        auto* number = page.findChild<QWidget*>(QStringLiteral("PTCNumber%1").arg(c.input));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->geometry(), QRect(c.number, QSize(26, 21)));
        EXPECT_EQ(Button(c.input).parentWidget()->objectName(),
            c.input <= 32 ? QStringLiteral("AGBoxDIK") : QStringLiteral("AGBoxMODBUS"));
    }
}

TEST_F(InputsPageTest, AClickFlipsTheTaggedBitAndItsPicture)
{
    struct Case {
        int input;
        std::size_t byte;
        std::uint8_t value;
    };
    const std::array<Case, 3> cases{{{9, 1, 0x01}, {1, 0, 0x01}, {64, 7, 0x80}}};
    SetMaster(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        std::vector<std::uint8_t> expected(8, 0);
        QTest::mouseClick(&Button(c.input), Qt::LeftButton);
        expected[c.byte] = c.value;
        EXPECT_EQ(Bytes(), expected);
        EXPECT_EQ(Picture(c.input), 4);
        QTest::mouseClick(&Button(c.input), Qt::LeftButton);
        EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(8, 0));
        EXPECT_EQ(Picture(c.input), 3);
    }
}

TEST_F(InputsPageTest, FillCoversTheModbusInputsOnlyWithTheFlag)
{
    const auto block = BlockData(ctx.doc.image, BlockId::InputType);
    block[5] = 0x5A;
    page.Refresh();
    Fill("N21");
    EXPECT_EQ(Bytes(), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x5A, 0x00, 0x00}));
    EXPECT_EQ(Picture(32), 4);
    EXPECT_EQ(Picture(33), 3);

    SetMaster(true);
    Fill("N21");
    EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(8, 0xFF));
    EXPECT_EQ(Picture(64), 4);
    Fill("N13");
    EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(8, 0x00));
    EXPECT_EQ(Picture(64), 3);
}

TEST_F(InputsPageTest, TheFlagShowsTheModbusGroupWithItsKeptTypesAndMovesTheFillButton)
{
    BlockData(ctx.doc.image, BlockId::InputType)[4] = 0x02; // input 34 closed while hidden
    page.Refresh();
    EXPECT_FALSE(ModbusBox().isVisible());
    SetMaster(true);
    EXPECT_TRUE(ModbusBox().isVisible());
    EXPECT_EQ(FillButton().x(), 435);
    EXPECT_EQ(Picture(34), 4);
    EXPECT_EQ(Picture(33), 3);
    SetMaster(false);
    EXPECT_FALSE(ModbusBox().isVisible());
    EXPECT_EQ(FillButton().x(), 225);
    EXPECT_EQ(BlockData(ctx.doc.image, BlockId::InputType)[4], 0x02);
}

TEST_F(InputsPageTest, FillMenuAndTestButtons)
{
    QMenu* menu = FillButton().menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("PMFillInputType"));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral(" Н.Р."));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral(" Н.З."));
    EXPECT_FALSE(menu->actions()[0]->icon().isNull());
    for (const char* name : {"Button12", "Button13"}) {
        auto* button = page.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->isVisible()) << name;
    }
    page.grab().save(QStringLiteral("/tmp/pages-a-inputs.png"));
    SetMaster(true);
    QTest::mouseClick(&Button(40), Qt::LeftButton);
    page.grab().save(QStringLiteral("/tmp/pages-a-inputs-modbus.png"));
}

// The same page inside the main window, where the flag comes from the
// configuration page and from files.
class InputsInMainWindowTest : public testing_support::MainWindowFixture {
protected:
    QWidget& ModbusBox() { return Find<QWidget>("AGBoxMODBUS"); }
    int FillX() { return Find<QToolButton>("SBFillInputType").x(); }
};

TEST_F(InputsInMainWindowTest, TheMasterCheckBoxShowsAndHidesTheModbusInputs)
{
    EXPECT_TRUE(ModbusBox().isHidden());
    EXPECT_EQ(FillX(), 225);
    Find<QCheckBox>("CBMBusMaster").click();
    EXPECT_EQ(Byte(3) & 0x02, 0x02);
    EXPECT_FALSE(ModbusBox().isHidden());
    EXPECT_EQ(FillX(), 435);
    Find<QCheckBox>("CBMBusMaster").click();
    EXPECT_TRUE(ModbusBox().isHidden());
    EXPECT_EQ(FillX(), 225);
}

TEST_F(InputsInMainWindowTest, AFileWithTheMasterFlagShowsTheModbusInputsAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("master.cfg"));
    Find<QCheckBox>("CBMBusMaster").click();
    Find<QToolButton>("SBTypeContact50").click();
    dialogs.saveAnswers.push_back(path);
    Action("NSaveAsFile").trigger();

    Action("NNewConfig").trigger();
    EXPECT_TRUE(ModbusBox().isHidden());
    EXPECT_EQ(Byte(37), 0x00);

    dialogs.openAnswers.push_back(path);
    Action("NLoadFile").trigger();
    EXPECT_FALSE(ModbusBox().isHidden());
    EXPECT_EQ(FillX(), 435);
    EXPECT_EQ(Byte(37), 0x02); // input 50 is bit 1 of byte 6 of the block
    EXPECT_EQ(Find<QToolButton>("SBTypeContact50").property("contactPicture").toInt(), 4);
}

} // namespace
} // namespace glt::ui
