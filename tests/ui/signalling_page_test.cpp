#include <array>
#include <cstdint>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "document/codecs/dev_config.hpp"
#include "main_window_fixture.hpp"
#include "scripted_page_context.hpp"
#include "ui/look.hpp"
#include "ui/pages/display_tile.hpp"
#include "ui/pages/signalling_page.hpp"

namespace glt::ui {
namespace {

using testing_support::ScriptedContext;

constexpr std::size_t kModel32 = 0;
constexpr std::size_t kModel16 = 2;
constexpr std::size_t kModel12 = 4;

class SignallingPageTest : public testing::Test {
protected:
    SignallingPageTest() : page(ctx.context)
    {
        ctx.table.pages[Area::DispSettings] = &page;
        DefaultDevConfig(ctx.doc);
        page.resize(600, 420);
        page.Default();
        page.show();
    }

    void Model(std::size_t row)
    {
        ApplyModel(ctx.doc, row);
        page.Refresh();
    }
    DisplayTile& Tile(const char* prefix, int n)
    {
        auto* tile = page.findChild<DisplayTile*>(QString::fromLatin1(prefix) + QString::number(n));
        EXPECT_NE(tile, nullptr) << prefix << n;
        return *tile;
    }
    DisplayTile& Normal(int n) { return Tile("PDisplay", n); }
    DisplayTile& Wide(int n) { return Tile("PWDisplay", n); }
    QStackedWidget& Book() { return *page.findChild<QStackedWidget*>(QStringLiteral("DISPNBook")); }
    QWidget& Strip() { return *page.findChild<QWidget*>(QStringLiteral("Panel1")); }
    std::uint8_t& Byte(std::size_t k) { return BlockData(ctx.doc.image, BlockId::DispSettings)[k]; }
    std::vector<std::uint8_t> Bytes()
    {
        const auto block = BlockData(ctx.doc.image, BlockId::DispSettings);
        return {block.begin(), block.end()};
    }
    void Fill(const char* item) { page.findChild<QAction*>(QString::fromLatin1(item))->trigger(); }

    ScriptedContext ctx;
    SignallingPage page;
};

TEST_F(SignallingPageTest, NewConfigurationShowsEveryWindowAsIndication)
{
    EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(32, 1));
    EXPECT_EQ(Book().currentIndex(), 0);
    for (int n = 1; n <= 32; ++n) {
        EXPECT_EQ(Normal(n).Colour(), BgrColor(kClLime)) << n;
        EXPECT_EQ(Normal(n).geometry(), QRect(29 + 60 * ((n - 1) % 8), 30 + 30 * ((n - 1) / 8), 60, 28)) << n;
    }
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(Wide(n).geometry(), QRect(29 + 120 * ((n - 1) % 4), 30 + 30 * ((n - 1) / 4), 120, 28)) << n;
    }
}

TEST_F(SignallingPageTest, LeftClicksStepTheClassAndPressTheTile)
{
    struct Step {
        std::uint8_t byte;
        std::uint32_t colour;
    };
    const std::array<Step, 4> steps{{{0, 0x00E0E0E0}, {1, kClLime}, {2, kClYellow}, {3, kClRed}}};
    Byte(6) = 3;
    page.Refresh();
    for (const Step& step : steps) {
        SCOPED_TRACE(int{step.byte});
        QTest::mousePress(&Normal(7), Qt::LeftButton);
        EXPECT_TRUE(Normal(7).OuterLowered());
        EXPECT_EQ(Byte(6), step.byte);
        EXPECT_EQ(Normal(7).Colour(), BgrColor(step.colour));
        QTest::mouseRelease(&Normal(7), Qt::LeftButton);
        EXPECT_FALSE(Normal(7).OuterLowered());
    }
    std::vector<std::uint8_t> expected(32, 1);
    expected[6] = 3;
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(SignallingPageTest, OtherButtonsChangeNeitherClassNorBevel)
{
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(&Normal(3), button);
        EXPECT_FALSE(Normal(3).OuterLowered());
        QTest::mouseRelease(&Normal(3), button);
    }
    EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(32, 1));
    EXPECT_EQ(Normal(3).Colour(), BgrColor(kClLime));
}

TEST_F(SignallingPageTest, AByteAboveThreeShowsAbsentAndAClickMakesItAnIndication)
{
    Byte(0) = 9;
    page.Refresh();
    EXPECT_EQ(Normal(1).Colour(), BgrColor(0x00E0E0E0));
    QTest::mouseClick(&Normal(1), Qt::LeftButton);
    EXPECT_EQ(Byte(0), 1);
    EXPECT_EQ(Normal(1).Colour(), BgrColor(kClLime));
}

