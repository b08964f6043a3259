#include "ui/qt_shell.hpp"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QWidget>

namespace glt::ui {

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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
    window_.setWindowTitle(Text(caption));
    QApplication::setApplicationDisplayName(Text(caption));
}

void QtShell::SetStatusText(std::string_view text) { statusText_.setText(Text(text)); }

void QtShell::SetStatusLabel(std::string_view text) { statusLabel_.setText(Text(text)); }

std::optional<std::string> QtShell::ChooseOpenFile() { return LocalPath(dialogs_.OpenFile(&window_)); }

std::optional<std::string> QtShell::ChooseSaveFile() { return LocalPath(dialogs_.SaveFile(&window_)); }

bool QtShell::Confirm(std::string_view question) { return dialogs_.Ask(&window_, QMessageBox::Question, Text(question)); }

void QtShell::Inform(std::string_view caption, std::string_view text)
{
    dialogs_.Tell(&window_, QMessageBox::Information, Text(caption), Text(text));
}

void QtShell::BeginBusy() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void QtShell::EndBusy() { QApplication::restoreOverrideCursor(); }

void QtShell::ProcessEvents() { QCoreApplication::processEvents(); }

} // namespace glt::ui
