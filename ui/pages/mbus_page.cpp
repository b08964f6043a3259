#include "ui/pages/mbus_page.hpp"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "document/codecs/mbus_settings.hpp"
#include "ui/address_box.hpp"
#include "ui/form_controls.hpp"
#include "ui/look.hpp"
#include "ui/rounded_group_box.hpp"
#include "ui/qt_text.hpp"

namespace glt::ui {

MBusPage::MBusPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context)
{
    setFont(WindowFont());

    QLabel* addressLabel = MakeBoldLabel(QStringLiteral("Сетевой адрес"), 20, 20, this);
    netAddress_ = new AddressBox(this);
    netAddress_->setObjectName(QStringLiteral("ENetAddress"));
    netAddress_->setAccessibleName(addressLabel->text());
    netAddress_->setGeometry(144, 18, 40, 21);
    addressLabel->setBuddy(netAddress_);

    QLabel* rateLabel = MakeBoldLabel(QStringLiteral("Скорость"), 20, 50, this);
    baudRate_ = new QComboBox(this);
    baudRate_->setObjectName(QStringLiteral("CBBaudRate"));
    baudRate_->setAccessibleName(rateLabel->text());
    for (const BaudRateRow& row : BaudRateTable) {
        baudRate_->addItem(Utf8(row.text));
    }
    baudRate_->setCurrentIndex(0);
    baudRate_->setGeometry(90, 48, 96, 21);
    rateLabel->setBuddy(baudRate_);

    QGroupBox* stopBits = MakeRoundedGroupBox(QStringLiteral("AGBStopBits"), QStringLiteral(" Стоп-биты "), this);
    stopBits->setGeometry(20, 76, 167, 59);
    auto* stopGroup = new QButtonGroup(this);
    twoStopBits_ = MakeRadio(QStringLiteral("RBTwoStopBits"), QStringLiteral("Два"), stopBits, *stopGroup);
    oneStopBits_ = MakeRadio(QStringLiteral("RBOneStopBits"), QStringLiteral("Один"), stopBits, *stopGroup);
    twoStopBits_->setGeometry(16, 24, 60, 20);
    oneStopBits_->setGeometry(92, 24, 60, 20);
    twoStopBits_->setChecked(true);

    QGroupBox* parity = MakeRoundedGroupBox(QStringLiteral("AGBParity"), QStringLiteral(" Паритет "), this);
    parity->setGeometry(20, 140, 167, 100);
    auto* parityGroup = new QButtonGroup(this);
    noParity_ = MakeRadio(QStringLiteral("RBNoParity"), Utf8(ParityCaption(LineParity::None)), parity, *parityGroup);
    evenParity_ = MakeRadio(QStringLiteral("RBEvenParity"), Utf8(ParityCaption(LineParity::Even)), parity, *parityGroup);
    oddParity_ = MakeRadio(QStringLiteral("RBOddParity"), Utf8(ParityCaption(LineParity::Odd)), parity, *parityGroup);
    noParity_->setGeometry(16, 22, 130, 20);
    evenParity_->setGeometry(16, 46, 130, 20);
    oddParity_->setGeometry(16, 70, 130, 20);
    noParity_->setChecked(true);
}

void MBusPage::Default()
{
    DefaultMBSettings(ctx_.doc);
    Refresh();
}

void MBusPage::Refresh()
{
    const auto data = BlockData(ctx_.doc.image, BlockId::MBusSettings);
    // The box's change rule applies to the shown text: an address 0 shows 1.
    netAddress_->setText(QString::number(data[mbus::kNetAddress]));
    if (const std::optional<std::size_t> row = FindBaudRate(data[mbus::kRateCode])) {
        baudRate_->setCurrentIndex(static_cast<int>(*row));
    }
    const LineFormat format = DecodeLineFormat(data[mbus::kLineFormat]);
    (format.twoStopBits ? twoStopBits_ : oneStopBits_)->setChecked(true);
    if (format.parity) {
        switch (*format.parity) {
        case LineParity::None: noParity_->setChecked(true); break;
        case LineParity::Even: evenParity_->setChecked(true); break;
        case LineParity::Odd: oddParity_->setChecked(true); break;
        }
    }
}

void MBusPage::WriteBack()
{
    // The address converts first, so text that is no number stores nothing.
    MBusValues values;
    values.netAddress = netAddress_->Address();
    values.baudRow = static_cast<std::size_t>(std::max(0, baudRate_->currentIndex()));
    const LineParity parity = oddParity_->isChecked() ? LineParity::Odd
        : evenParity_->isChecked()                    ? LineParity::Even
                                                      : LineParity::None;
    values.lineFormat = EncodeLineFormat(twoStopBits_->isChecked(), parity);
    StoreMBusSettings(ctx_.doc, values);
}

} // namespace glt::ui
