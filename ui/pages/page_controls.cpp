#include "ui/pages/page_controls.hpp"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "ui/error_presenter.hpp"
#include "ui/look.hpp"
#include "ui/pictures.hpp"
#include "ui/show_popup.hpp"

namespace glt::ui {
namespace {

constexpr int kFillButtonWidth = 40;
constexpr int kFillButtonHeight = 25;
constexpr std::uint32_t kClBlue = 0x00FF0000;

} // namespace

void FillWithPageColour(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, BgrColor(kPageBackground));
    widget->setPalette(palette);
}

void Connect(QAbstractButton* button, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
        [button, handler = std::move(handler)] { Guarded(button->window(), handler); });
}

QPushButton* MakeHiddenButton(QWidget* parent, const QString& name, const QString& text, std::function<void()> handler)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setVisible(false);
    Connect(button, std::move(handler));
    return button;
}

QToolButton* MakeFillButton(QWidget* parent, const QString& name, QMenu* menu, int x, int y)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAccessibleName(QStringLiteral("Заполнить"));
    button->setToolTip(QStringLiteral("Заполнить"));
    button->setAutoRaise(true);
    button->setIcon(FillButtonIcon());
    button->setIconSize(QSize(20, 20));
    button->setGeometry(x, y, kFillButtonWidth, kFillButtonHeight);
    button->setFont(BoldWindowFont());
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, BgrColor(kClBlue));
    button->setPalette(palette);
    // The menu is opened by the click handler, not by the button's own arrow.
    button->setMenu(menu);
    button->setPopupMode(QToolButton::DelayedPopup);
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    Connect(button, [button] { SBShowPopup(button); });
    return button;
}

QAction* AddFillItem(QMenu* menu, const QString& name, const QString& text, int tag, std::function<void()> handler)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setData(tag);
    QObject::connect(action, &QAction::triggered, menu,
        [menu, handler = std::move(handler)] { Guarded(menu->parentWidget(), handler); });
    return action;
}

} // namespace glt::ui
