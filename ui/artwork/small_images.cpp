#include "ui/artwork/small_images.h"

#include <QPainter>
#include <QPainterPath>

namespace parlenko::artwork {
namespace {

QImage Blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A person's head and shoulders; gold for a VIP.
QImage Person(bool vip) {
    QImage image = Blank(kSmallImageSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = vip ? QColor(0xD9, 0x9A, 0x1E) : QColor(0x3A, 0x6E, 0xA5);
    p.setPen(QPen(body.darker(140), 1));
    p.setBrush(body);
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    p.drawRoundedRect(QRectF(2.5, 8.5, 11, 6.5), 3, 3);
    if (vip) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xC0, 0x20, 0x20));
        p.drawEllipse(QRectF(11, 0.5, 4.5, 4.5));
    }
    return image;
}

void DrawAnniversary(QPainter& p, const QColor& c) {
    // A wrapped present.
    p.setPen(QPen(c.darker(150), 1));
    p.setBrush(c);
    p.drawRect(QRectF(2.5, 6.5, 11, 8));
    p.drawRect(QRectF(1.5, 4.5, 13, 3));
    p.setPen(QPen(QColor(0xFF, 0xE0, 0x60), 2));
    p.drawLine(QPointF(8, 4.5), QPointF(8, 14.5));
    p.setPen(QPen(QColor(0xFF, 0xE0, 0x60), 1.2));
    p.drawEllipse(QRectF(4.5, 1.5, 3.5, 3));
    p.drawEllipse(QRectF(8, 1.5, 3.5, 3));
}

void DrawMemo(QPainter& p, const QColor& c) {
    // A note with lines.
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(c);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(c.darker(220), 1));
    for (int y = 5; y <= 12; y += 3) p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
}

void DrawMeeting(QPainter& p, const QColor& c) {
    // Two people side by side.
    p.setPen(QPen(c.darker(150), 1));
    p.setBrush(c.lighter(125));
    p.drawEllipse(QRectF(8.5, 2, 5, 5));
    p.drawRoundedRect(QRectF(7.5, 8, 8, 6.5), 2.5, 2.5);
    p.setBrush(c);
    p.drawEllipse(QRectF(2.5, 3, 5, 5));
    p.drawRoundedRect(QRectF(0.5, 9, 9, 6), 2.5, 2.5);
}

void DrawPhoneCall(QPainter& p, const QColor& c) {
    // A handset.
    QPainterPath path;
    path.moveTo(3, 2);
    path.lineTo(6, 2);
    path.lineTo(7, 5.5);
    path.lineTo(5.2, 6.8);
    path.quadTo(6.5, 9.5, 9.2, 10.8);
    path.lineTo(10.5, 9);
    path.lineTo(14, 10);
    path.lineTo(14, 13);
    path.quadTo(12.5, 14.5, 10.5, 14);
    path.quadTo(3.5, 11.5, 2, 5);
    path.quadTo(1.8, 3, 3, 2);
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(c);
    p.drawPath(path);
}

// A small bell at the bottom right: the alarm is on.
void DrawBell(QPainter& p) {
    QPainterPath bell;
    bell.moveTo(10, 14.5);
    bell.lineTo(16, 14.5);
    bell.lineTo(15, 13);
    bell.lineTo(15, 10.5);
    bell.quadTo(13, 7.5, 11, 10.5);
    bell.lineTo(11, 13);
    bell.closeSubpath();
    p.setPen(QPen(QColor(0x80, 0x10, 0x10), 0.8));
    p.setBrush(QColor(0xE8, 0x30, 0x20));
    p.drawPath(bell);
    p.setBrush(QColor(0x80, 0x10, 0x10));
    p.drawEllipse(QRectF(12.3, 14.3, 1.4, 1.4));
}

