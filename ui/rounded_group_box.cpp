#include "ui/rounded_group_box.hpp"

namespace glt::ui {

QGroupBox* MakeRoundedGroupBox(const QString& objectName, const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox#%1 { border: 1px solid #A0A8B4; border-radius: 6px; margin-top: 7px; }"
        "QGroupBox#%1::title { subcontrol-origin: margin; left: 8px; padding: 0; }")
                           .arg(objectName));
    return box;
}

} // namespace glt::ui
