#include "ui/artwork/services_images.h"

#include "ui/artwork/artwork.h"
#include "ui/artwork/shapes.h"

#include <QPainter>
#include <QPainterPath>

namespace parlenko::artwork {
namespace {

void Handset(QPainter& p) {
    QPainterPath path;
    path.moveTo(8, 5);
    path.cubicTo(4, 8, 5, 15, 10, 21);
    path.cubicTo(15, 26, 21, 29, 25, 28);
    path.lineTo(28, 24);
    path.lineTo(23, 19);
    path.lineTo(19, 22);
    path.cubicTo(16, 20, 13, 17, 11, 13);
    path.lineTo(14, 10);
    path.lineTo(9, 4);
    path.closeSubpath();
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(kTeal);
    p.drawPath(path);
}

void Screen(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(kSand);
    p.drawRoundedRect(QRectF(4, 5, 24, 17), 2, 2);
    p.setBrush(kTeal.lighter(150));
    p.drawRect(QRectF(7, 8, 18, 11));
    p.setPen(QPen(kNavy, 1));
    for (int y = 10; y <= 16; y += 3) p.drawLine(QPointF(9, y), QPointF(y == 16 ? 17 : 22, y));
    p.setBrush(kNavy);
    p.drawRect(QRectF(13, 22, 6, 3));
    p.drawRect(QRectF(9, 25, 14, 2));
}

void Fax(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 13));
    p.setPen(QPen(kNavy, 0.8));
    for (int y = 6; y <= 12; y += 3) p.drawLine(QPointF(11, y), QPointF(21, y));
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(kSand.darker(110));
    p.drawRoundedRect(QRectF(3, 14, 26, 14), 2, 2);
    p.setBrush(kTeal);
    p.drawRect(QRectF(6, 17, 8, 4));
    p.setBrush(kNavy);
    for (int x = 17; x <= 23; x += 3) p.drawRect(QRectF(x, 18, 1.5, 1.5));
    for (int x = 17; x <= 23; x += 3) p.drawRect(QRectF(x, 22, 1.5, 1.5));
}

}  // namespace

QImage CheckedPicture(int index) {
    if (index != 0 && index != 1) return {};
    QImage image = TransparentImage(kCheckedSize, kCheckedSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 0) {
        p.setPen(QPen(QColor(0xA0, 0x9A, 0x8C), 1.5));
        p.setBrush(QColor(0xF4, 0xF0, 0xE6));
        p.drawEllipse(QRectF(2, 2, 12, 12));
    } else {
        p.setPen(QPen(kLeaf.darker(130), 1));
        p.setBrush(kLeaf);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(Polyline({{4.5, 8}, {7, 10.5}, {11.5, 5.5}}, false));
    }
    return image;
}

QImage CallClassPicture(int index) {
    if (index < 0 || index > 2) return {};
    QImage image = TransparentImage(kCallClassSize, kCallClassSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 0) Handset(p);
    else if (index == 1) Screen(p);
    else Fax(p);
    return image;
}

}  // namespace parlenko::artwork
