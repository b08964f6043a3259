#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>

#include "document/document.hpp"
#include "document/document_commands.hpp"
#include "document/page_table.hpp"
#include "link/device_commands.hpp"
#include "link/modbus.hpp"
#include "ui/page_context.hpp"
#include "ui/qt_shell.hpp"
#include "ui/window_feedback.hpp"

class QAction;
class QLabel;
class QToolButton;

namespace glt::ui {

class AddressBox;
class DevConfigPage;
class Dialogs;
class ExternalNetPage;
class InputsPage;
class MBusPage;
class OutputsPage;
class PageTabs;
class SignallingPage;
class StructurePage;
class TFMBParam;

// The device commands of the menus and the toolbar; the connection code
// attaches them once it exists.
enum class DeviceCommand { Read, Write, Apply, Info };

// The main window: owner of the one document, the menus, the toolbar with the
// device address, the pager with every editor page, and the status bar. The
// document and device commands reach the pages through it as the page table.
class TFMain : public QMainWindow, public PageTable {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 692;
    static constexpr int kClientHeight = 482;

    explicit TFMain(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TFMain() override;

    PageArea& At(Area area) override;

    Document& Doc() { return doc_; }
    DocumentCommands& Commands() { return commands_; }
    QToolButton& ConnectionButton() { return *connectionButton_; }

    // Until a command is attached its button and menu item stay disabled.
    void SetDeviceCommand(DeviceCommand command, std::function<void()> handler);
    // The connection window: SBMBusParametersClick hangs it below the
    // connection button, and the four device commands take their settings
    // from it and the address from EDeviceAddr.
    void AttachConnectionWindow(TFMBParam& window);

    // The request dialog the external network page opens for a request row.
    void AttachRequestDialog(std::function<void(std::size_t request)> show) { context_.showRequestDialog = std::move(show); }

    void SBMBusParametersClick();
    // "Выход": ends the program at once, without the quit question.
    void N7Click();

protected:
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery

private:
    QWidget* BuildToolbar();
    void BuildMenus();
    void BuildPages();
    void FormCreate();
    // Connects a menu item or button to a handler run through the error box.
    void Wire(QAction* action, std::function<void()> handler);
    void Wire(QToolButton* button, std::function<void()> handler);

    Dialogs& dialogs_;
    Document doc_;
    QLabel* statusText_;
    QLabel* statusLabel_; // L4
    QtShell shell_;
    PageContext context_;
    DocumentCommands commands_;
    WindowFeedback feedback_;
    TModbus modbus_;
    DeviceCommands deviceCommands_;

    PageTabs* tabs_ = nullptr;
    DevConfigPage* devConfig_ = nullptr;
    MBusPage* mbus_ = nullptr;
    InputsPage* inputs_ = nullptr;
    OutputsPage* outputs_ = nullptr;
    StructurePage* structure_ = nullptr;
    SignallingPage* signalling_ = nullptr;
    ExternalNetPage* externalNet_ = nullptr;

    AddressBox* deviceAddr_ = nullptr;
    QToolButton* connectionButton_ = nullptr;
    TFMBParam* connectionWindow_ = nullptr;

    struct DeviceEntry {
        QAction* action = nullptr;
        QToolButton* button = nullptr; // none for "Инфо"
        std::function<void()> handler;
    };
    std::array<DeviceEntry, 4> device_{};
};

// The one main window of the run; null before it is made and after it is gone.
inline TFMain* FMain = nullptr;

// Where a window hanging from button goes: left edge at the button's left,
// top one pixel above the button's lower edge.
QPoint HangBelow(const QWidget& button);

} // namespace glt::ui
