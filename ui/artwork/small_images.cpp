#include "ui/artwork/small_images.h"

#include "ui/artwork/artwork.h"
#include "ui/artwork/shapes.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace parlenko::artwork {
namespace {

// Every picture is drawn in a 16 x 16 box, scaled to the size asked for.
using Draw = void (*)(QPainter&);

// A person's head and shoulders; gold for a VIP.
void DrawListPerson(QPainter& p, bool vip) {
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

// A calendar entry of the category of index (58 to 65), with its bell when
// the alarm is on (the even index).
void DrawAppointment(QPainter& p, int index) {
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
}

const QColor kRed{0xC6, 0x3B, 0x2F};
const QColor kGold{0xE8, 0xB0, 0x20};
const QColor kSkin{0xF2, 0xC9, 0x9A};

void Person(QPainter& p, const QColor& shirt) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(shirt);
    QPainterPath body;
    body.moveTo(2.5, 15);
    body.cubicTo(2.5, 10, 4.5, 9, 7.5, 9);
    body.cubicTo(10.5, 9, 12.5, 10, 12.5, 15);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(4.5, 2.5, 6, 6));
}

void Star(QPainter& p, QPointF c, double r) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double rr = i % 2 == 0 ? r : r * 0.45;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0) star.moveTo(pt);
        else star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(kGold.darker(150), 0.6));
    p.setBrush(kGold);
    p.drawPath(star);
}

void Plus(QPainter& p) {
    p.setPen(QPen(kLeaf, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12.5, 8), QPointF(12.5, 15));
    p.drawLine(QPointF(9, 11.5), QPointF(16, 11.5));
}

void Cross(QPainter& p) {
    p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9), QPointF(15, 14.5));
    p.drawLine(QPointF(15, 9), QPointF(9.5, 14.5));
}

void Pencil(QPainter& p) {
    p.setPen(QPen(kNavy, 0.7));
    p.setBrush(kGold);
    p.drawPath(Polyline({{15, 7.5}, {16, 8.5}, {10, 14.5}, {8, 15.5}, {9, 13.5}}));
}

void Handset(QPainter& p, const QColor& c) {
    QPainterPath path;
    path.moveTo(3.5, 2.5);
    path.cubicTo(1.5, 4, 2, 7, 4, 9.5);
    path.cubicTo(6, 12, 9, 14, 11.5, 14);
    path.lineTo(13.5, 12.5);
    path.lineTo(11, 10);
    path.lineTo(9.5, 11);
    path.cubicTo(7.5, 10, 6, 8.5, 5, 6.5);
    path.lineTo(6, 5);
    path.closeSubpath();
    p.setPen(QPen(c.darker(140), 0.8));
    p.setBrush(c);
    p.drawPath(path);
}

void Envelope(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0xFF, 0xF4, 0xD6));
    p.drawRect(QRectF(1.5, 4.5, 13, 8.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Polyline({{1.5, 4.5}, {8, 9.5}, {14.5, 4.5}}, false));
}

void MobilePhone(QPainter& p, const QColor& body) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(4.5, 1.5, 7, 13.5), 1.5, 1.5);
    p.setBrush(QColor(0xCF, 0xE8, 0xF5));
    p.drawRect(QRectF(5.5, 3.5, 5, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) p.drawRect(QRectF(5.7 + c * 1.7, 9 + r * 1.8, 1.1, 1.1));
}

