#include "ui/artwork/sms_pictures.h"

#include "ui/artwork/artwork.h"
#include "ui/artwork/shapes.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace parlenko::artwork {
namespace {

// Every picture is drawn in a 40 x 40 box.
const QColor kYellow{0xFF, 0xD5, 0x4A};
const QColor kRose{0xD9, 0x35, 0x4E};
const QColor kBrown{0x8B, 0x5A, 0x2B};
const QColor kGrey{0x7A, 0x84, 0x90};
const QColor kSky{0xCF, 0xE8, 0xF5};
const QColor kGreen{0x4C, 0xAF, 0x50};
const QColor kOrange{0xF0, 0x8A, 0x24};

QPen Line(const QColor& c, double w = 1.6) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap); }

// A round face; mouth > 0 smiles, < 0 frowns, 0 straight.
void Face(QPainter& p, QRectF r, int mouth, const QColor& skin = kYellow) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(skin);
    p.drawEllipse(r);
    const double cx = r.center().x(), cy = r.center().y(), w = r.width();
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(cx - w * 0.18, cy - w * 0.1), w * 0.05, w * 0.07);
    p.drawEllipse(QPointF(cx + w * 0.18, cy - w * 0.1), w * 0.05, w * 0.07);
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(kNavy, 1.4));
    const QRectF m(cx - w * 0.22, cy + (mouth < 0 ? w * 0.18 : -w * 0.02), w * 0.44, w * 0.3);
    if (mouth > 0) p.drawArc(m, 200 * 16, 140 * 16);
    else if (mouth < 0) p.drawArc(m, 20 * 16, 140 * 16);
    else p.drawLine(QPointF(cx - w * 0.15, cy + w * 0.2), QPointF(cx + w * 0.15, cy + w * 0.2));
}

QPainterPath HeartPath(QPointF c, double s) {
    QPainterPath h;
    h.moveTo(c.x(), c.y() + s * 0.9);
    h.cubicTo(c.x() - s * 1.4, c.y() - s * 0.1, c.x() - s * 0.7, c.y() - s * 1.1, c.x(),
              c.y() - s * 0.4);
    h.cubicTo(c.x() + s * 0.7, c.y() - s * 1.1, c.x() + s * 1.4, c.y() - s * 0.1, c.x(),
              c.y() + s * 0.9);
    return h;
}

