#include "ui/pages/caption_box.hpp"

#include <QPainter>
#include <QPainterPath>

#include "ui/look.hpp"

namespace glt::ui {
namespace {

constexpr qreal kRadius = 7;
const QColor kFrame(0x9C, 0xA6, 0xB4);

} // namespace

CaptionBox::CaptionBox(const QString& name, const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption)
{
    setObjectName(name);
    setAccessibleName(caption.trimmed());
    setFont(BoldWindowFont());
}

void CaptionBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    // The frame's lower edge runs through the middle of the caption.
    const qreal bottom = caption_.isEmpty() ? height() - 1.5 : height() - metrics.height() / 2.0 - 1;
    const QRectF frame(0.5, 0.5, width() - 1.0, bottom);
    QPainterPath path;
    path.addRoundedRect(frame, kRadius, kRadius);
    painter.fillPath(path, BgrColor(kPageBackground));
    painter.setPen(QPen(kFrame, 1));
    painter.drawPath(path);
    if (caption_.isEmpty()) {
        return;
    }
    const int textWidth = metrics.horizontalAdvance(caption_);
    const QRect text((width() - textWidth) / 2, height() - metrics.height() - 1, textWidth, metrics.height());
    painter.fillRect(text, BgrColor(kPageBackground));
    painter.setPen(Qt::black);
    painter.drawText(text, Qt::AlignCenter, caption_);
}

} // namespace glt::ui
