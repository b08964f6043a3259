#include <QClipboard>
#include <QKeyEvent>
#include <QRadioButton>
#include <QtTest/QTest>

#include "document/error.hpp"
#include "main_window_fixture.hpp"
#include "ui/address_box.hpp"

namespace glt::ui {
namespace {

using testing_support::MainWindowFixture;

constexpr std::size_t kBase = 22;

// Types each character as a key press carrying it, as a keyboard would.
void Type(QWidget& widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&widget, &press);
    }
}

class MBusPageTest : public MainWindowFixture {
protected:
    QRadioButton& Radio(const char* name) { return Find<QRadioButton>(name); }
    AddressBox& Address() { return Find<AddressBox>("ENetAddress"); }
    std::uint8_t& Image(std::size_t offset) { return window->Doc().image[kBase + offset]; }
    void Refresh() { window->At(Area::MBusSettings).Refresh(); }
    void WriteBack() { window->At(Area::MBusSettings).WriteBack(); }
};

TEST_F(MBusPageTest, NewConfigurationIsShown)
{
    EXPECT_EQ(Address().text(), "1");
    EXPECT_EQ(Find<QComboBox>("CBBaudRate").currentText(), "9600     бод");
    EXPECT_TRUE(Radio("RBTwoStopBits").isChecked());
    EXPECT_TRUE(Radio("RBNoParity").isChecked());
}

TEST_F(MBusPageTest, WriteBackStoresTheShownValues)
{
    struct Case { const char* address; int rate; const char* stop; const char* parity; std::uint8_t bytes[5]; };
    const Case cases[] = {
        {"17", 6, "RBTwoStopBits", "RBOddParity", {17, 0x03, 0x38, 0x73, 0x06}},
        {"255", 2, "RBOneStopBits", "RBEvenParity", {255, 0x17, 0x20, 0x73, 0x06}},
        {"1", 0, "RBOneStopBits", "RBNoParity", {1, 0x2F, 0x00, 0x73, 0x06}},
    };
    Image(5) = 0x44;
    Image(6) = 0x55;
    for (const Case& c : cases) {
        Address().setText(QString::fromLatin1(c.address));
        Find<QComboBox>("CBBaudRate").setCurrentIndex(c.rate);
        Radio(c.stop).setChecked(true);
        Radio(c.parity).setChecked(true);
        WriteBack();
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(Image(k), c.bytes[k]) << c.address << " byte " << k;
        }
        EXPECT_EQ(Image(5), 0x44);
        EXPECT_EQ(Image(6), 0x55);
    }
}

TEST_F(MBusPageTest, RefreshKeepsWhatTheImageCannotSay)
{
    Radio("RBEvenParity").setChecked(true);
    Find<QComboBox>("CBBaudRate").setCurrentIndex(3);
    Image(0) = 0;      // no address: shows 1
    Image(1) = 0x30;   // no such rate: the list keeps its row
    Image(2) = 0x10;   // undefined parity: the buttons stay, one stop bit
    Refresh();
    EXPECT_EQ(Address().text(), "1");
    EXPECT_EQ(Find<QComboBox>("CBBaudRate").currentIndex(), 3);
    EXPECT_TRUE(Radio("RBEvenParity").isChecked());
    EXPECT_TRUE(Radio("RBOneStopBits").isChecked());

    WriteBack();
    EXPECT_EQ(Image(0), 1);
    EXPECT_EQ(Image(1), 0x0F);
    EXPECT_EQ(Image(2), 0x20);
}

TEST_F(MBusPageTest, AddressBoxesFollowTheirRules)
{
    for (const char* name : {"ENetAddress", "EDeviceAddr"}) {
        auto& box = Find<AddressBox>(name);
        struct Typing { const char* start; const char* keys; const char* result; };
        const Typing typings[] = {
            {"1", "300", "255"}, {"1", "42", "42"}, {"1", "7a-b.9", "79"}, {"1", "д", "1"},
        };
        for (const Typing& t : typings) {
            box.setText(QString::fromLatin1(t.start));
            box.selectAll();
            Type(box, QString::fromUtf8(t.keys));
            EXPECT_EQ(box.text(), QString::fromLatin1(t.result)) << name << ' ' << t.keys;
        }

        box.setText(QStringLiteral("123"));
        box.end(false);
        for (int k = 0; k < 3; ++k) {
            QTest::keyClick(&box, Qt::Key_Backspace);
        }
        EXPECT_EQ(box.text(), "1") << name << ": deleting every digit gives 1";

        QApplication::clipboard()->setText(QStringLiteral("77"));
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box.text(), "1") << name << ": Ctrl+V is a character and dropped";
    }
    EXPECT_EQ(Address().text(), "1");
}

TEST_F(MBusPageTest, PastedTextFailsTheWriteBackBeforeAnyByteChanges)
{
    Find<QComboBox>("CBBaudRate").setCurrentIndex(6);
    Address().setText(QStringLiteral("12ab"));
    EXPECT_EQ(Address().text(), "12ab") << "its leading digits are within range";
    const ConfigImage before = window->Doc().image;
    EXPECT_THROW(WriteBack(), Error);
    EXPECT_EQ(window->Doc().image, before);
}

} // namespace
} // namespace glt::ui