void Heart(QPainter& p, QPointF c, double s, const QColor& colour) {
    p.setPen(Line(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPath(HeartPath(c, s));
}

void Stick(QPainter& p, QPointF head, const QColor& c = kNavy) {
    p.setPen(Line(c, 2));
    p.setBrush(c);
    p.drawEllipse(head, 3, 3);
    p.setBrush(Qt::NoBrush);
}

void Headache(QPainter& p) {
    Face(p, QRectF(6, 8, 28, 28), -1);
    p.setPen(Line(kRose, 2));
    for (int i = 0; i < 3; ++i) {
        const double x = 10 + i * 9;
        p.drawLine(QPointF(x, 6), QPointF(x + 4, 2));
        p.drawLine(QPointF(x + 4, 2), QPointF(x + 2, 7));
    }
}
void Cake(QPainter& p) {
    p.setPen(Line(kNavy, 1));
    p.setBrush(QColor(0xF7, 0xD9, 0xE3));
    p.drawRect(QRectF(7, 20, 26, 14));
    p.setBrush(kRose);
    p.drawRect(QRectF(7, 20, 26, 4));
    p.setBrush(kSky);
    for (double x : {12.0, 19.0, 26.0}) {
        p.drawRect(QRectF(x, 10, 3, 10));
        p.setBrush(kOrange);
        p.drawEllipse(QRectF(x - 0.5, 5, 4, 5));
        p.setBrush(kSky);
    }
}
void HeartPic(QPainter& p) { Heart(p, QPointF(20, 19), 15, kRose); }
void Shark(QPainter& p) {
    p.setPen(Line(kTeal, 1.5));
    p.setBrush(kSky);
    p.drawRect(QRectF(2, 26, 36, 12));
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(kGrey);
    QPainterPath fin;
    fin.moveTo(10, 27);
    fin.cubicTo(16, 20, 20, 10, 24, 6);
    fin.lineTo(28, 27);
    fin.closeSubpath();
    p.drawPath(fin);
}
void Dinner(QPainter& p) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(8, 10, 24, 24));
    p.drawEllipse(QRectF(13, 15, 14, 14));
    p.setPen(Line(kGrey, 2));
    p.drawLine(QPointF(4, 10), QPointF(4, 34));
    p.drawLine(QPointF(36, 10), QPointF(36, 34));
}
void Idea(QPainter& p) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(kYellow);
    p.drawEllipse(QRectF(11, 4, 18, 20));
    p.setBrush(kGrey);
    p.drawRect(QRectF(15, 24, 10, 8));
    p.setPen(Line(kOrange, 1.5));
    for (int a = 0; a < 5; ++a) {
        const double ang = std::numbers::pi * (0.9 + 0.3 * a);
        p.drawLine(QPointF(20 + 13 * std::cos(ang), 14 + 13 * std::sin(ang)),
                   QPointF(20 + 17 * std::cos(ang), 14 + 17 * std::sin(ang)));
    }
}
void Kiss(QPainter& p) {
    p.setPen(Line(kRose.darker(130), 1));
    p.setBrush(kRose);
    QPainterPath lips;
    lips.moveTo(4, 20);
    lips.cubicTo(10, 10, 16, 12, 20, 16);
    lips.cubicTo(24, 12, 30, 10, 36, 20);
    lips.cubicTo(28, 32, 12, 32, 4, 20);
    p.drawPath(lips);
    p.setPen(Line(kRose.darker(150), 1.2));
    p.drawLine(QPointF(6, 20), QPointF(34, 20));
}
void Running(QPainter& p) {
    Stick(p, QPointF(24, 7));
    p.setPen(Line(kNavy, 2));
    p.drawLine(QPointF(23, 11), QPointF(18, 23));
    p.drawLine(QPointF(18, 23), QPointF(26, 30));
    p.drawLine(QPointF(26, 30), QPointF(24, 37));
    p.drawLine(QPointF(18, 23), QPointF(10, 30));
    p.drawLine(QPointF(21, 15), QPointF(30, 19));
    p.drawLine(QPointF(21, 15), QPointF(12, 14));
    p.setPen(Line(kGrey, 1));
    for (double y : {14.0, 20.0, 26.0}) p.drawLine(QPointF(2, y), QPointF(8, y));
}
void No(QPainter& p) {
    p.setPen(Line(kRose, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 5, 30, 30));
    p.drawLine(QPointF(10, 10), QPointF(30, 30));
}
void Yes(QPainter& p) {
    p.setPen(Line(kGreen, 5));
    p.drawLine(QPointF(7, 21), QPointF(16, 31));
    p.drawLine(QPointF(16, 31), QPointF(34, 8));
}
void Biker(QPainter& p) {
    p.setPen(Line(kNavy, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10, 30), 7, 7);
    p.drawEllipse(QPointF(31, 30), 7, 7);
    p.drawLine(QPointF(10, 30), QPointF(19, 20));
    p.drawLine(QPointF(19, 20), QPointF(31, 30));
    p.drawLine(QPointF(19, 20), QPointF(28, 18));
    Stick(p, QPointF(21, 7));
    p.setPen(Line(kNavy, 2));
    p.drawLine(QPointF(21, 10), QPointF(19, 20));
    p.drawLine(QPointF(20, 13), QPointF(28, 17));
}
void Heartache(QPainter& p) {
    Heart(p, QPointF(20, 19), 15, kRose);
    p.setPen(Line(Qt::white, 2));
    p.drawLine(QPointF(20, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 16), QPointF(23, 22));
    p.drawLine(QPointF(23, 22), QPointF(19, 32));
}
void Theatre(QPainter& p) {
    Face(p, QRectF(3, 5, 22, 22), 1, Qt::white);
    Face(p, QRectF(15, 14, 22, 22), -1, kSky);
}
void Break(QPainter& p) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(7, 14, 20, 20), 3, 3);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(23, 18, 10, 10), -90 * 16, 180 * 16);
    p.setBrush(kBrown);
    p.drawRect(QRectF(9, 17, 16, 4));
    p.setPen(Line(kGrey, 1.2));
    for (double x : {12.0, 17.0, 22.0}) p.drawArc(QRectF(x - 2, 4, 4, 8), 90 * 16, 180 * 16);
}
void Flowers(QPainter& p) {
    p.setPen(Line(kGreen, 2));
    p.drawLine(QPointF(20, 38), QPointF(12, 16));
    p.drawLine(QPointF(20, 38), QPointF(20, 12));
    p.drawLine(QPointF(20, 38), QPointF(28, 16));
    for (auto [x, y, c] :
         {std::tuple{12.0, 14.0, kRose}, {20.0, 10.0, kYellow}, {28.0, 14.0, kOrange}}) {
        p.setPen(Line(c.darker(140), 1));
        p.setBrush(c);
        for (int k = 0; k < 5; ++k) {
            const double a = 2 * std::numbers::pi * k / 5;
            p.drawEllipse(QPointF(x + 3.5 * std::cos(a), y + 3.5 * std::sin(a)), 2.6, 2.6);
        }
        p.setBrush(kBrown);
        p.drawEllipse(QPointF(x, y), 2, 2);
    }
}
void Gift(QPainter& p) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(kTeal);
    p.drawRect(QRectF(7, 16, 26, 20));
    p.drawRect(QRectF(5, 11, 30, 6));
    p.setBrush(kRose);
    p.drawRect(QRectF(18, 11, 4, 25));
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(kRose, 2));
    p.drawEllipse(QRectF(12, 4, 8, 7));
    p.drawEllipse(QRectF(20, 4, 8, 7));
}
void Trip(QPainter& p) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(kSky);
    p.drawPath(Polyline({{4, 22}, {36, 14}, {36, 18}, {6, 26}}));
    p.setBrush(kTeal);
    p.drawPath(Polyline({{16, 20}, {26, 32}, {30, 31}, {24, 18}}));
}
void Halloween(QPainter& p) {
    p.setPen(Line(kBrown, 1.2));
    p.setBrush(kOrange);
    p.drawEllipse(QRectF(4, 10, 32, 27));
    p.setBrush(kGreen);
    p.drawRect(QRectF(18, 5, 4, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    QPolygonF eye1({QPointF(11, 21), QPointF(15, 16), QPointF(18, 21)});
    QPolygonF eye2({QPointF(22, 21), QPointF(25, 16), QPointF(29, 21)});
    p.drawPolygon(eye1);
    p.drawPolygon(eye2);
    QPolygonF mouth({QPointF(11, 27), QPointF(29, 27), QPointF(24, 32), QPointF(16, 32)});
    p.drawPolygon(mouth);
}
void Love(QPainter& p) {
    Heart(p, QPointF(14, 17), 10, kRose);
    Heart(p, QPointF(26, 24), 10, QColor(0xF0, 0x6E, 0x8A));
}
void Holiday(QPainter& p) {
    p.setPen(Line(kOrange, 1));
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(30, 9), 6, 6);
    p.setPen(Line(kTeal, 1.2));
    p.setBrush(kSky);
    p.drawRect(QRectF(1, 30, 38, 9));
    p.setPen(Line(kBrown, 2.5));
    p.drawLine(QPointF(14, 31), QPointF(12, 12));
    p.setPen(Line(kGreen, 2));
    for (double dx : {-9.0, -4.0, 4.0, 9.0}) p.drawLine(QPointF(12, 12), QPointF(12 + dx, 17));
}
void Music(QPainter& p) {
    DrawBeamedNotes(p, kNavy,
                    {{QRectF(7, 27, 10, 8), QRectF(24, 23, 10, 8)},
                     2,
                     {QLineF(16.5, 31, 16.5, 8), QLineF(33.5, 27, 33.5, 5)},
                     QLineF(16.5, 9, 33.5, 6),
                     Qt::RoundCap});
}
void Shopping(QPainter& p) {
    p.setPen(Line(kNavy, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(3, 7), QPointF(9, 7));
    p.setBrush(kSky);
    QPolygonF cart({QPointF(9, 10), QPointF(36, 10), QPointF(32, 25), QPointF(12, 25)});
    p.drawPolygon(cart);
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(14, 32), 3, 3);
    p.drawEllipse(QPointF(30, 32), 3, 3);
}
void Skyline(QPainter& p) {
    p.setPen(Line(kNavy, 1));
    p.setBrush(kGrey);
    for (auto [x, w, h] :
         {std::tuple{2.0, 7.0, 18.0}, {10.0, 8.0, 28.0}, {19.0, 6.0, 22.0}, {26.0, 12.0, 32.0}})
        p.drawRect(QRectF(x, 38 - h, w, h));
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    for (double y = 12; y < 36; y += 5) p.drawRect(QRectF(29, y, 2, 2));
    for (double y = 14; y < 36; y += 5) p.drawRect(QRectF(13, y, 2, 2));
}
void Sorry(QPainter& p) {
    Face(p, QRectF(6, 6, 28, 28), -1, kSky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x8F, 0xD8));
    p.drawEllipse(QRectF(11, 21, 3, 5));
}
void Turtle(QPainter& p) {
    p.setPen(Line(kNavy, 1.2));
    p.setBrush(QColor(0x9C, 0xCC, 0x65));
    p.drawEllipse(QPointF(34, 25), 4, 3.5);
    for (double x : {10.0, 26.0}) p.drawEllipse(QRectF(x, 28, 5, 6));
    p.setBrush(kGreen.darker(120));
    p.drawChord(QRectF(6, 12, 26, 28), 0, 180 * 16);
    p.setPen(Line(kNavy, 0.8));
    p.drawLine(QPointF(19, 13), QPointF(19, 26));
    p.drawLine(QPointF(10, 20), QPointF(28, 20));
}

