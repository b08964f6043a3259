#pragma once

#include <QString>

class QButtonGroup;
class QLabel;
class QRadioButton;
class QWidget;

namespace glt::ui {

// A bold caption at (x, y), as large as its text.
QLabel* MakeBoldLabel(const QString& caption, int x, int y, QWidget* parent);

// A radio button in the window font, added to its group; the caller places it.
QRadioButton* MakeRadio(const QString& name, const QString& caption, QWidget* parent, QButtonGroup& group);

} // namespace glt::ui
