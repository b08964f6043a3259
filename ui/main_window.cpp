#include "ui/main_window.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/error.hpp"
#include "document/texts.hpp"
#include "ui/address_box.hpp"
#include "ui/connection_window.hpp"
#include "ui/dialogs.hpp"
#include "ui/error_presenter.hpp"
#include "ui/look.hpp"
#include "ui/page_tabs.hpp"
#include "ui/pages/dev_config_page.hpp"
#include "ui/pages/external_net_page.hpp"
#include "ui/pages/inputs_page.hpp"
#include "ui/pages/mbus_page.hpp"
#include "ui/pages/outputs_page.hpp"
#include "ui/pages/signalling_page.hpp"
#include "ui/pages/structure_page.hpp"
#include "ui/pictures.hpp"

namespace glt::ui {

namespace {

constexpr int kSeparatorHeight = 2;
constexpr int kToolbarHeight = 33;
constexpr int kStatusBarHeight = 19;
constexpr int kButtonTop = 4;
constexpr int kButtonSize = 24;
constexpr int kConnectionButtonWidth = 38;
constexpr int kAddressBoxWidth = 40;
constexpr int kAddressRightGap = 8;

QFrame* Separator(QFrame::Shape shape, QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

struct ToolButtonEntry {
    const char* name;
    int x;
    const char* hint;
    Picture picture;
};

constexpr ToolButtonEntry kToolButtons[] = {
    {"SBNewConfig", 4, "Новая конфигурация", Picture::NewConfig},
    {"SBLoadFile", 28, "Открыть", Picture::OpenFile},
    {"SBSaveFile", 52, "Сохранить", Picture::SaveFile},
    {"SBMBusParameters", 86, "Параметры связи", Picture::Connection},
    {"SBReadConfig", 124, "Считать конфигурацию", Picture::ReadConfig},
    {"SBWriteConfig", 148, "Записать конфигурацию", Picture::WriteConfig},
    {"SBApplyConfig", 182, "Применить изменения", Picture::ApplyConfig},
};
// The short separator lines after the save and the write buttons.
constexpr int kToolSeparatorX[] = {79, 175};

} // namespace

QPoint HangBelow(const QWidget& button) { return button.mapToGlobal(QPoint(0, button.height() - 1)); }

TFMain::TFMain(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      statusText_(new QLabel),
      statusLabel_(new QLabel(QStringLiteral("<Статус>"))),
      shell_(*this, dialogs, *statusText_, *statusLabel_),
      context_{doc_, *this, shell_, {}, {}},
      commands_(doc_, *this, shell_),
      feedback_(shell_),
      modbus_(MakeSerialPort(), feedback_),
      deviceCommands_(doc_, *this, shell_, modbus_)
{
    FMain = this;
    setObjectName(QStringLiteral("FMain"));
    setFont(WindowFont());
    shell_.SetCaption(kAppTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QFrame* topLine = Separator(QFrame::HLine, client);
    topLine->setFixedHeight(kSeparatorHeight);
    layout->addWidget(topLine);
    layout->addWidget(BuildToolbar());
    QFrame* bottomLine = Separator(QFrame::HLine, client);
    bottomLine->setFixedHeight(kSeparatorHeight);
    layout->addWidget(bottomLine);

    tabs_ = new PageTabs(client);
    layout->addWidget(tabs_, 1);

    auto* status = new QStatusBar(client);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFixedHeight(kStatusBarHeight);
    status->setSizeGripEnabled(false);
    statusText_->setObjectName(QStringLiteral("StatusText"));
    // A permanent widget, because menus wipe the status bar's own message.
    status->addPermanentWidget(statusText_, 1);
    status->setEnabled(false);
    layout->addWidget(status);

    setCentralWidget(client);
    BuildMenus();
    BuildPages();

    // The client area is fixed; the menu bar sits above it.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    FormCreate();
}

TFMain::~TFMain()
{
    if (FMain == this) {
        FMain = nullptr;
    }
}

QWidget* TFMain::BuildToolbar()
{
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("PToolbar"));
    bar->setFixedHeight(kToolbarHeight);

    QToolButton* buttons[std::size(kToolButtons)] = {};
    for (std::size_t k = 0; k < std::size(kToolButtons); ++k) {
        const ToolButtonEntry& entry = kToolButtons[k];
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setToolTip(QString::fromUtf8(entry.hint));
        button->setAccessibleName(QString::fromUtf8(entry.hint));
        button->setAutoRaise(true);
        button->setIcon(PictureIcon(entry.picture));
        const bool wide = entry.picture == Picture::Connection;
        button->setGeometry(entry.x, kButtonTop, wide ? kConnectionButtonWidth : kButtonSize, kButtonSize);
        button->setIconSize(wide ? QSize(32, 20) : QSize(20, 20));
        buttons[k] = button;
    }
    for (int x : kToolSeparatorX) {
        QFrame* line = Separator(QFrame::VLine, bar);
        line->setGeometry(x, kButtonTop + 2, 2, kButtonSize - 4);
    }

    Wire(buttons[0], [this] { commands_.SBNewConfigClick(true); });
    Wire(buttons[1], [this] { commands_.SBLoadFileClick(); });
    Wire(buttons[2], [this] { commands_.SBSaveFileClick(true); });
    connectionButton_ = buttons[3];
    Wire(connectionButton_, [this] { SBMBusParametersClick(); });
    device_[static_cast<std::size_t>(DeviceCommand::Read)].button = buttons[4];
    device_[static_cast<std::size_t>(DeviceCommand::Write)].button = buttons[5];
    device_[static_cast<std::size_t>(DeviceCommand::Apply)].button = buttons[6];

    deviceAddr_ = new AddressBox(bar);
    deviceAddr_->setObjectName(QStringLiteral("EDeviceAddr"));
    deviceAddr_->setToolTip(QStringLiteral("Адрес устройства в сети"));
    deviceAddr_->setAccessibleName(QStringLiteral("Адрес устройства"));
    const int boxX = kClientWidth - kAddressRightGap - kAddressBoxWidth;
    deviceAddr_->setGeometry(boxX, kButtonTop + 1, kAddressBoxWidth, kButtonSize - 2);

    auto* label = new QLabel(QStringLiteral("Адрес устройства"), bar);
    label->setFont(BoldWindowFont());
    label->adjustSize();
    label->move(boxX - 6 - label->width(), kButtonTop + (kButtonSize - label->height()) / 2);
    label->setBuddy(deviceAddr_);
    return bar;
}

void TFMain::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setFont(WindowFont());

    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("N1"));
    QAction* open = file->addAction(QStringLiteral("Открыть"));
    QAction* save = file->addAction(QStringLiteral("Сохранить"));
    QAction* saveAs = file->addAction(QStringLiteral("Сохранить как..."));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("Выход"));
    open->setObjectName(QStringLiteral("NLoadFile"));
    save->setObjectName(QStringLiteral("NSaveFile"));
    saveAs->setObjectName(QStringLiteral("NSaveAsFile"));
    quit->setObjectName(QStringLiteral("N7"));
    Wire(open, [this] { commands_.SBLoadFileClick(); });
    Wire(save, [this] { commands_.SBSaveFileClick(true); });
    Wire(saveAs, [this] { commands_.SBSaveAsFileClick(true); });
    Wire(quit, [this] { N7Click(); });

