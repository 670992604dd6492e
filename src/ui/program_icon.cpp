#include "ui/program_icon.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {
namespace {

// The shapes of packaging/skelvar.svg on its 64 x 64 grid.
QPixmap draw(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QPainterPath plane(QPointF(32, 6));
    plane.cubicTo(34.2, 6, 35.2, 8.5, 35.2, 11);
    for (const QPointF pt :
         {QPointF(35.2, 24), QPointF(56, 35), QPointF(56, 39), QPointF(35.2, 33.5), QPointF(35, 46),
          QPointF(42, 51), QPointF(42, 54), QPointF(33, 52), QPointF(32, 55), QPointF(31, 52),
          QPointF(22, 54), QPointF(22, 51), QPointF(29, 46), QPointF(28.8, 33.5), QPointF(8, 39),
          QPointF(8, 35), QPointF(28.8, 24), QPointF(28.8, 11)}) {
        plane.lineTo(pt);
    }
    plane.cubicTo(28.8, 8.5, 29.8, 6, 32, 6);
    p.setBrush(Qt::white);
    p.drawPath(plane);
    p.drawRoundedRect(QRectF(19, 24.5, 3, 6), 1.2, 1.2);
    p.drawRoundedRect(QRectF(42, 24.5, 3, 6), 1.2, 1.2);
    return pixmap;
}

}  // namespace

QIcon program_icon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) icon.addPixmap(draw(size));
    return icon;
}

}  // namespace ui