// 6: new entry.
void DrawNewEntry(QPainter& p) {
    Person(p, kTeal);
    Plus(p);
}
// 7: edit entry.
void DrawEditEntry(QPainter& p) {
    Person(p, kTeal);
    Pencil(p);
}
// 8: delete entry.
void DrawDeleteEntry(QPainter& p) {
    Person(p, kTeal);
    Cross(p);
}
// 9: all numbers.
void DrawAllNumbers(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0x3B, 0x6E, 0xB4));
    p.drawRoundedRect(QRectF(3, 1.5, 10, 13), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 3.5, 6.5, 3.5));
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(4.2, 2), QPointF(4.2, 14.5));
}
// 10: SIM card.
void DrawSimCard(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0x3B, 0x9E, 0x5A));
    p.drawPath(Polyline({{3.5, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3.5, 14.5}}));
    p.setBrush(kGold);
    p.drawRoundedRect(QRectF(5.5, 6.5, 5.5, 5), 1, 1);
    p.setPen(QPen(kGold.darker(150), 0.5));
    p.drawLine(QPointF(8.25, 6.5), QPointF(8.25, 11.5));
    p.drawLine(QPointF(5.5, 9), QPointF(11, 9));
}
// 11: mobile memory.
void DrawMobileMemory(QPainter& p) { MobilePhone(p, QColor(0x55, 0x5F, 0x6B)); }
// 12: own numbers.
void DrawOwnNumbers(QPainter& p) {
    MobilePhone(p, QColor(0x55, 0x5F, 0x6B));
    Star(p, QPointF(12, 12), 3.5);
}
// 13: service numbers (the network's mast).
void DrawServiceNumbers(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.drawLine(QPointF(8, 5), QPointF(5, 15));
    p.drawLine(QPointF(8, 5), QPointF(11, 15));
    p.drawLine(QPointF(6.3, 11), QPointF(9.7, 11));
    p.setBrush(kRed);
    p.drawEllipse(QRectF(6.5, 3, 3, 3));
    p.setPen(QPen(kTeal, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 0.5, 10, 8), 30 * 16, 120 * 16);
    p.drawArc(QRectF(3, 0.5, 10, 8), 210 * 16, 120 * 16);
}
// 20: refresh.
void DrawRefresh(QPainter& p) {
    p.setPen(QPen(kLeaf, 2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 250 * 16);
    FillShape(p, kLeaf, {{6, 0.5}, {10, 3}, {6, 6}});
}
// 21: new SMS to the entry.
void DrawNewSms(QPainter& p) { Envelope(p); }
// 22: reply to a message (an arrow back over the envelope).
void DrawReplySms(QPainter& p) {
    Envelope(p);
    p.setPen(QPen(kLeaf, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath bend;
    bend.moveTo(15, 13);
    bend.cubicTo(15, 9, 12, 8, 8.5, 8);
    p.drawPath(bend);
    FillShape(p, kLeaf, {{6, 8}, {9.5, 5}, {9.5, 11}});
}
// 23: send a stored message (an arrow away from the envelope).
void DrawSendSms(QPainter& p) {
    Envelope(p);
    p.setPen(QPen(kTeal, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7, 12.5), QPointF(12.5, 12.5));
    FillShape(p, kTeal, {{16, 12.5}, {12, 9.5}, {12, 15.5}});
}
// 24: an unread received message, or a stored one that was sent (a closed
// envelope with a gold seal).
void DrawMarkedSms(QPainter& p) {
    Envelope(p);
    p.setPen(QPen(kGold.darker(150), 0.6));
    p.setBrush(kGold);
    p.drawEllipse(QRectF(10, 1, 5.5, 5.5));
}
// 25: any other message (an open letter).
void DrawSms(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 9));
    p.setPen(QPen(kTeal, 0.8));
    for (double y : {3.5, 5.5, 7.5}) p.drawLine(QPointF(5, y), QPointF(11, y));
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0xFF, 0xF4, 0xD6));
    p.drawPath(Polyline({{1.5, 7.5}, {8, 11.5}, {14.5, 7.5}, {14.5, 14.5}, {1.5, 14.5}}));
}
// 26: the inbox (a tray with an arrow in).
void Tray(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(kSand);
    p.drawPath(Polyline({{1.5, 9.5},
                         {5, 9.5},
                         {6, 11.5},
                         {10, 11.5},
                         {11, 9.5},
                         {14.5, 9.5},
                         {14.5, 14.5},
                         {1.5, 14.5}}));
}
void Arrow(QPainter& p, bool down, const QColor& colour) {
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, down ? 1 : 4), QPointF(8, down ? 6 : 9));
    if (down) FillShape(p, colour, {{8, 9.5}, {4.5, 5.5}, {11.5, 5.5}});
    else FillShape(p, colour, {{8, 0.5}, {4.5, 4.5}, {11.5, 4.5}});
}
void DrawInbox(QPainter& p) {
    Tray(p);
    Arrow(p, true, kLeaf);
}
// 27: the outbox (a tray with an arrow out).
void DrawOutbox(QPainter& p) {
    Tray(p);
    Arrow(p, false, kTeal);
}
// 28: dial.
void DrawDial(QPainter& p) { Handset(p, kLeaf); }
// 33: a service number's row.
void DrawServiceRow(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0xCF, 0xE8, 0xF5));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
}
// 35: SMS with the entry's data.
void DrawSmsWithData(QPainter& p) {
    Envelope(p);
    p.setPen(QPen(kNavy, 0.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 8.5, 7, 7));
    p.setBrush(kTeal);
    p.drawEllipse(QRectF(10.5, 9.5, 3, 3));
}
// 36: change memory.
void DrawChangeMemory(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0x3B, 0x9E, 0x5A));
    p.drawRect(QRectF(1, 2, 5, 7));
    p.setBrush(QColor(0x55, 0x5F, 0x6B));
    p.drawRoundedRect(QRectF(10, 7, 5, 8), 1, 1);
    p.setPen(QPen(kTeal, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4, 12), QPointF(8, 12));
    FillShape(p, kTeal, {{7.5, 9.5}, {10, 12}, {7.5, 14.5}});
}
// 44: an appointment of the store (a calendar page with a red header).
void DrawCalendarItem(QPainter& p) {
    p.setPen(QPen(QColor(0x1D, 0x3A, 0x66), 1));
    p.setBrush(QColor(0xFF, 0xFF, 0xF4));
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setBrush(QColor(0xC8, 0x28, 0x28));
    p.drawRect(QRectF(1.5, 2.5, 13, 3.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1D, 0x3A, 0x66));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(3.5 + col * 3.5, 8 + row * 3, 2, 2));
}
// 55: Outlook contacts.
void DrawOutlookContacts(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0x1E, 0x5A, 0xA8));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3.5, 5, 4, 5));
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(9, 6), QPointF(13, 6));
    p.drawLine(QPointF(9, 8), QPointF(13, 8));
    p.drawLine(QPointF(9, 10), QPointF(12, 10));
}
// 43: a folder of the contacts store (a folder with a card on it).
void DrawContactsFolder(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0xF2, 0xC9, 0x4C));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));
    p.drawRoundedRect(QRectF(1.5, 5, 13, 9.5), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 7, 7, 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1E, 0x5A, 0xA8));
    p.drawEllipse(QRectF(6.5, 8, 2.5, 2.5));
    p.drawRect(QRectF(9.5, 8.5, 2.5, 0.8));
    p.drawRect(QRectF(9.5, 10.5, 2.5, 0.8));
}
// 57: backup and restore.
void DrawBackup(QPainter& p) {
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(QColor(0x3B, 0x6E, 0xB4));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(kSand);
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
    p.setBrush(kNavy);
    p.drawRect(QRectF(9.5, 2.5, 1.5, 3));
}

