#include <QKeyEvent>
#include <QRadioButton>
#include <QToolButton>

#include "main_window_fixture.hpp"
#include "ui/connection_window.hpp"

namespace glt::ui {
namespace {

using testing_support::CloseModalBoxes;
using testing_support::MainWindowFixture;

class ConnectionWindowTest : public MainWindowFixture {
protected:
    void Open(const std::vector<std::string>& ports)
    {
        connection = std::make_unique<TFMBParam>(ports, Button());
        window->AttachConnectionWindow(*connection);
        window->show();
    }
    QToolButton& Button() { return Find<QToolButton>("SBMBusParameters"); }
    template <class T>
    T& Control(const char* name) { return *connection->findChild<T*>(QString::fromLatin1(name)); }

    std::unique_ptr<TFMBParam> connection;
};

TEST_F(ConnectionWindowTest, StartsWithTheFirstPortAndTheDefaultLine)
{
    Open({"/dev/ttyS3", "/dev/ttyS1"});
    EXPECT_EQ(connection->objectName(), "FMBParam");
    EXPECT_EQ(connection->size(), QSize(175, 226));
    EXPECT_TRUE(connection->windowFlags().testFlag(Qt::FramelessWindowHint));
    auto& ports = Control<QComboBox>("CBCOMPort");
    ASSERT_EQ(ports.count(), 2);
    EXPECT_EQ(ports.itemText(0), "/dev/ttyS3") << "the list keeps the given order";

    const ConnectionSettings settings = connection->Settings();
    EXPECT_EQ(settings.portName, "/dev/ttyS3");
    EXPECT_EQ(settings.baud, 9600U);
    EXPECT_EQ(settings.stopBits, StopBits::Two);
    EXPECT_EQ(settings.parity, Parity::None);

    auto& rates = Control<QComboBox>("CBBaudRate");
    ASSERT_EQ(rates.count(), 7);
    EXPECT_EQ(rates.itemText(0), "9600     бод");
    EXPECT_EQ(rates.itemText(6), "115200 бод");
}

TEST_F(ConnectionWindowTest, SettingsFollowTheControls)
{
    Open({"/dev/ttyUSB0"});
    struct Case { int rate; const char* stop; const char* parity; std::uint32_t baud; StopBits stopBits; Parity p; };
    const Case cases[] = {
        {6, "RBOneStopBits", "RBOddParity", 115200, StopBits::One, Parity::Odd},
        {1, "RBTwoStopBits", "RBEvenParity", 14400, StopBits::Two, Parity::Even},
        {4, "RBOneStopBits", "RBNoParity", 38400, StopBits::One, Parity::None},
    };
    for (const Case& c : cases) {
        Control<QComboBox>("CBBaudRate").setCurrentIndex(c.rate);
        Control<QRadioButton>(c.stop).setChecked(true);
        Control<QRadioButton>(c.parity).setChecked(true);
        const ConnectionSettings settings = connection->Settings();
        EXPECT_EQ(settings.baud, c.baud);
        EXPECT_EQ(settings.stopBits, c.stopBits);
        EXPECT_EQ(settings.parity, c.p);
    }
}

TEST_F(ConnectionWindowTest, HangsFromTheButtonFromMenuAndToolbar)
{
    Open({"/dev/ttyUSB0"});
    const QPoint expected = Button().mapToGlobal(QPoint(0, Button().height() - 1));
    EXPECT_TRUE(Button().autoRaise());

    Action("NMBusParameters").trigger();
    EXPECT_TRUE(connection->isVisible());
    EXPECT_EQ(connection->pos(), expected);
    EXPECT_FALSE(Button().autoRaise()) << "the button loses its flat look while the panel is open";

    connection->hide();
    EXPECT_TRUE(Button().autoRaise());
    connection->move(0, 0);
    Button().click();
    EXPECT_TRUE(connection->isVisible());
    EXPECT_EQ(connection->pos(), expected);
}

TEST_F(ConnectionWindowTest, EnterEscapeAndDeactivationHideItAndKeepTheValues)
{
    Open({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    const int keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
    for (int key : keys) {
        Button().click();
        ASSERT_TRUE(connection->isVisible());
        Control<QComboBox>("CBCOMPort").setCurrentIndex(1);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&Control<QComboBox>("CBCOMPort"), &press);
        EXPECT_FALSE(connection->isVisible()) << key;
        EXPECT_EQ(connection->Settings().portName, "/dev/ttyUSB1");
    }

    Button().click();
    QApplication::setActiveWindow(connection.get());
    ASSERT_TRUE(connection->isActiveWindow());
    QApplication::setActiveWindow(window.get());
    EXPECT_FALSE(connection->isVisible()) << "a click elsewhere closes it";
}

TEST_F(ConnectionWindowTest, WithoutPortsTheDeviceCommandsCannotOpenOne)
{
    Open({});
    EXPECT_EQ(Control<QComboBox>("CBCOMPort").currentIndex(), -1);
    EXPECT_EQ(connection->Settings().portName, "");
    const ConfigImage before = window->Doc().image;
    const std::vector<QString> boxes = CloseModalBoxes([&] { Find<QToolButton>("SBReadConfig").click(); });
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0], "GLT Configuration tool: Невозможно открыть порт ");
    EXPECT_EQ(window->Doc().image, before);
    EXPECT_FALSE(window->Doc().state.HasFileName);
}

} // namespace
} // namespace glt::ui
