#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/request_dialog.hpp"

namespace glt::ui {
namespace {

template <class T>
T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QString Text(QWidget& dialog, const char* name) { return Child<QLineEdit>(dialog, name)->text(); }

// Device 3 with an acknowledgment entry, device 4 with neither, device 5
// with a reset entry and an unnamed function.
Document ThreeRequests()
{
    Document doc;
    const std::uint8_t requests[] = {3, 3, 1, 0x10, 0x00, 32, 4, 2, 0x00, 0x01, 8, 5, 3, 0xCD, 0xAB, 1};
    std::ranges::copy(requests, NetRequests(doc.image).begin());
    const std::uint8_t receipts[] = {1, 3, 0, 0x10, 0x00, 1};
    std::ranges::copy(receipts, NetReceipts(doc.image).begin());
    const std::uint8_t resets[] = {1, 5, 0, 0x34, 0x12, 0};
    std::ranges::copy(resets, NetResets(doc.image).begin());
    return doc;
}

// Runs the modal dialog for one request and reads its fields while it is open.
struct Shown {
    QString net, function, start, count, receiptAddr, unsetAddr;
    bool receipt, receiptEnabled, unset, unsetEnabled, visible;
};

Shown ShowAndClose(TFMBMaster& dialog, const Document& doc, std::size_t index, const char* closeButton)
{
    Shown shown{};
    QTimer::singleShot(0, &dialog, [&] {
        shown.visible = dialog.isVisible() && dialog.isModal();
        shown.net = Text(dialog, "ENetAddress");
        shown.function = Child<QComboBox>(dialog, "CBFunction")->currentText();
        shown.start = Text(dialog, "EDataAdress");
        shown.count = Text(dialog, "EDataValue");
        shown.receipt = Child<QCheckBox>(dialog, "CBReceipt")->isChecked();
        shown.receiptAddr = Text(dialog, "EReceiptAddr");
        shown.receiptEnabled = Child<QLineEdit>(dialog, "EReceiptAddr")->isEnabled();
        shown.unset = Child<QCheckBox>(dialog, "CBUnset")->isChecked();
        shown.unsetAddr = Text(dialog, "EUnsetAddr");
        shown.unsetEnabled = Child<QLineEdit>(dialog, "EUnsetAddr")->isEnabled();
        dialog.grab().save(QStringLiteral("/tmp/request_dialog_%1.png").arg(index));
        Child<QPushButton>(dialog, closeButton)->click();
    });
    RequestDialogCaller(dialog, doc)(index);
    return shown;
}

TEST(RequestDialog, WindowAndDefaults)
{
    TFMBMaster dialog;
    EXPECT_EQ(dialog.objectName(), "FMBMaster");
    EXPECT_EQ(dialog.windowTitle(), "FMBMaster");
    EXPECT_EQ(dialog.size(), QSize(581, 123));
    EXPECT_NEAR(dialog.windowOpacity(), 240.0 / 255.0, 0.01);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::Tool));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Text(dialog, "ENetAddress"), "1");
    EXPECT_EQ(Text(dialog, "EDataAdress"), "0x0000");
    EXPECT_EQ(Text(dialog, "EDataValue"), "32");
    EXPECT_EQ(Text(dialog, "EReceiptAddr"), "0x0000");
    EXPECT_EQ(Text(dialog, "EUnsetAddr"), "0x0001");
    auto* function = Child<QComboBox>(dialog, "CBFunction");
    ASSERT_EQ(function->count(), 2);
    EXPECT_EQ(function->itemText(0), "1   R.Coil ");
    EXPECT_EQ(function->itemText(1), "2   R.Disc");
    EXPECT_EQ(function->currentText(), "2   R.Disc");
    EXPECT_EQ(Child<QGroupBox>(dialog, "AGBReceipt")->title(), "     Квитирование ");
    EXPECT_EQ(Child<QGroupBox>(dialog, "AGBUnset")->title(), "     Сброс ");
}

TEST(RequestDialog, FieldsOfARequestWithAndWithoutLinkedEntries)
{
    const Document doc = ThreeRequests();
    TFMBMaster dialog;

    const Shown withReceipt = ShowAndClose(dialog, doc, 0, "Button1");
    EXPECT_TRUE(withReceipt.visible);
    EXPECT_EQ(withReceipt.net, "3");
    EXPECT_EQ(withReceipt.function, "1   R.Coil ");
    EXPECT_EQ(withReceipt.start, "0x0010");
    EXPECT_EQ(withReceipt.count, "32");
    EXPECT_TRUE(withReceipt.receipt);
    EXPECT_TRUE(withReceipt.receiptEnabled);
    EXPECT_EQ(withReceipt.receiptAddr, "0x0010");
    EXPECT_FALSE(withReceipt.unset);
    EXPECT_FALSE(withReceipt.unsetEnabled);
    EXPECT_EQ(withReceipt.unsetAddr, "0x0001");
    EXPECT_FALSE(dialog.isVisible()) << "OK closes it";

    // The same dialog is reused: nothing of the previous request stays.
    const Shown bare = ShowAndClose(dialog, doc, 1, "Button2");
    EXPECT_EQ(bare.net, "4");
    EXPECT_EQ(bare.function, "2   R.Disc");
    EXPECT_EQ(bare.start, "0x0100");
    EXPECT_FALSE(bare.receipt);
    EXPECT_FALSE(bare.receiptEnabled);
    EXPECT_EQ(bare.receiptAddr, "0x0000");
    EXPECT_FALSE(bare.unset);
    EXPECT_EQ(bare.unsetAddr, "0x0001");
    EXPECT_FALSE(dialog.isVisible()) << "Отмена closes it";

    const Shown withReset = ShowAndClose(dialog, doc, 2, "Button1");
    EXPECT_EQ(withReset.function, "0x03");
    EXPECT_EQ(withReset.start, "0xABCD");
    EXPECT_EQ(withReset.count, "1");
    EXPECT_TRUE(withReset.unset);
    EXPECT_TRUE(withReset.unsetEnabled);
    EXPECT_EQ(withReset.unsetAddr, "0x1234");
}

TEST(RequestDialog, NothingTypedGoesBackAndNoRequestShowsNothing)
{
    Document doc = ThreeRequests();
    const ConfigImage before = doc.image;
    TFMBMaster dialog;
    QTimer::singleShot(0, &dialog, [&] {
        Child<QLineEdit>(dialog, "ENetAddress")->setText("77");
        Child<QCheckBox>(dialog, "CBUnset")->setChecked(true);
        Child<QPushButton>(dialog, "Button1")->click();
    });
    dialog.ShowRequestDialog(doc.image, 0);
    EXPECT_EQ(doc.image, before);
    EXPECT_FALSE(Child<QLineEdit>(dialog, "EUnsetAddr")->isEnabled()) << "the check box has no handler";

    // Index behind the list: the dialog does not open (a modal dialog would hang here).
    dialog.ShowRequestDialog(doc.image, 3);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace glt::ui
