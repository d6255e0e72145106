#pragma once
// What the pictures' drawing shares: their transparent canvas, and shapes
// given by their corners.

#include <QImage>
#include <QLineF>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <array>
#include <initializer_list>

class QColor;
class QPainter;

namespace parlenko::artwork {

// A transparent width x height picture to draw on.
QImage TransparentImage(int width, int height);

// Straight lines through points, from the first to the last; closed back to
// the first for a shape, open for a line.
QPainterPath Polyline(std::initializer_list<QPointF> points, bool closed = true);
// The shape with corners at points, filled with colour and no outline.
void FillShape(QPainter& p, const QColor& colour, std::initializer_list<QPointF> points);

// Two notes joined by a beam: the heads filled and outlined headPen wide,
// the stems (2 wide) from the heads up, and the beam (4 wide) across the
// stems' tops; the lines end in cap.
struct BeamedNotes {
    std::array<QRectF, 2> heads;
    double headPen;
    std::array<QLineF, 2> stems;
    QLineF beam;
    Qt::PenCapStyle cap;
};
void DrawBeamedNotes(QPainter& p, const QColor& ink, const BeamedNotes& notes);

}  // namespace parlenko::artwork
