#include "ui/static_caption.hpp"

#include "ui/look.hpp"

namespace glt::ui {

QLabel* MakeStaticCaption(const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setLineWidth(1);
    label->setFont(BoldWindowFont());
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, BgrColor(kClNavy));
    label->setPalette(palette);
    return label;
}

} // namespace glt::ui
