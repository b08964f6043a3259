#include "ui/show_popup.hpp"

#include <QMenu>
#include <QToolButton>

namespace glt::ui {

void SBShowPopup(QToolButton* sender)
{
    if (sender == nullptr || sender->menu() == nullptr) {
        return;
    }
    sender->menu()->popup(sender->mapToGlobal(QPoint(0, sender->height())));
}

} // namespace glt::ui
