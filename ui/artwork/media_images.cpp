#include "ui/artwork/media_images.h"

#include "ui/artwork/artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace parlenko::artwork {
namespace {

QImage Note() {
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    // Two heads joined by a beam.
    p.drawEllipse(QRectF(1.5, 10.5, 5, 4));
    p.drawEllipse(QRectF(9.5, 9, 5, 4));
    p.drawRect(QRectF(5.5, 3, 1.4, 9.5));
    p.drawRect(QRectF(13.5, 1.5, 1.4, 9.5));
    QPainterPath beam;
    beam.moveTo(5.5, 3);
    beam.lineTo(14.9, 1.5);
    beam.lineTo(14.9, 4);
    beam.lineTo(5.5, 5.5);
    beam.closeSubpath();
    p.setBrush(kTeal);
    p.drawPath(beam);
    return img;
}

QImage Picture() {
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNavy, 1));
    p.setBrush(QColor(0xDD, 0xEE, 0xF8));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    // A hill and the sun.
    p.setPen(Qt::NoPen);
    p.setBrush(kLeaf);
    QPainterPath hill;
    hill.moveTo(2, 13);
    hill.lineTo(6.5, 7.5);
    hill.lineTo(9.5, 10.5);
    hill.lineTo(11, 9);
    hill.lineTo(14, 13);
    hill.closeSubpath();
    p.drawPath(hill);
    p.setBrush(QColor(0xF2, 0xB1, 0x34));
    p.drawEllipse(QRectF(10, 4, 3, 3));
    return img;
}

}  // namespace

QImage SmallMediaImage(int index) {
    switch (index) {
        case 46: return Note();
        case 52: return Picture();
        default: return {};
    }
}

}  // namespace parlenko::artwork
