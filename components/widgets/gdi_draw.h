#pragma once
// Drawing with the rules of the Windows device context, on a QPainter:
// - a rectangle (Left, Top, Right, Bottom) covers its left column and top row
//   but not its right column and bottom row: QRect(l, t, r - l, b - t);
// - a line leaves out its end point, so a polyline draws every corner once;
// - everything is filled in whole pixels (fillRect spans), never smoothed.
// The flat panel, the four-image button, the hint window and the menu painter
// draw through these.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <initializer_list>

class QFontMetrics;
class QPainter;

namespace parlenko::widgets {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// Grows (or with negative amounts shrinks) the rectangle on every side.
void InflateRect(TRect& r, int dx, int dy);
void OffsetRect(TRect& r, int dx, int dy);

// Fills the rectangle (nothing when it is empty).
void FillRect(QPainter& p, const TRect& r, const QColor& color);
// A one-pixel frame on the inside edge of the rectangle.
void FrameRect(QPainter& p, const TRect& r, const QColor& color);
// Rectangle with a one-pixel pen and a brush: the frame in pen on the inside
// edge, the inside filled with brush. An invalid QColor is "none": without a
// pen the filled area is one pixel narrower and lower, as the device context
// draws it.
void Rectangle(QPainter& p, const TRect& r, const QColor& pen, const QColor& brush);
// A one-pixel line from `from` up to, not including, `to`.
void DrawLine(QPainter& p, QPoint from, QPoint to, const QColor& color);
// Lines through the points in turn; the last point is left out.
void Polyline(QPainter& p, std::initializer_list<QPoint> points, const QColor& color);
// A 3-D frame of `width` rings: the top row and left column in topLeft (but
// their last pixel), the right column and bottom row in bottomRight (which
// owns the top-right and bottom-left corners); r shrinks by one per ring.
void Frame3D(QPainter& p, TRect& r, const QColor& topLeft, const QColor& bottomRight,
             int width = 1);

// Text with the device context's format flags.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;

// The device context breaks lines at CR LF, CR and LF; Qt only at LF: the
// text with every break made an LF.
QString GdiLineBreaks(const QString& text);

// Draws text into r in the painter's font and pen colour ("&" underlines the
// next character unless DT_NOPREFIX; DT_VCENTER and DT_BOTTOM only with
// DT_SINGLELINE). With DT_CALCRECT nothing is drawn: r's right and bottom
// become those of the text (word-wrapped within r's width with
// DT_WORDBREAK). Returns the text's height.
int DrawText(QPainter& p, const QString& text, TRect& r, unsigned format);
// DT_CALCRECT alone, without a device: measures in the metrics given.
int CalcTextRect(const QFontMetrics& fm, const QString& text, TRect& r, unsigned format);

}  // namespace parlenko::widgets
