#pragma once

#include "document/shell.hpp"
#include "ui/dialogs.hpp"

class QLabel;
class QWidget;

namespace glt::ui {

// The commands' view of the main window: its caption (repeated as the
// application title), the status bar label, the hidden label L4, the dialogs,
// the hourglass and the event queue.
class QtShell : public Shell {
public:
    QtShell(QWidget& window, Dialogs& dialogs, QLabel& statusText, QLabel& statusLabel);

    void SetCaption(std::string_view caption) override;
    void SetStatusText(std::string_view text) override;
    void SetStatusLabel(std::string_view text) override;
    std::optional<std::string> ChooseOpenFile() override;
    std::optional<std::string> ChooseSaveFile() override;
    bool Confirm(std::string_view question) override;
    void Inform(std::string_view caption, std::string_view text) override;
    void BeginBusy() override;
    void EndBusy() override;
    void ProcessEvents() override;

private:
    QWidget& window_;
    Dialogs& dialogs_;
    QLabel& statusText_;
    QLabel& statusLabel_;
};

} // namespace glt::ui
