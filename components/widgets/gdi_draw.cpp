#include "components/widgets/gdi_draw.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace parlenko::widgets {

void InflateRect(TRect& r, int dx, int dy) {
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Top += dy;
    r.Right += dx;
    r.Bottom += dy;
}

void FillRect(QPainter& p, const TRect& r, const QColor& color) {
    if (r.IsEmpty() || !color.isValid()) return;
    p.fillRect(r.ToQRect(), color);
}

void FrameRect(QPainter& p, const TRect& r, const QColor& color) {
    if (r.IsEmpty()) return;
    FillRect(p, {r.Left, r.Top, r.Right, r.Top + 1}, color);
    FillRect(p, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
    FillRect(p, {r.Left, r.Top, r.Left + 1, r.Bottom}, color);
    FillRect(p, {r.Right - 1, r.Top, r.Right, r.Bottom}, color);
}

void Rectangle(QPainter& p, const TRect& r, const QColor& pen, const QColor& brush) {
    if (!pen.isValid()) {
        FillRect(p, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, brush);
        return;
    }
    TRect inside = r;
    InflateRect(inside, -1, -1);
    FillRect(p, inside, brush);
    FrameRect(p, r, pen);
}

void DrawLine(QPainter& p, QPoint from, QPoint to, const QColor& color) {
    if (!color.isValid() || from == to) return;
    int x = from.x();
    int y = from.y();
    if (y == to.y()) {
        const int l = x < to.x() ? x : to.x() + 1;
        p.fillRect(QRect(l, y, std::abs(to.x() - x), 1), color);
        return;
    }
    if (x == to.x()) {
        const int t = y < to.y() ? y : to.y() + 1;
        p.fillRect(QRect(x, t, 1, std::abs(to.y() - y)), color);
        return;
    }
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
        p.fillRect(QRect(x, y, 1, 1), color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Polyline(QPainter& p, std::initializer_list<QPoint> points, const QColor& color) {
    const QPoint* prev = nullptr;
    for (const QPoint& pt : points) {
        if (prev) DrawLine(p, *prev, pt, color);
        prev = &pt;
    }
}

void Frame3D(QPainter& p, TRect& r, const QColor& topLeft, const QColor& bottomRight, int width) {
    for (; width > 0; --width) {
        const int right = r.Right - 1;
        const int bottom = r.Bottom - 1;
        Polyline(p, {{r.Left, bottom}, {r.Left, r.Top}, {right, r.Top}}, topLeft);
        Polyline(p, {{right, r.Top}, {right, bottom}, {r.Left - 1, bottom}}, bottomRight);
        InflateRect(r, -1, -1);
    }
}

QString GdiLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

namespace {

int QtTextFlags(unsigned format) {
    int flags = 0;
    if (format & DT_CENTER) flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT) flags |= Qt::AlignRight;
    else flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER) flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM) flags |= Qt::AlignBottom;
        else flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (!(format & DT_NOPREFIX)) flags |= Qt::TextShowMnemonic;
    if (format & DT_NOCLIP) flags |= Qt::TextDontClip;
    return flags;
}

}  // namespace

int CalcTextRect(const QFontMetrics& fm, const QString& text, TRect& r, unsigned format) {
    const int far = 1 << 20;
    const int w = (format & DT_WORDBREAK) ? std::max(r.Width(), 1) : far;
    const int alignment = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask;
    const int flags = (QtTextFlags(format) & ~alignment) | Qt::AlignLeft | Qt::AlignTop;
    const QRect b = fm.boundingRect(QRect(r.Left, r.Top, w, far), flags, GdiLineBreaks(text));
    r.Right = r.Left + b.width();
    r.Bottom = r.Top + b.height();
    return b.height();
}

int DrawText(QPainter& p, const QString& text, TRect& r, unsigned format) {
    if (format & DT_CALCRECT) return CalcTextRect(p.fontMetrics(), text, r, format);
    QRect bounds;
    p.drawText(r.ToQRect(), QtTextFlags(format), GdiLineBreaks(text), &bounds);
    return bounds.height();
}

}  // namespace parlenko::widgets
