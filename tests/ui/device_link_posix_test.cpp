// The device commands driven from the window's menus and toolbar against the
// virtual panel: settings from the connection window, address from EDeviceAddr.
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include "main_window_fixture.hpp"
#include "sim_process.hpp"
#include "ui/address_box.hpp"
#include "ui/connection_window.hpp"

namespace glt::ui {
namespace {

using testing_support::CloseModalBoxes;
using testing_support::MainWindowFixture;

class DeviceLinkTest : public MainWindowFixture {
protected:
    void Connect(const std::vector<std::string>& simOptions)
    {
        sim = std::make_unique<sim::SimProcess>(simOptions);
        connection = std::make_unique<TFMBParam>(std::vector<std::string>{sim->DevicePath()},
            Find<QToolButton>("SBMBusParameters"));
        window->AttachConnectionWindow(*connection);
    }

    std::unique_ptr<sim::SimProcess> sim;
    std::unique_ptr<TFMBParam> connection;
};

TEST_F(DeviceLinkTest, ReadWriteAndInfoFromTheWindow)
{
    // The panel holds a configuration of its own model, made by this window.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("panel.cfg"));
    Pick(Find<QComboBox>("CBConfig"), 4);
    dialogs.saveAnswers.push_back(file);
    Action("NSaveAsFile").trigger();
    Action("NNewConfig").trigger();
    ASSERT_EQ(Find<QComboBox>("CBConfig").currentText(), "ГЛТ-07");

    Connect({"--model", "ГЛТ-09", "--address", "7", "--from", file.toStdString()});
    Find<AddressBox>("EDeviceAddr").setText("7");

    Find<QToolButton>("SBReadConfig").click();
    EXPECT_EQ(window->windowTitle(), "[Readed] - GLT Configuration tool");
    EXPECT_EQ(window->Doc().state.WideDisplay, 1);
    EXPECT_EQ(Find<QComboBox>("CBConfig").currentText(), "ГЛТ-09");
    EXPECT_NE(Find<QLabel>("L4").text(), "<Статус>") << "the link reports its progress";

    dialogs.askAnswers.push_back(true);
    Action("NWriteConfig").trigger();
    ASSERT_EQ(dialogs.questions.size(), 1U);
    EXPECT_EQ(dialogs.questions[0], "Передать данные программирования?");
    EXPECT_EQ(dialogs.icons[0], QMessageBox::Question);
    EXPECT_EQ(window->windowTitle(), "GLT Configuration tool");

    Action("N20").trigger();
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_TRUE(dialogs.messages[0].startsWith(
        QString::fromStdString("Информация об устройстве №7  (" + sim->DevicePath() + "): ")))
        << dialogs.messages[0].toStdString();
}

TEST_F(DeviceLinkTest, WrongAddressIsReportedAndChangesNothing)
{
    Connect({"--address", "7"});
    const ConfigImage before = window->Doc().image;
    const std::vector<QString> boxes = CloseModalBoxes([&] { Find<QToolButton>("SBReadConfig").click(); });
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0], QString::fromStdString("GLT Configuration tool: Устройство № 1  (" + sim->DevicePath()
                            + ")  не отвечает на запросы."));
    EXPECT_EQ(window->Doc().image, before);
    EXPECT_EQ(window->windowTitle(), "GLT Configuration tool");
}

} // namespace
} // namespace glt::ui
