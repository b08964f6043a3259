// A configuration edited on every page survives the whole path a field
// engineer takes: save, reopen, write to a panel, read it back.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "document/config_image.hpp"
#include "main_window_fixture.hpp"
#include "sim_process.hpp"
#include "ui/connection_window.hpp"

namespace glt::ui {
namespace {

using testing_support::MainWindowFixture;

class RoundTripTest : public MainWindowFixture {
protected:
    void EditEveryPage()
    {
        Pick(Find<QComboBox>("CBConfig"), 2); // ГЛТ-07-02: 16 windows
        Find<QCheckBox>("CBLineControl").click();
        Pick(Find<QComboBox>("CBMBusTimeout"), 9);
        window->findChildren<QComboBox*>(QStringLiteral("CBBaudRate")).front()->setCurrentIndex(2);
        Find<QRadioButton>("RBOddParity").click();
        Find<QAbstractButton>("SBTypeContact9").click();
        Find<QAction>("N41").trigger();     // every relay "Управление с блок."
        Find<QAction>("ModBus2").trigger(); // structure fed from the network inputs
        Find<QAction>("N16").trigger();     // every window "Аварийная"
        QTest::mouseClick(&Find<QWidget>("PWDisplay5"), Qt::LeftButton);
        Find<QAbstractButton>("SBAddRequest").click();
        Find<QAbstractButton>("Button28").click();
    }

    static void ExpectSameData(const ConfigImage& actual, const ConfigImage& expected)
    {
        for (const BlockInfo& info : BlockTable) {
            const auto a = BlockData(actual, info.id);
            const auto e = BlockData(expected, info.id);
            EXPECT_TRUE(std::equal(a.begin(), a.end(), e.begin())) << info.name;
        }
    }
};

TEST_F(RoundTripTest, EditedOnEveryPageSavedReopenedWrittenAndReadBack)
{
    EditEveryPage();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("edited.cfg"));
    dialogs.saveAnswers.push_back(file);
    Action("NSaveAsFile").trigger();
    const ConfigImage saved = window->Doc().image;
    ASSERT_TRUE(VerifyBlocks(saved));
    // The edits really reached the image.
    EXPECT_EQ(saved[2], 16);
    EXPECT_EQ(saved[5], 10);
    EXPECT_EQ(saved[Block(BlockId::InputType).offset + 1], 0x01);
    EXPECT_EQ(saved[Block(BlockId::NetRequests).offset], 2);

    Action("NNewConfig").trigger();
    ASSERT_NE(window->Doc().image, saved);
    dialogs.openAnswers.push_back(file);
    Action("NLoadFile").trigger();
    EXPECT_EQ(window->Doc().image, saved);
    EXPECT_EQ(Find<QComboBox>("CBConfig").currentText(), "ГЛТ-07-02");

    sim::SimProcess panel({});
    TFMBParam connection({panel.DevicePath()}, Find<QToolButton>("SBMBusParameters"));
    window->AttachConnectionWindow(connection);
    dialogs.askAnswers.push_back(true);
    Action("NWriteConfig").trigger();
    ASSERT_EQ(window->windowTitle(), "GLT Configuration tool") << "the write went through";

    Find<QToolButton>("SBReadConfig").click();
    ASSERT_EQ(window->windowTitle(), "[Readed] - GLT Configuration tool");
    // Blocks 0..6 come back from the panel; the network lists stay in the tool.
    ExpectSameData(window->Doc().image, saved);
}

} // namespace
} // namespace glt::ui
