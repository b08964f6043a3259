#include "ui/pages/contact_pictures.hpp"

#include <QPainter>

namespace glt::ui {
namespace {

constexpr int kSize = 16;
constexpr int kBaseY = 11;    // the base line
constexpr int kLeftEnd = 5;   // end of the left segment
constexpr int kRightStart = 11; // start of the right segment

} // namespace

QPixmap ContactPixmap(ContactType type)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, kBaseY, kLeftEnd, kBaseY);
    p.drawLine(kRightStart, kBaseY, kSize - 1, kBaseY);
    p.setRenderHint(QPainter::Antialiasing);
    if (type == ContactType::NormallyOpen) {
        // The blade rises from the left segment and stops above the gap.
        p.drawLine(QPointF(kLeftEnd + 0.5, kBaseY + 0.5), QPointF(kRightStart - 0.5, 4.5));
    } else {
        // A post on each side; the blade falls from the left post onto the right one.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawLine(kLeftEnd, kBaseY, kLeftEnd, 4);
        p.drawLine(kRightStart + 1, kBaseY, kRightStart + 1, 8);
        p.setRenderHint(QPainter::Antialiasing);
        p.drawLine(QPointF(kLeftEnd + 0.5, 4.5), QPointF(kRightStart + 1.5, 8.5));
    }
    return pixmap;
}

QIcon ContactIcon(ContactType type) { return QIcon(ContactPixmap(type)); }

} // namespace glt::ui
