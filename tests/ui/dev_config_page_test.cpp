#include <QCheckBox>
#include <QLabel>
#include <QStackedWidget>

#include "main_window_fixture.hpp"

namespace glt::ui {
namespace {

using testing_support::MainWindowFixture;

class DevConfigPageTest : public MainWindowFixture {
protected:
    QComboBox& Model() { return Find<QComboBox>("CBConfig"); }
    QComboBox& Timeout() { return Find<QComboBox>("CBMBusTimeout"); }
    QCheckBox& LineControl() { return Find<QCheckBox>("CBLineControl"); }
    QString Composition() { return Find<QLabel>("STConfig").text(); }
    QString Windows() { return Find<QLabel>("STWindow").text(); }
    std::uint8_t& Image(std::size_t offset) { return window->Doc().image[offset]; }
    void Refresh() { window->At(Area::DevConfig).Refresh(); }
    void WriteBack() { window->At(Area::DevConfig).WriteBack(); }
};

TEST_F(DevConfigPageTest, NewConfigurationIsShown)
{
    EXPECT_EQ(Model().currentText(), "ГЛТ-07");
    EXPECT_EQ(Composition(), "2 * ДИК-7 + ЛУТ-54");
    EXPECT_EQ(Windows(), "32 окна");
    EXPECT_TRUE(Find<QCheckBox>("CBFixConfig").isChecked());
    EXPECT_FALSE(LineControl().isChecked());
    EXPECT_FALSE(Find<QLabel>("Label11").isEnabled());
    EXPECT_EQ(Timeout().currentText(), "5 с");
    auto& master = Find<QCheckBox>("CBMBusMaster");
    EXPECT_TRUE(master.isHidden());
    EXPECT_FALSE(master.isChecked());
}

TEST_F(DevConfigPageTest, PickingAModelWritesItsCompositionAndLeavesTheOptions)
{
    struct Case { int row; std::uint8_t in, relay, windows; int wide; const char* composition; const char* caption; };
    const Case cases[] = {
        {4, 0, 0, 12, 1, "——", "12 окон"},
        {2, 1, 1, 16, 0, "ДИК-7 + ЛУТ-54", "16 окон"},
        {3, 0, 0, 16, 0, "——", "16 окон"},
        {1, 0, 0, 32, 0, "——", "32 окна"},
        {0, 2, 1, 32, 0, "2 * ДИК-7 + ЛУТ-54", "32 окна"},
    };
    Image(3) = 0xC1;
    for (const Case& c : cases) {
        Pick(Model(), c.row);
        EXPECT_EQ(Image(0), c.in) << c.row;
        EXPECT_EQ(Image(1), c.relay) << c.row;
        EXPECT_EQ(Image(2), c.windows) << c.row;
        EXPECT_EQ(window->Doc().state.WideDisplay, c.wide) << c.row;
        EXPECT_EQ(Composition(), QString::fromUtf8(c.composition)) << c.row;
        EXPECT_EQ(Windows(), QString::fromUtf8(c.caption)) << c.row;
        EXPECT_EQ(Image(3), 0xC1) << c.row;
    }
}

TEST_F(DevConfigPageTest, ModelChoiceAndRefreshRedrawTheSignallingLayout)
{
    auto& notebook = Find<QStackedWidget>("DISPNBook");
    EXPECT_EQ(notebook.currentIndex(), 0);
    Pick(Model(), 4);
    EXPECT_EQ(notebook.currentIndex(), 1);
    EXPECT_EQ(notebook.height(), 129);
    Pick(Model(), 2);
    EXPECT_EQ(notebook.currentIndex(), 1);
    EXPECT_EQ(notebook.height(), 160);

    Image(2) = 32; // a file or the panel brings the 32-window model
    window->Doc().state.WideDisplay = 0;
    Refresh();
    EXPECT_EQ(notebook.currentIndex(), 0);
}

TEST_F(DevConfigPageTest, TimeoutReachesTheImageOnlyThroughTheWriteBack)
{
    LineControl().setChecked(true);
    EXPECT_TRUE(Timeout().isEnabled());
    EXPECT_TRUE(Find<QLabel>("Label11").isEnabled());
    Timeout().setCurrentIndex(9);
    EXPECT_EQ(Image(5), 0);
    WriteBack();
    EXPECT_EQ(Image(5), 10);

    LineControl().setChecked(false);
    EXPECT_FALSE(Timeout().isEnabled());
    EXPECT_EQ(Image(5), 10);
    WriteBack();
    EXPECT_EQ(Image(5), 0);
}

TEST_F(DevConfigPageTest, RefreshShowsStoredTimeouts)
{
    struct Case { std::uint8_t stored; bool ticked; int shownIndex; std::uint8_t afterWriteBack; };
    const Case cases[] = {
        {0, false, 4, 0},   // unticked: the list keeps its selection
        {1, true, 0, 1},
        {60, true, 59, 60},
        {61, true, -1, 0},  // beyond the list: no selection, so the next write-back stores 0
    };
    for (const Case& c : cases) {
        Timeout().setCurrentIndex(4);
        Image(5) = c.stored;
        Refresh();
        EXPECT_EQ(LineControl().isChecked(), c.ticked) << int(c.stored);
        EXPECT_EQ(Timeout().isEnabled(), c.ticked) << int(c.stored);
        EXPECT_EQ(Timeout().currentIndex(), c.shownIndex) << int(c.stored);
        WriteBack();
        EXPECT_EQ(Image(5), c.afterWriteBack) << int(c.stored);
    }
}

TEST_F(DevConfigPageTest, UnknownCompositionShowsNoModel)
{
    window->Doc().state.WideDisplay = 1; // wide display with 32 windows is no model
    Refresh();
    EXPECT_EQ(Model().currentIndex(), -1);
    EXPECT_EQ(Composition(), "");
    EXPECT_EQ(Windows(), "32 окна");
}

TEST_F(DevConfigPageTest, OptionBoxesWriteTheirBitAlone)
{
    Image(3) = 0xF1;
    auto& fix = Find<QCheckBox>("CBFixConfig");
    fix.click();
    EXPECT_FALSE(fix.isChecked());
    EXPECT_EQ(Image(3), 0xF0);

    auto& modbusInputs = Find<QWidget>("AGBoxMODBUS");
    EXPECT_TRUE(modbusInputs.isHidden());
    Image(3) = 0x06; // a file brings the Modbus-master flag
    Refresh();
    EXPECT_TRUE(Find<QCheckBox>("CBMBusMaster").isChecked());
    EXPECT_FALSE(modbusInputs.isHidden()) << "the tick's change redrew the inputs page";
    EXPECT_FALSE(fix.isChecked());
    EXPECT_EQ(Image(3), 0x06);
}

TEST_F(DevConfigPageTest, CarriedBytesSurviveANewConfiguration)
{
    Image(3) = 0xFE;
    Image(4) = 0x5A;
    Action("NNewConfig").trigger();
    EXPECT_EQ(Image(3), 0xFD);
    EXPECT_EQ(Image(4), 0x5A);
    EXPECT_TRUE(Find<QCheckBox>("CBFixConfig").isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CBMBusMaster").isChecked());
}

} // namespace
} // namespace glt::ui
