#include "ui/pages/dev_config_page.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "document/codecs/dev_config.hpp"
#include "ui/error_presenter.hpp"
#include "ui/look.hpp"
#include "ui/static_caption.hpp"
#include "ui/qt_text.hpp"

namespace glt::ui {

namespace {


QCheckBox* MakeCheckBox(const QString& name, const QString& caption, int x, int y, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->move(x, y);
    box->adjustSize();
    return box;
}

} // namespace

DevConfigPage::DevConfigPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context)
{
    setFont(WindowFont());

    config_ = new QComboBox(this);
    config_->setObjectName(QStringLiteral("CBConfig"));
    config_->setAccessibleName(QStringLiteral("Модель"));
    for (const ModelRow& row : ModelTable) {
        config_->addItem(Utf8(row.model));
    }
    config_->setGeometry(20, 20, 120, 21);

    configCaption_ = MakeStaticCaption(QStringLiteral("STConfig"), this);
    configCaption_->setGeometry(145, 21, 150, 18);
    windowCaption_ = MakeStaticCaption(QStringLiteral("STWindow"), this);
    windowCaption_->setGeometry(302, 21, 80, 18);

    fixConfig_ = MakeCheckBox(QStringLiteral("CBFixConfig"), QStringLiteral("Зафиксировать конфигурацию"), 20, 55, this);
    lineControl_ = MakeCheckBox(QStringLiteral("CBLineControl"), QStringLiteral("Контроль линии связи"), 20, 85, this);

    timeoutLabel_ = new QLabel(QStringLiteral("Таймаут"), this);
    timeoutLabel_->setObjectName(QStringLiteral("Label11"));
    timeoutLabel_->move(45, 112);
    timeoutLabel_->adjustSize();

    timeout_ = new QComboBox(this);
    timeout_->setObjectName(QStringLiteral("CBMBusTimeout"));
    timeout_->setAccessibleName(QStringLiteral("Таймаут"));
    timeout_->setMaxVisibleItems(10);
    timeout_->setGeometry(100, 109, 75, 21);
    timeoutLabel_->setBuddy(timeout_);

    mbusMaster_ = MakeCheckBox(QStringLiteral("CBMBusMaster"), QStringLiteral("Режим Modbus Master  < Beta >"), 20, 140, this);
    QPalette red = mbusMaster_->palette();
    red.setColor(QPalette::WindowText, BgrColor(kClRed));
    mbusMaster_->setPalette(red);
    // The Modbus-master flag comes only from a file or the panel; the box
    // still shows and writes it, unseen.
    mbusMaster_->hide();

    connect(config_, &QComboBox::activated, this, [this](int row) { Guarded(this, [&] { CBConfigChange(row); }); });
    connect(fixConfig_, &QCheckBox::toggled, this, [this](bool on) { Guarded(this, [&] { CBFixConfigClick(on); }); });
    connect(lineControl_, &QCheckBox::toggled, this, [this](bool on) { Guarded(this, [&] { CBLineControlClick(on); }); });
    connect(mbusMaster_, &QCheckBox::toggled, this, [this](bool on) { Guarded(this, [&] { CBMBusMasterClick(on); }); });

    CBLineControlClick(false);
}

void DevConfigPage::FillTimeoutList()
{
    timeout_->clear();
    for (int k = 0; k < kTimeoutItemCount; ++k) {
        timeout_->addItem(Utf8(TimeoutItemText(k)));
    }
    timeout_->setCurrentIndex(kDefaultTimeoutIndex);
}

void DevConfigPage::Default()
{
    DefaultDevConfig(ctx_.doc);
    // Before the main window has filled the list there is nothing to select.
    if (timeout_->count() > kDefaultTimeoutIndex) {
        timeout_->setCurrentIndex(kDefaultTimeoutIndex);
    }
    Refresh();
}

void DevConfigPage::Refresh()
{
    const auto data = BlockData(ctx_.doc.image, BlockId::DevConfig);
    const std::optional<std::size_t> row = FindModel(ctx_.doc);
    config_->setCurrentIndex(row ? static_cast<int>(*row) : -1);
    ShowModelCaptions();

    const std::uint8_t linkTimeout = data[devcfg::kLinkTimeout];
    lineControl_->setChecked(linkTimeout != 0);
    CBLineControlClick(linkTimeout != 0);
    if (linkTimeout != 0) {
        const std::optional<int> index = TimeoutIndex(linkTimeout);
        timeout_->setCurrentIndex(index ? *index : -1);
    }

    // Through the boxes' own change path: a changed Modbus-master tick also
    // redraws the inputs page.
    fixConfig_->setChecked(TestOption(ctx_.doc, devcfg::kFixConfigBit));
    mbusMaster_->setChecked(TestOption(ctx_.doc, devcfg::kModbusMasterBit));

    ctx_.pages.At(Area::DispSettings).Refresh();
}

void DevConfigPage::WriteBack()
{
    BlockData(ctx_.doc.image, BlockId::DevConfig)[devcfg::kLinkTimeout] =
        LinkTimeoutFrom(lineControl_->isChecked(), timeout_->currentIndex());
}

void DevConfigPage::CBConfigChange(int row)
{
    if (row < 0) {
        return;
    }
    ApplyModel(ctx_.doc, static_cast<std::size_t>(row));
    ShowModelCaptions();
    ctx_.pages.At(Area::DispSettings).Refresh();
}

void DevConfigPage::ShowModelCaptions()
{
    // Without a matching model the composition is unknown; the window count
    // still names itself.
    const int row = config_->currentIndex();
    configCaption_->setText(row >= 0 ? Utf8(ModelTable[static_cast<std::size_t>(row)].composition) : QString());
    windowCaption_->setText(Utf8(WindowCaption(BlockData(ctx_.doc.image, BlockId::DevConfig)[devcfg::kWindowCount])));
}

void DevConfigPage::CBFixConfigClick(bool ticked) { SetOption(ctx_.doc, devcfg::kFixConfigBit, ticked); }

void DevConfigPage::CBLineControlClick(bool ticked)
{
    timeout_->setEnabled(ticked);
    timeoutLabel_->setEnabled(ticked);
}

void DevConfigPage::CBMBusMasterClick(bool ticked)
{
    SetOption(ctx_.doc, devcfg::kModbusMasterBit, ticked);
    ctx_.pages.At(Area::InputType).Refresh();
}

} // namespace glt::ui
