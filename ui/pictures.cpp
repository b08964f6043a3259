#include "ui/pictures.hpp"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace glt::ui {

namespace {

constexpr int kSize = 24;

const QColor kInk(0x2B, 0x3F, 0x5C);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kBlue(0x3A, 0x78, 0xC8);
const QColor kGreen(0x2E, 0x9E, 0x4F);
const QColor kAmber(0xE8, 0xA3, 0x1C);
const QColor kRed(0xD0, 0x3B, 0x32);

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{to + d * 1.5, to - d * 4 + n * 3.5, to - d * 4 - n * 3.5});
}

void Sheet(QPainter& p)
{
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF{{14.5, 2.5}, {14.5, 7.5}, {19.5, 7.5}});
}

void Panel(QPainter& p)
{
    // A panel front: the common motif of the device commands.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(0xDD, 0xE4, 0xEE));
    p.drawRoundedRect(QRectF(2.5, 10.5, 19, 11), 2, 2);
    p.setPen(Qt::NoPen);
    const QColor lamps[] = {kGreen, kAmber, kRed};
    for (int k = 0; k < 3; ++k) {
        p.setBrush(lamps[k]);
        p.drawRect(QRectF(5 + k * 5.5, 14, 4, 4));
    }
}

void Draw(QPainter& p, Picture picture)
{
    switch (picture) {
    case Picture::NewConfig:
        Sheet(p);
        p.setPen(QPen(kAmber, 2));
        p.drawLine(QPointF(12, 11), QPointF(12, 19));
        p.drawLine(QPointF(8, 15), QPointF(16, 15));
        break;
    case Picture::OpenFile:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kAmber.lighter(130));
        p.drawPolygon(QPolygonF{{2.5, 6.5}, {9, 6.5}, {11, 8.5}, {20.5, 8.5}, {20.5, 20.5}, {2.5, 20.5}});
        p.setBrush(kAmber);
        p.drawPolygon(QPolygonF{{5, 11.5}, {22.5, 11.5}, {20.5, 20.5}, {2.5, 20.5}});
        break;
    case Picture::SaveFile:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3.5, 10, 6));
        p.drawRect(QRectF(6.5, 13, 11, 7.5));
        break;
    case Picture::Connection:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(0xDD, 0xE4, 0xEE));
        p.drawRoundedRect(QRectF(2.5, 7.5, 10, 9), 2, 2);
        p.drawRoundedRect(QRectF(25.5, 7.5, 10, 9), 2, 2);
        Arrow(p, QPointF(13, 10), QPointF(24, 10), kGreen);
        Arrow(p, QPointF(25, 14.5), QPointF(14, 14.5), kBlue);
        break;
    case Picture::ReadConfig:
        Panel(p);
        Arrow(p, QPointF(12, 2), QPointF(12, 8.5), kGreen);
        break;
    case Picture::WriteConfig:
        Panel(p);
        Arrow(p, QPointF(12, 8.5), QPointF(12, 2), kBlue);
        break;
    case Picture::ApplyConfig:
        Panel(p);
        p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF{{7, 5}, {10.5, 8}, {17, 1.5}});
        break;
    case Picture::Fill:
        p.setPen(QPen(kInk, 1));
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                p.setBrush(r == 2 && c == 2 ? kPaper : kBlue.lighter(150));
                p.drawRect(QRectF(2.5 + c * 5, 2.5 + r * 5, 5, 5));
            }
        }
        p.setBrush(kAmber);
        p.drawPolygon(QPolygonF{{13.5, 12.5}, {21.5, 16.5}, {17.5, 21.5}, {12.5, 19}});
        break;
    case Picture::PageConfig:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(0xDD, 0xE4, 0xEE));
        p.drawRoundedRect(QRectF(2.5, 4.5, 19, 15), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(5, 7, 6, 10));
        p.setBrush(kAmber);
        p.drawRect(QRectF(13, 7, 6, 4));
        p.setBrush(kGreen);
        p.drawRect(QRectF(13, 13, 6, 4));
        break;
    case Picture::PageModbus:
        p.setPen(QPen(kInk, 1.4));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.setBrush(kBlue);
        for (int k = 0; k < 3; ++k) {
            p.drawLine(QPointF(5 + k * 7, 12), QPointF(5 + k * 7, k == 1 ? 18 : 6));
            p.drawEllipse(QPointF(5 + k * 7, k == 1 ? 19 : 5), 2.5, 2.5);
        }
        break;
    case Picture::PageInputs:
        for (int k = 0; k < 3; ++k) {
            Arrow(p, QPointF(2, 5.5 + k * 6.5), QPointF(13, 5.5 + k * 6.5), kGreen);
        }
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(0xDD, 0xE4, 0xEE));
        p.drawRect(QRectF(15.5, 2.5, 6, 19));
        break;
    case Picture::PageOutputs:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(0xDD, 0xE4, 0xEE));
        p.drawRect(QRectF(2.5, 2.5, 6, 19));
        for (int k = 0; k < 3; ++k) {
            Arrow(p, QPointF(10, 5.5 + k * 6.5), QPointF(21, 5.5 + k * 6.5), kRed);
        }
        break;
    case Picture::PageStructure:
        p.setPen(QPen(kInk, 1));
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                p.setBrush((r + c) % 3 == 0 ? QColor(0xFF, 0x80, 0x00) : kPaper);
                p.drawRect(QRectF(2.5 + c * 4.75, 2.5 + r * 4.75, 4.75, 4.75));
            }
        }
        break;
    case Picture::PageSignalling: {
        const QColor tiles[] = {kGreen, kAmber, kRed, QColor(0xC0, 0xC0, 0xC0)};
        p.setPen(QPen(kInk, 1));
        for (int k = 0; k < 4; ++k) {
            p.setBrush(tiles[k]);
            p.drawRect(QRectF(2.5 + (k % 2) * 10, 4.5 + (k / 2) * 8, 9, 7));
        }
        break;
    }
    }
}

} // namespace

QIcon PictureIcon(Picture picture)
{
    // The connection button is wider than the others, and so is its picture.
    const int width = picture == Picture::Connection ? 38 : kSize;
    QPixmap pixmap(width, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, picture);
    painter.end();
    return QIcon(pixmap);
}

} // namespace glt::ui
