#pragma once
// What the pictures' drawing shares: their transparent canvas, and shapes
// given by their corners.

#include <QImage>
#include <QPainterPath>
#include <QPointF>

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

}  // namespace parlenko::artwork
