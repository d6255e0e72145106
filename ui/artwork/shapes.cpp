#include "ui/artwork/shapes.h"

#include <QPainter>

namespace parlenko::artwork {

QImage TransparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath Polyline(std::initializer_list<QPointF> points, bool closed) {
    QPainterPath path;
    for (const QPointF& point : points) {
        if (path.elementCount() == 0) path.moveTo(point);
        else path.lineTo(point);
    }
    if (closed) path.closeSubpath();
    return path;
}

void FillShape(QPainter& p, const QColor& colour, std::initializer_list<QPointF> points) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(Polyline(points));
}

void DrawBeamedNotes(QPainter& p, const QColor& ink, const BeamedNotes& notes) {
    p.setPen(QPen(ink, notes.headPen, Qt::SolidLine, notes.cap));
    p.setBrush(ink);
    for (const QRectF& head : notes.heads) p.drawEllipse(head);
    p.setPen(QPen(ink, 2, Qt::SolidLine, notes.cap));
    for (const QLineF& stem : notes.stems) p.drawLine(stem);
    p.setPen(QPen(ink, 4, Qt::SolidLine, notes.cap));
    p.drawLine(notes.beam);
}

}  // namespace parlenko::artwork