using Draw = void (*)(QPainter&);
struct Picture {
    const char* name;
    Draw draw;
};
constexpr std::array<Picture, kSmsPictureCount> kPictures = {{
    {"Headache", Headache}, {"Cake", Cake},       {"Heart", HeartPic},
    {"Shark", Shark},       {"Dinner", Dinner},   {"Idea", Idea},
    {"Kiss", Kiss},         {"Running", Running}, {"No", No},
    {"Yes", Yes},           {"Biker", Biker},     {"Heartache", Heartache},
    {"Theatre", Theatre},   {"Break", Break},     {"Flowers", Flowers},
    {"Gift", Gift},         {"Trip", Trip},       {"Halloween", Halloween},
    {"Love", Love},         {"Holiday", Holiday}, {"Music", Music},
    {"Shopping", Shopping}, {"Skyline", Skyline}, {"Sorry", Sorry},
    {"Turtle", Turtle},
}};

}  // namespace

QImage SmsPicture(int index, int size) {
    if (index < 0 || index >= kSmsPictureCount || size <= 0) return {};
    QImage img = TransparentImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 40.0, size / 40.0);
    kPictures[static_cast<std::size_t>(index)].draw(p);
    return img;
}

QString SmsPictureName(int index) {
    if (index < 0 || index >= kSmsPictureCount) return {};
    return QString::fromLatin1(kPictures[static_cast<std::size_t>(index)].name);
}

}  // namespace parlenko::artwork