TEST_F(SignallingPageTest, LayoutFollowsTheModel)
{
    struct Case {
        std::size_t model;
        int page;
        int height;
        bool tiles13To16;
        const char* picture;
    };
    const std::array<Case, 3> cases{{
        {kModel16, 1, 160, true, "/tmp/pages-a-signalling-16.png"},
        {kModel12, 1, 129, false, "/tmp/pages-a-signalling-12.png"},
        {kModel32, 0, 160, true, "/tmp/pages-a-signalling-32.png"},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Model(c.model);
        QApplication::processEvents();
        EXPECT_EQ(Book().currentIndex(), c.page);
        EXPECT_EQ(Book().height(), c.height);
        EXPECT_EQ(Strip().y(), c.height); // the legend strip sits right below the notebook
        EXPECT_EQ(Strip().height(), 115);
        for (int n = 13; n <= 16; ++n) {
            EXPECT_EQ(Wide(n).isVisibleTo(&page), c.tiles13To16 && c.page == 1) << n;
        }
        page.grab().save(QString::fromLatin1(c.picture));
    }
}

TEST_F(SignallingPageTest, WideTilesShareTheBytesOfTheirWindows)
{
    Model(kModel16);
    QTest::mouseClick(&Wide(5), Qt::LeftButton);
    std::vector<std::uint8_t> expected(32, 1);
    expected[4] = 2;
    EXPECT_EQ(Bytes(), expected);
    EXPECT_EQ(Wide(5).Colour(), BgrColor(kClYellow));
    EXPECT_EQ(Normal(5).Colour(), BgrColor(kClLime)); // caught up at the next refresh
    page.Refresh();
    EXPECT_EQ(Normal(5).Colour(), BgrColor(kClYellow));
}

TEST_F(SignallingPageTest, FillWritesAllThirtyTwoWindowsWhateverTheLayout)
{
    struct Case {
        const char* item;
        std::uint8_t cls;
    };
    const std::array<Case, 4> cases{{{"N16", 3}, {"N15", 2}, {"N17", 0}, {"N14", 1}}};
    Model(kModel12);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Fill(c.item);
        EXPECT_EQ(Bytes(), std::vector<std::uint8_t>(32, c.cls));
        EXPECT_EQ(Wide(12).Colour(), BgrColor(ClassColour(static_cast<DisplayClass>(c.cls))));
    }
}

TEST_F(SignallingPageTest, SwitchingBackToThirtyTwoWindowsKeepsTheClasses)
{
    Model(kModel12);
    for (int n = 1; n <= 12; ++n) {
        for (int click = 0; click < n % 4; ++click) {
            QTest::mouseClick(&Wide(n), Qt::LeftButton);
        }
    }
    const std::vector<std::uint8_t> set = Bytes();
    Model(kModel32);
    EXPECT_EQ(Book().currentIndex(), 0);
    EXPECT_EQ(Book().height(), 160);
    EXPECT_EQ(Bytes(), set);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(Normal(n).Colour(), BgrColor(ClassColour(static_cast<DisplayClass>(set[static_cast<std::size_t>(n - 1)]))));
    }
}

TEST_F(SignallingPageTest, HiddenButtonsSwitchPagesWithoutTouchingTheImage)
{
    const std::vector<std::uint8_t> before = Bytes();
    auto* wide = page.findChild<QPushButton*>(QStringLiteral("Button26"));
    auto* normal = page.findChild<QPushButton*>(QStringLiteral("Button18"));
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(normal, nullptr);
    for (const char* name : {"Button7", "Button9", "Button18", "Button26"}) {
        auto* button = page.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->isVisible()) << name;
    }
    wide->click();
    EXPECT_EQ(Book().currentIndex(), 1);
    EXPECT_EQ(Book().height(), 160);
    normal->click();
    EXPECT_EQ(Book().currentIndex(), 0);
    EXPECT_EQ(Bytes(), before);
}

// The model list of the configuration page switches the layout.
using SignallingInMainWindowTest = testing_support::MainWindowFixture;

TEST_F(SignallingInMainWindowTest, ModelChoiceSwitchesTheLayout)
{
    struct Case {
        int model;
        int page;
        int height;
    };
    const std::array<Case, 4> cases{{{4, 1, 129}, {2, 1, 160}, {0, 0, 160}, {4, 1, 129}}};
    auto& book = Find<QStackedWidget>("DISPNBook");
    EXPECT_EQ(book.currentIndex(), 0);
    EXPECT_EQ(book.height(), 160);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Pick(Find<QComboBox>("CBConfig"), c.model);
        EXPECT_EQ(book.currentIndex(), c.page);
        EXPECT_EQ(book.height(), c.height);
        EXPECT_EQ(Find<QWidget>("PWDisplay13").isHidden(), c.height == 129);
    }
    EXPECT_EQ(Find<DisplayTile>("PDisplay1").Colour(), BgrColor(kClLime));
}

} // namespace
} // namespace glt::ui