// A melody: two notes joined by a beam.
void DrawMelody(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(QRectF(1.5, 10.5, 5, 4));
    p.drawEllipse(QRectF(9.5, 9, 5, 4));
    p.drawRect(QRectF(5.5, 3, 1.4, 9.5));
    p.drawRect(QRectF(13.5, 1.5, 1.4, 9.5));
    FillShape(p, kTeal, {{5.5, 3}, {14.9, 1.5}, {14.9, 4}, {5.5, 5.5}});
}

// A logo: a framed picture of a hill and the sun.
void DrawLogo(QPainter& p) {
    p.setPen(QPen(kNavy, 1));
    p.setBrush(QColor(0xDD, 0xEE, 0xF8));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    FillShape(p, kLeaf, {{2, 13}, {6.5, 7.5}, {9.5, 10.5}, {11, 9}, {14, 13}});
    p.setBrush(QColor(0xF2, 0xB1, 0x34));
    p.drawEllipse(QRectF(10, 4, 3, 3));
}

struct Row {
    int index;
    Draw draw;
};

// One row per picture, in index order.
// clang-format off
constexpr Row kTable[] = {
    {3, [](QPainter& p) { DrawListPerson(p, false); }},  // a phonebook entry
    {4, [](QPainter& p) { DrawListPerson(p, true); }},   // a VIP entry
    {6, DrawNewEntry},
    {7, DrawEditEntry},
    {8, DrawDeleteEntry},
    {9, DrawAllNumbers},
    {10, DrawSimCard},
    {11, DrawMobileMemory},
    {12, DrawOwnNumbers},
    {13, DrawServiceNumbers},
    {20, DrawRefresh},
    {21, DrawNewSms},
    {22, DrawReplySms},
    {23, DrawSendSms},
    {24, DrawMarkedSms},
    {25, DrawSms},
    {26, DrawInbox},
    {27, DrawOutbox},
    {28, DrawDial},
    {33, DrawServiceRow},
    {35, DrawSmsWithData},
    {36, DrawChangeMemory},
    {43, DrawContactsFolder},
    {44, DrawCalendarItem},
    {46, DrawMelody},
    {52, DrawLogo},
    {55, DrawOutlookContacts},
    {57, DrawBackup},
    {58, [](QPainter& p) { DrawAppointment(p, 58); }},  // anniversary, alarm on
    {59, [](QPainter& p) { DrawAppointment(p, 59); }},  // anniversary, alarm off
    {60, [](QPainter& p) { DrawAppointment(p, 60); }},  // memo
    {61, [](QPainter& p) { DrawAppointment(p, 61); }},
    {62, [](QPainter& p) { DrawAppointment(p, 62); }},  // meeting
    {63, [](QPainter& p) { DrawAppointment(p, 63); }},
    {64, [](QPainter& p) { DrawAppointment(p, 64); }},  // phone call
    {65, [](QPainter& p) { DrawAppointment(p, 65); }},
};
// clang-format on

Draw Find(int index) {
    for (const Row& row : kTable)
        if (row.index == index) return row.draw;
    return nullptr;
}

}  // namespace

bool HasSmallImage(int index) { return Find(index) != nullptr; }

QImage SmallImage(int index, int size) {
    const Draw draw = Find(index);
    if (draw == nullptr || size <= 0) return {};
    QImage img = TransparentImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    return img;
}

QImage AppointmentToolPicture(AppointmentTool tool, bool enabled) {
    constexpr int size = 24;
    QImage image = TransparentImage(size, size);
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
