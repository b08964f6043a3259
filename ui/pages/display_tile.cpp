#include "ui/pages/display_tile.hpp"

#include <QMouseEvent>
#include <QPainter>

#include "ui/error_presenter.hpp"
#include "ui/look.hpp"

namespace glt::ui {
namespace {

void Bevel(QPainter& painter, const QRect& r, bool lowered)
{
    const QColor light(0xFF, 0xFF, 0xFF);
    const QColor shadow(0x80, 0x80, 0x80);
    painter.setPen(lowered ? shadow : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(lowered ? light : shadow);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

DisplayTile::DisplayTile(const QString& name, int tag, QWidget* parent) : QWidget(parent), tag_(tag)
{
    setObjectName(name);
    setAccessibleName(QStringLiteral("Окно %1").arg(tag + 1));
    setFont(BoldWindowFont());
}

void DisplayTile::SetColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

void DisplayTile::SetOuterLowered(bool lowered)
{
    outerLowered_ = lowered;
    update();
}

void DisplayTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), colour_);
    Bevel(painter, outer, outerLowered_);
    Bevel(painter, outer.adjusted(1, 1, -1, -1), true);
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, QString::number(tag_ + 1));
}

void DisplayTile::mousePressEvent(QMouseEvent* event)
{
    if (onMouseDown) {
        Guarded(this, [&] { onMouseDown(*this, event->button()); });
    }
}

void DisplayTile::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseUp) {
        Guarded(this, [&] { onMouseUp(*this, event->button()); });
    }
}

} // namespace glt::ui