    QMenu* config = bar->addMenu(QStringLiteral("Конфигурация"));
    config->setObjectName(QStringLiteral("NConfig"));
    QAction* read = config->addAction(QStringLiteral("Считать"));
    QAction* write = config->addAction(QStringLiteral("Записать"));
    QAction* apply = config->addAction(QStringLiteral("Применить"));
    config->addSeparator();
    QAction* fresh = config->addAction(QStringLiteral("Новая"));
    read->setObjectName(QStringLiteral("NReadConfig"));
    write->setObjectName(QStringLiteral("NWriteConfig"));
    apply->setObjectName(QStringLiteral("NApplyConfig"));
    fresh->setObjectName(QStringLiteral("NNewConfig"));
    Wire(fresh, [this] { commands_.SBNewConfigClick(true); });

    QAction* connection = bar->addAction(QStringLiteral("Связь"));
    connection->setObjectName(QStringLiteral("NMBusParameters"));
    Wire(connection, [this] { SBMBusParametersClick(); });
    QAction* info = bar->addAction(QStringLiteral("Инфо"));
    info->setObjectName(QStringLiteral("N20"));

    device_[static_cast<std::size_t>(DeviceCommand::Read)].action = read;
    device_[static_cast<std::size_t>(DeviceCommand::Write)].action = write;
    device_[static_cast<std::size_t>(DeviceCommand::Apply)].action = apply;
    device_[static_cast<std::size_t>(DeviceCommand::Info)].action = info;
    for (std::size_t k = 0; k < device_.size(); ++k) {
        DeviceEntry& entry = device_[k];
        auto run = [this, k] {
            if (device_[k].handler) {
                device_[k].handler();
            }
        };
        Wire(entry.action, run);
        entry.action->setEnabled(false);
        if (entry.button != nullptr) {
            Wire(entry.button, run);
            entry.button->setEnabled(false);
        }
    }
}

