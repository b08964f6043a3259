#include "ui/window_feedback.hpp"

#include <QApplication>

#include "document/shell.hpp"

namespace glt::ui {

void WindowFeedback::SetStatusLabel(std::string_view text) { shell_.SetStatusLabel(text); }

void WindowFeedback::Beep() { QApplication::beep(); }

} // namespace glt::ui
