#include "ui/qt_shell.hpp"
#include "ui/qt_text.hpp"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QWidget>

namespace glt::ui {

namespace {


std::optional<std::string> LocalPath(const std::optional<QString>& path)
{
    if (!path) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(*path).toStdString();
}

} // namespace

QtShell::QtShell(QWidget& window, Dialogs& dialogs, QLabel& statusText, QLabel& statusLabel)
    : window_(window), dialogs_(dialogs), statusText_(statusText), statusLabel_(statusLabel)
{
}

void QtShell::SetCaption(std::string_view caption)
{
    window_.setWindowTitle(Utf8(caption));
    QApplication::setApplicationDisplayName(Utf8(caption));
}

void QtShell::SetStatusText(std::string_view text) { statusText_.setText(Utf8(text)); }

void QtShell::SetStatusLabel(std::string_view text) { statusLabel_.setText(Utf8(text)); }

std::optional<std::string> QtShell::ChooseOpenFile() { return LocalPath(dialogs_.OpenFile(&window_)); }

std::optional<std::string> QtShell::ChooseSaveFile() { return LocalPath(dialogs_.SaveFile(&window_)); }

bool QtShell::Confirm(std::string_view question) { return dialogs_.Ask(&window_, QMessageBox::Question, Utf8(question)); }

void QtShell::Inform(std::string_view caption, std::string_view text)
{
    dialogs_.Tell(&window_, QMessageBox::Information, Utf8(caption), Utf8(text));
}

void QtShell::BeginBusy() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void QtShell::EndBusy() { QApplication::restoreOverrideCursor(); }

void QtShell::ProcessEvents() { QCoreApplication::processEvents(); }

} // namespace glt::ui
