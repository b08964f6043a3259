#pragma once

#include <QLabel>

namespace glt::ui {

// A centred caption in bold navy inside a flat raised frame, as the model
// captions of the device configuration page show.
QLabel* MakeStaticCaption(const QString& objectName, QWidget* parent);

} // namespace glt::ui
