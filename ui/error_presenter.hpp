#pragma once

#include <exception>
#include <string_view>

class QWidget;

namespace glt::ui {

// The standard error box: error icon, OK, the application title as caption,
// the text after the full-stop rule.
void ShowErrorBox(QWidget* parent, std::string_view message);

// Shows whatever the current exception carries; an unknown object gives an
// empty text.
void PresentCurrentException(QWidget* parent);

// Every slot runs through this, because exceptions must not cross Qt's event
// loop; a failing command ends and the program goes on with the next action.
template <class F>
void Guarded(QWidget* parent, F&& handler)
{
    try {
        handler();
    } catch (...) {
        PresentCurrentException(parent);
    }
}

} // namespace glt::ui