void TFMain::BuildPages()
{
    auto* tests = new QWidget;
    tests->setObjectName(QStringLiteral("AdvOfficePage1"));
    statusLabel_->setObjectName(QStringLiteral("L4"));
    statusLabel_->setParent(tests);
    statusLabel_->move(20, 20);
    statusLabel_->resize(300, 20);

    devConfig_ = new DevConfigPage(context_);
    devConfig_->setObjectName(QStringLiteral("AdvOfficePage2"));
    mbus_ = new MBusPage(context_);
    mbus_->setObjectName(QStringLiteral("AdvOfficePage3"));
    inputs_ = new InputsPage(context_);
    inputs_->setObjectName(QStringLiteral("AdvOfficePage5"));
    outputs_ = new OutputsPage(context_);
    outputs_->setObjectName(QStringLiteral("AdvOfficePage4"));
    structure_ = new StructurePage(context_);
    structure_->setObjectName(QStringLiteral("AdvOfficePage7"));
    signalling_ = new SignallingPage(context_);
    signalling_->setObjectName(QStringLiteral("AdvOfficePage6"));
    externalNet_ = new ExternalNetPage(context_);
    externalNet_->setObjectName(QStringLiteral("AdvOfficePage8"));

    tabs_->AddPage(tests, QStringLiteral("ТЕСТЫ"), QIcon(), false);
    tabs_->AddPage(devConfig_, QStringLiteral("Конфигурация"), PictureIcon(Picture::PageConfig), true);
    tabs_->AddPage(mbus_, QStringLiteral("ModBus"), PictureIcon(Picture::PageModbus), true);
    tabs_->AddPage(inputs_, QStringLiteral("Входы"), PictureIcon(Picture::PageInputs), true);
    tabs_->AddPage(outputs_, QStringLiteral("Выходы"), PictureIcon(Picture::PageOutputs), true);
    tabs_->AddPage(structure_, QStringLiteral("Структура"), PictureIcon(Picture::PageStructure), true);
    tabs_->AddPage(signalling_, QStringLiteral("Сигнализация"), PictureIcon(Picture::PageSignalling), true);
    tabs_->AddPage(externalNet_, QStringLiteral("Внешняя сеть"), QIcon(), false);

    context_.showRelayInputs = [this] { outputs_->ShowRelayInputs(); };
}

void TFMain::FormCreate()
{
    SetupAll();
    tabs_->SetCurrentPage(devConfig_);
    commands_.SBNewConfigClick(false);
    shell_.SetStatusText(kStatusVersion);
    devConfig_->FillTimeoutList();
    // The operating-system test of the original platform has no counterpart
    // here: every system this builds for runs the device functions.
}

PageArea& TFMain::At(Area area)
{
    switch (area) {
    case Area::DevConfig: return *devConfig_;
    case Area::MBusSettings: return *mbus_;
    case Area::InputType: return *inputs_;
    case Area::OutDataBase: return *outputs_;
    case Area::CrossBar: return *structure_;
    case Area::DispSettings: return *signalling_;
    case Area::ExternalNet: return *externalNet_;
    }
    throw Error("Неизвестная область страниц");
}

void TFMain::SetDeviceCommand(DeviceCommand command, std::function<void()> handler)
{
    DeviceEntry& entry = device_.at(static_cast<std::size_t>(command));
    const bool enabled = static_cast<bool>(handler);
    entry.handler = std::move(handler);
    entry.action->setEnabled(enabled);
    if (entry.button != nullptr) {
        entry.button->setEnabled(enabled);
    }
}

void TFMain::AttachConnectionWindow(TFMBParam& window)
{
    connectionWindow_ = &window;
    // The address text goes to the commands as it stands: they convert it
    // once and refuse text that is not a whole number before the port opens.
    auto address = [this] { return deviceAddr_->text().toStdString(); };
    SetDeviceCommand(DeviceCommand::Read,
        [this, address] { deviceCommands_.ReadDataFromDevice(connectionWindow_->Settings(), address()); });
    SetDeviceCommand(DeviceCommand::Write,
        [this, address] { deviceCommands_.WriteDataToDevice(connectionWindow_->Settings(), address()); });
    SetDeviceCommand(DeviceCommand::Apply,
        [this, address] { deviceCommands_.ApplyConfig(connectionWindow_->Settings(), address()); });
    SetDeviceCommand(DeviceCommand::Info,
        [this, address] { deviceCommands_.ShowDeviceInfo(connectionWindow_->Settings(), address()); });
}

void TFMain::SBMBusParametersClick()
{
    if (connectionWindow_ == nullptr) {
        return;
    }
    connectionWindow_->move(HangBelow(*connectionButton_));
    connectionWindow_->show();
}

void TFMain::N7Click()
{
    // Queued, so the menu closes first; exit() ends the loop without asking.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void TFMain::closeEvent(QCloseEvent* event)
{
    event->setAccepted(dialogs_.Ask(this, QMessageBox::Warning, QStringLiteral("Завершить работу программы?")));
}

void TFMain::Wire(QAction* action, std::function<void()> handler)
{
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { Guarded(this, handler); });
}

void TFMain::Wire(QToolButton* button, std::function<void()> handler)
{
    connect(button, &QToolButton::clicked, this, [this, handler = std::move(handler)] { Guarded(this, handler); });
}

} // namespace glt::ui
