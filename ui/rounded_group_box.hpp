#pragma once

#include <QGroupBox>

namespace glt::ui {

// A group box with a rounded frame and its title set into the frame line.
QGroupBox* MakeRoundedGroupBox(const QString& objectName, const QString& title, QWidget* parent);

} // namespace glt::ui
