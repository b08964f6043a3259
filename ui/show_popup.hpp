#pragma once

class QToolButton;

namespace glt::ui {

// The fill buttons' click: opens the button's menu with its top-left corner at
// the button's lower-left corner. A button without a menu does nothing.
void SBShowPopup(QToolButton* sender);

} // namespace glt::ui
