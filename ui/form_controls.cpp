#include "ui/form_controls.hpp"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

#include "ui/look.hpp"

namespace glt::ui {

QLabel* MakeBoldLabel(const QString& caption, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setFont(BoldWindowFont());
    label->move(x, y);
    label->adjustSize();
    return label;
}

QRadioButton* MakeRadio(const QString& name, const QString& caption, QWidget* parent, QButtonGroup& group)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    // A styled group box does not pass its font on.
    button->setFont(WindowFont());
    group.addButton(button);
    return button;
}

} // namespace glt::ui
