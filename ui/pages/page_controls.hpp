#pragma once

#include <functional>
#include <string_view>

#include <QString>

#include "ui/qt_text.hpp"

class QAbstractButton;
class QAction;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

namespace glt::ui {

// Pages and strips are drawn on the pager's page colour.
void FillWithPageColour(QWidget* widget);

// A slot that runs a page handler through the error presenter.
void Connect(QAbstractButton* button, std::function<void()> handler);

// The Get/Default buttons a page carries for testing by hand; never shown.
QPushButton* MakeHiddenButton(QWidget* parent, const QString& name, const QString& text, std::function<void()> handler);

// A 40 x 25 fill button in blue bold type that opens its menu below it.
QToolButton* MakeFillButton(QWidget* parent, const QString& name, QMenu* menu, int x, int y);

// A fill menu item; its tag is kept as the action's data, and choosing it
// runs the handler through the error presenter.
QAction* AddFillItem(QMenu* menu, const QString& name, const QString& text, int tag, std::function<void()> handler);

} // namespace glt::ui