QImage Appointment(int index) {
    QImage image = Blank(kSmallImageSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool alarm = index % 2 == 0;
    const int base = index - (alarm ? 0 : 1);
    QColor c;
    switch (base) {
        case 58: c = QColor(0xD8, 0x4A, 0x8C); break;
        case 60: c = QColor(0xF6, 0xE2, 0x7A); break;
        case 62: c = QColor(0x4A, 0x7C, 0xC8); break;
        default: c = QColor(0x3C, 0xA0, 0x4C); break;
    }
    if (!alarm) {
        const int g = qGray(c.rgb());
        c = QColor(g, g, g);
    }
    if (base == 58) DrawAnniversary(p, c);
    if (base == 60) DrawMemo(p, c);
    if (base == 62) DrawMeeting(p, c);
    if (base == 64) DrawPhoneCall(p, c);
    if (alarm) DrawBell(p);
    return image;
}

// A calendar page with a red header: an appointment of the store.
QImage CalendarItem() {
    QImage image = Blank(kSmallImageSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1D, 0x3A, 0x66), 1));
    p.setBrush(QColor(0xFF, 0xFF, 0xF4));
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setBrush(QColor(0xC8, 0x28, 0x28));
    p.drawRect(QRectF(1.5, 2.5, 13, 3.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1D, 0x3A, 0x66));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(3.5 + col * 3.5, 8 + row * 3, 2, 2));
    return image;
}

}  // namespace

QImage SmallImage(int index) {
    if (index == 3 || index == 4) return Person(index == 4);
    if (index == 44) return CalendarItem();
    if (index >= 58 && index <= 65) return Appointment(index);
    return {};
}

QImage AppointmentToolPicture(AppointmentTool tool, bool enabled) {
    constexpr int size = 24;
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = enabled ? QColor(0x1D, 0x3A, 0x66) : QColor(0xA0, 0xA0, 0xA0);
    const QColor paper = enabled ? QColor(0xFF, 0xFF, 0xF4) : QColor(0xEC, 0xEC, 0xEC);
    const QColor accent = enabled ? QColor(0x2E, 0x8B, 0x3E) : QColor(0xB4, 0xB4, 0xB4);
    const QColor red = enabled ? QColor(0xC8, 0x28, 0x28) : QColor(0xB0, 0xB0, 0xB0);
    // A calendar sheet under every tool but the refresh.
    auto sheet = [&] {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(paper);
        p.drawRect(QRectF(3.5, 4.5, 15, 15));
        p.setBrush(ink);
        p.drawRect(QRectF(3.5, 4.5, 15, 3.5));
        p.setPen(QPen(ink.lighter(170), 1));
        for (int x = 6; x <= 16; x += 4)
            for (int y = 11; y <= 17; y += 3) p.drawPoint(QPointF(x + 0.5, y + 0.5));
    };
    switch (tool) {
        case AppointmentTool::New:
            sheet();
            p.setPen(QPen(accent, 3));
            p.drawLine(QPointF(18, 13), QPointF(18, 23));
            p.drawLine(QPointF(13, 18), QPointF(23, 18));
            break;
        case AppointmentTool::Edit:
            sheet();
            p.setPen(QPen(QColor(0x60, 0x40, 0x20), 1));
            p.setBrush(enabled ? QColor(0xF0, 0xB0, 0x30) : QColor(0xC8, 0xC8, 0xC8));
            p.drawPolygon(QPolygonF({QPointF(11, 22), QPointF(12, 18), QPointF(21, 9),
                                     QPointF(24, 12), QPointF(15, 21)}));
            break;
        case AppointmentTool::Delete:
            sheet();
            p.setPen(QPen(red, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(13, 13), QPointF(22, 22));
            p.drawLine(QPointF(22, 13), QPointF(13, 22));
            break;
        case AppointmentTool::Outlook:
            sheet();
            p.setPen(QPen(accent, 2));
            p.drawLine(QPointF(12, 16), QPointF(22, 16));
            p.drawLine(QPointF(19, 13), QPointF(22, 16));
            p.drawLine(QPointF(12, 20), QPointF(22, 20));
            p.drawLine(QPointF(12, 20), QPointF(15, 23));
            break;
        case AppointmentTool::Refresh: {
            p.setPen(QPen(accent, 3, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(accent);
            p.drawPolygon(QPolygonF({QPointF(15, 2), QPointF(22, 7), QPointF(14, 10)}));
            break;
        }
    }
    return image;
}

}  // namespace parlenko::artwork
