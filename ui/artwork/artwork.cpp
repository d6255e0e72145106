#include "ui/artwork/artwork.h"
#include "ui/artwork/shapes.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace parlenko::artwork {
namespace {

struct PageInfo {
    const char* file;
    const char* cro;
    const char* eng;
};

constexpr std::array<PageInfo, 6> kPages = {{
    {"GeneralBar.jpg", "Osnovno", "General"},
    {"PhonebookBar.jpg", "Imenik", "Phonebook"},
    {"SmsBar.jpg", "SMS poruke", "SMS messages"},
    {"RecordsBar.jpg", "Pozivi", "Call lists"},
    {"AppointmentsBar.jpg", "Podsjetnik", "Appointments"},
    {"AdvancedBar.jpg", "Ostalo", "Advanced"},
}};

// Activity mode of the icon shown on each page's header.
constexpr std::array<int, 6> kPageIcon = {-1, 0, 1, 2, 3, 7};

QImage Blank(int w, int h, const QColor& fill) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void Antialias(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// --- small icons, drawn in a 36 x 36 box scaled to the target ---------------

void HandsetPath(QPainter& p, const QColor& c) {
    QPainterPath path;
    path.moveTo(9, 7);
    path.cubicTo(6, 9, 6, 14, 9, 19);
    path.cubicTo(13, 25, 18, 29, 25, 30);
    path.cubicTo(28, 30, 30, 28, 30, 26);
    path.lineTo(25, 22);
    path.lineTo(21, 24);
    path.cubicTo(17, 22, 14, 19, 12, 15);
    path.lineTo(14, 11);
    path.closeSubpath();
    p.setPen(QPen(c.darker(130), 1.2));
    p.setBrush(c);
    p.drawPath(path);
}

void DrawBook(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(QColor(0x3B, 0x6E, 0xB4));
    p.drawRoundedRect(QRectF(8, 5, 21, 27), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(11, 8, 16, 8));
    p.setPen(QPen(kNavy, 1));
    p.drawLine(QPointF(13, 11), QPointF(25, 11));
    p.drawLine(QPointF(13, 13.5), QPointF(22, 13.5));
    p.setBrush(kSand);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(29, 8 + i * 6, 3, 4));
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(10, 6), QPointF(10, 31));
}

void DrawEnvelope(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(QColor(0xFF, 0xF4, 0xD6));
    p.drawRoundedRect(QRectF(4, 9, 28, 19), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.drawPath(Polyline({{4.5, 10}, {18, 20}, {31.5, 10}}, false));
    p.setPen(QPen(kTeal, 1));
    p.drawLine(QPointF(5, 27), QPointF(14, 19));
    p.drawLine(QPointF(31, 27), QPointF(22, 19));
}

void DrawCalendar(QPainter& p, bool arrows) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(5, 7, 26, 24), 2, 2);
    p.setBrush(QColor(0xC6, 0x3B, 0x2F));
    p.drawRect(QRectF(5, 7, 26, 7));
    p.setPen(QPen(kNavy, 2));
    p.drawLine(QPointF(11, 4), QPointF(11, 9));
    p.drawLine(QPointF(25, 4), QPointF(25, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) p.drawRect(QRectF(8 + c * 6, 16.5 + r * 4.5, 3.5, 3));
    if (arrows) {
        p.setPen(QPen(kLeaf, 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(19, 19, 14, 14), 30 * 16, 250 * 16);
    }
}

void DrawPerson(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(QColor(0xFF, 0xF4, 0xD6));
    p.drawRoundedRect(QRectF(3, 7, 30, 22), 3, 3);
    p.setBrush(kTeal);
    p.drawEllipse(QRectF(7, 11, 9, 9));
    p.drawChord(QRectF(5, 20, 13, 12), 0, 180 * 16);
    p.setPen(QPen(kNavy, 1.5));
    p.drawLine(QPointF(20, 14), QPointF(29, 14));
    p.drawLine(QPointF(20, 18), QPointF(29, 18));
    p.drawLine(QPointF(20, 22), QPointF(26, 22));
}

void DrawDivert(QPainter& p) {
    HandsetPath(p, QColor(0x3B, 0x6E, 0xB4));
    p.setPen(QPen(kLeaf, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(17, 11);
    arc.cubicTo(21, 4, 28, 4, 31, 9);
    p.drawPath(arc);
    p.drawLine(QPointF(31, 9), QPointF(27, 9));
    p.drawLine(QPointF(31, 9), QPointF(32, 5));
}

void DrawBarring(QPainter& p) {
    HandsetPath(p, QColor(0x3B, 0x6E, 0xB4));
    p.setPen(QPen(QColor(0xC6, 0x28, 0x28), 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4, 4, 28, 28));
    p.drawLine(QPointF(8, 8), QPointF(28, 28));
}

void DrawNote(QPainter& p) {
    DrawBeamedNotes(p, kNavy,
                    {{QRectF(6, 22, 9, 7), QRectF(20, 19, 9, 7)},
                     1.4,
                     {QLineF(14.5, 25, 14.5, 8), QLineF(28.5, 22, 28.5, 5)},
                     QLineF(14.5, 9, 28.5, 6),
                     Qt::SquareCap});
}

void DrawPictureIcon(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(QColor(0xDF, 0xEE, 0xF7));
    p.drawRect(QRectF(4, 7, 28, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xB1, 0x34));
    p.drawEllipse(QRectF(22, 10, 6, 6));
    FillShape(p, kLeaf, {{5, 28}, {13, 17}, {19, 24}, {23, 20}, {31, 28}});
}

void DrawUploadArrow(QPainter& p) {
    FillShape(p, kLeaf, {{30, 20}, {35, 26}, {32, 26}, {32, 33}, {28, 33}, {28, 26}, {25, 26}});
}

void DrawSmallPhone(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(QColor(0x55, 0x63, 0x78));
    p.drawRoundedRect(QRectF(11, 3, 14, 30), 3, 3);
    p.setBrush(QColor(0xB9, 0xE0, 0xA5));
    p.drawRect(QRectF(13.5, 7, 9, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) p.drawRect(QRectF(13.5 + c * 3.3, 18 + r * 4, 2.2, 2.4));
}

void DrawActivity(QPainter& p, int mode) {
    switch (mode) {
        case 0: DrawBook(p); break;
        case 1: DrawEnvelope(p); break;
        case 2: HandsetPath(p, QColor(0x3B, 0x6E, 0xB4)); break;
        case 3: DrawCalendar(p, false); break;
        case 5: DrawPerson(p); break;
        case 6: DrawCalendar(p, true); break;
        case 7: DrawDivert(p); break;
        case 10: DrawBarring(p); break;
        case 13:
            DrawNote(p);
            DrawUploadArrow(p);
            break;
        case 14:
            DrawPictureIcon(p);
            DrawUploadArrow(p);
            break;
        default: DrawSmallPhone(p); break;
    }
}

struct ModelLook {
    QColor body;
    QColor trim;
    bool rugged;
    bool slider;
};

ModelLook LookOf(const QString& model) {
    if (model.startsWith("SL"))
        return {QColor(0xB8, 0xBE, 0xC6), QColor(0x6B, 0x73, 0x80), false, true};
    if (model == "ME45" || model.startsWith("M"))
        return {QColor(0x4E, 0x5A, 0x45), QColor(0xE0, 0xA8, 0x24), true, false};
    if (model.startsWith("C"))
        return {QColor(0x3C, 0x42, 0x4C), QColor(0x8A, 0x94, 0xA6), false, false};
    if (model == "S25") return {QColor(0x2B, 0x2F, 0x36), QColor(0x4F, 0x7C, 0xAC), false, false};
    return {QColor(0x5D, 0x76, 0x96), QColor(0xC9, 0xD3, 0xDF), false, false};  // S35i, S45, S45i
}

void DrawPhone(QPainter& p, const QString& model) {
    const ModelLook look = LookOf(model);
    const QRectF body(20, 8, 56, 136);
    // Soft shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(body.translated(3, 3), 14, 14);
    // Antenna stub of the era.
    p.setBrush(look.body.darker(140));
    p.drawRoundedRect(QRectF(60, 2, 9, 12), 3, 3);
    // Body with a light sweep.
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, look.body.lighter(125));
    g.setColorAt(0.5, look.body);
    g.setColorAt(1, look.body.darker(125));
    p.setBrush(g);
    p.setPen(QPen(look.body.darker(170), 1.2));
    p.drawRoundedRect(body, 14, 14);
    if (look.rugged) {
        p.setPen(QPen(look.trim, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.adjusted(2, 2, -2, -2), 12, 12);
    }
    // Earpiece.
    p.setPen(Qt::NoPen);
    p.setBrush(look.body.darker(200));
    p.drawRoundedRect(QRectF(38, 15, 20, 3), 1.5, 1.5);
    // Display with the model name.
    const QRectF screen(27, 24, 42, 38);
    p.setBrush(QColor(0x22, 0x28, 0x30));
    p.drawRoundedRect(screen.adjusted(-2, -2, 2, 2), 4, 4);
    QLinearGradient lcd(screen.topLeft(), screen.bottomLeft());
    lcd.setColorAt(0, QColor(0xC9, 0xE8, 0xB4));
    lcd.setColorAt(1, QColor(0x9C, 0xC8, 0x86));
    p.setBrush(lcd);
    p.drawRect(screen);
    p.setPen(QColor(0x1F, 0x35, 0x1A));
    p.setFont(UiFont(6.5, true));
    p.drawText(screen.adjusted(0, 2, 0, -18), Qt::AlignCenter, "SIEMENS");
    p.setFont(UiFont(model.size() > 4 ? 7.5 : 9, true));
    p.drawText(screen.adjusted(0, 16, 0, 0), Qt::AlignCenter, model);
    // Signal bars on the display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x35, 0x1A));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(29 + i * 2.5, 59 - (1.5 + i * 1.2), 1.8, 1.5 + i * 1.2));
    p.drawRect(QRectF(58, 56, 8, 3.5));  // battery
    p.drawRect(QRectF(66, 57, 1.2, 1.5));
    if (look.slider) {
        p.setPen(QPen(look.trim, 1));
        p.drawLine(QPointF(22, 68), QPointF(74, 68));
    }
    // Navigation key.
    p.setPen(QPen(look.trim.darker(120), 1));
    p.setBrush(look.trim);
    p.drawRoundedRect(QRectF(36, 70, 24, 10), 5, 5);
    p.setBrush(QColor(0x3C, 0xA5, 0x50));
    p.drawEllipse(QRectF(25, 71, 8, 8));
    p.setBrush(QColor(0xC6, 0x3B, 0x2F));
    p.drawEllipse(QRectF(63, 71, 8, 8));
    // Keypad.
    p.setBrush(look.trim.lighter(115));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRoundedRect(QRectF(28 + c * 14, 86 + r * 11, 11, 8), 3, 3);
    // Microphone.
    p.setPen(Qt::NoPen);
    p.setBrush(look.body.darker(200));
    p.drawEllipse(QRectF(46, 134, 4, 4));
}

}  // namespace

QFont UiFont(double pointSize, bool bold) {
    QFont f;
    f.setFamilies({"Tahoma", "DejaVu Sans", "Liberation Sans", "sans-serif"});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QString PageBarFileName(int language, int page) {
    if (page < 1 || page > static_cast<int>(kPages.size())) return {};
    return QString(language == 0 ? "cro" : "eng") + kPages[static_cast<std::size_t>(page - 1)].file;
}

QImage PageBar(int language, int page) {
    QImage img = Blank(kPageBarWidth, kPageBarHeight, kNavy);
    if (page < 1 || page > static_cast<int>(kPages.size())) return img;
    const auto index = static_cast<std::size_t>(page - 1);
    const PageInfo& info = kPages[index];
    QPainter p(&img);
    Antialias(p);
    QLinearGradient g(0, 0, kPageBarWidth, 0);
    g.setColorAt(0, kNavy);
    g.setColorAt(0.65, kTeal);
    g.setColorAt(1, kTeal.lighter(140));
    p.fillRect(img.rect(), g);
    // A soft light band across the top half.
    QLinearGradient gloss(0, 0, 0, kPageBarHeight);
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 10));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), gloss);
    // Faint rings on the right.
    p.setPen(QPen(QColor(255, 255, 255, 40), 2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(470, 18), 14.0 + i * 12, 14.0 + i * 12);
    // Icon in a white disc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QRectF(8, 3, 30, 30));
    p.save();
    p.translate(8, 3);
    p.scale(30.0 / 36.0, 30.0 / 36.0);
    DrawActivity(p, kPageIcon[index]);
    p.restore();
    p.setPen(Qt::white);
    p.setFont(UiFont(13, true));
    p.drawText(QRectF(48, 0, 400, kPageBarHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromUtf8(language == 0 ? info.cro : info.eng));
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(0, kPageBarHeight - 1, kPageBarWidth, kPageBarHeight - 1);
    return img;
}

QStringList PhoneModels() {
    return {"S25",  "C35i", "M35i",  "S35i", "C45", "ME45", "S45",
            "SL42", "SL45", "SL45i", "MT50", "M50", "S45i"};
}

QImage PhonePicture(const QString& model) {
    QImage img = Blank(kPhoneWidth, kPhoneHeight, kCream);
    QPainter p(&img);
    Antialias(p);
    DrawPhone(p, model);
    return img;
}

QImage QuestionMarkPicture() {
    QImage img = Blank(kPhoneWidth, kPhoneHeight, kCream);
    QPainter p(&img);
    Antialias(p);
    const QRectF disc(13, 40, 70, 70);
    QRadialGradient g(disc.center() - QPointF(10, 10), 50);
    g.setColorAt(0, kTeal.lighter(150));
    g.setColorAt(1, kTeal);
    p.setPen(QPen(kNavy, 2));
    p.setBrush(g);
    p.drawEllipse(disc);
    p.setPen(Qt::white);
    p.setFont(UiFont(34, true));
    p.drawText(disc, Qt::AlignCenter, "?");
    return img;
}

QImage SplashPicture() {
    constexpr int w = 350, h = 234;
    QImage img = Blank(w, h, kNavy);
    QPainter p(&img);
    Antialias(p);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, kNavy);
    g.setColorAt(1, kTeal);
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 35), 2));
    for (int i = 0; i < 6; ++i) p.drawEllipse(QPointF(285, 120), 30.0 + i * 22, 30.0 + i * 22);
    // The phone, a little turned.
    p.save();
    p.translate(232, 40);
    p.rotate(8);
    p.scale(1.0, 1.0);
    DrawPhone(p, "S45");
    p.restore();
    p.setPen(Qt::white);
    p.setFont(UiFont(30, true));
    p.drawText(QRectF(22, 44, 220, 50), Qt::AlignLeft | Qt::AlignVCenter, "Parlenko");
    p.setPen(QColor(0xFF, 0xE6, 0xA8));
    p.setFont(UiFont(9.5));
    p.drawText(QRectF(24, 96, 210, 40), Qt::AlignLeft | Qt::TextWordWrap,
               QString::fromUtf8("Upravljanje podacima mobitela\nSiemens s računala"));
    p.setPen(QColor(255, 255, 255, 170));
    p.setFont(UiFont(8));
    p.drawText(QRectF(24, 190, 200, 20), Qt::AlignLeft | Qt::AlignVCenter, "Verzija 1.0.1.0");
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return img;
}

QImage ProgramIcon(int size) {
    QImage img = TransparentImage(size, size);
    QPainter p(&img);
    Antialias(p);
    // Drawn on a 96 x 96 square, scaled to the size asked for.
    p.scale(size / 96.0, size / 96.0);
    const QRectF tile(4, 4, 88, 88);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, kNavy);
    g.setColorAt(1, kTeal);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(tile, 18, 18);
    p.setClipRect(tile);
    p.setPen(QPen(QColor(255, 255, 255, 45), 2.5));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(66, 60), 14.0 + i * 14, 14.0 + i * 14);
    // The phone (drawn 96 x 150), a little turned, filling most of the height.
    p.translate(30, 6);
    p.rotate(8);
    p.scale(0.55, 0.55);
    DrawPhone(p, "S45");
    return img;
}

QImage AboutBand(int width, int height) {
    QImage img = Blank(width, height, kNavy);
    QPainter p(&img);
    Antialias(p);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, kNavy);
    g.setColorAt(1, kTeal);
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 35), 2));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(width - 40, height / 2.0), 20.0 + i * 16, 20.0 + i * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QRectF(14, height / 2.0 - 24, 48, 48));
    p.save();
    p.translate(20, height / 2.0 - 18);
    DrawSmallPhone(p);
    p.restore();
    p.setPen(Qt::white);
    p.setFont(UiFont(20, true));
    p.drawText(QRectF(74, 8, width - 80, height / 2.0 + 6), Qt::AlignLeft | Qt::AlignBottom,
               "Parlenko");
    p.setPen(QColor(0xFF, 0xE6, 0xA8));
    p.setFont(UiFont(8.5));
    p.drawText(QRectF(76, height / 2.0 + 16, width - 80, 20), Qt::AlignLeft | Qt::AlignTop,
               "Verzija 1.0.1.0");
    return img;
}

QImage ActivityPicture(int mode, int size) {
    QImage img = TransparentImage(size, size);
    QPainter p(&img);
    Antialias(p);
    p.scale(size / 36.0, size / 36.0);
    DrawActivity(p, mode);
    return img;
}

QImage StatusPicture() {
    QImage img = TransparentImage(32, 32);
    QPainter p(&img);
    Antialias(p);
    QRadialGradient g(QPointF(12, 11), 20);
    g.setColorAt(0, kLeaf.lighter(150));
    g.setColorAt(1, kLeaf);
    p.setPen(QPen(kLeaf.darker(140), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(9, 16.5), QPointF(14, 21.5), QPointF(23, 11)}));
    return img;
}

QImage ConnectedPicture(bool connected) {
    QImage img = TransparentImage(23, 19);
    QPainter p(&img);
    Antialias(p);
    const QColor c = connected ? kLeaf : QColor(0x9A, 0x9A, 0x9A);
    // Two plug halves, joined when connected.
    const double gap = connected ? 0 : 4;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2, 5, 7, 9), 2, 2);
    p.drawRect(QRectF(9, 7, 2.5 - gap / 2, 1.6));
    p.drawRect(QRectF(9, 11, 2.5 - gap / 2, 1.6));
    p.drawRoundedRect(QRectF(11.5 + gap / 2, 5, 7, 9), 2, 2);
    p.setPen(QPen(c, 1.6));
    p.drawLine(QPointF(0, 9.5), QPointF(2, 9.5));
    p.drawLine(QPointF(18.5 + gap / 2, 9.5), QPointF(23, 9.5));
    return img;
}

QImage OutBarBackground(int height) {
    QImage img = Blank(kOutBarWidth, height, kNavy);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, kNavy);
    g.setColorAt(1, kTeal);
    p.fillRect(img.rect(), g);
    return img;
}

QImage OutBarButton(int barHeight, int buttonTop, int icon, const QString& caption,
                    ButtonLook look) {
    QImage img = OutBarBackground(barHeight).copy(0, buttonTop, kOutBarWidth, kOutBarButtonHeight);
    QPainter p(&img);
    Antialias(p);
    const QRectF face(6.5, 3.5, kOutBarWidth - 13, kOutBarButtonHeight - 7);
    if (look == ButtonLook::MouseOver || look == ButtonLook::Down) {
        p.setPen(QPen(QColor(255, 255, 255, look == ButtonLook::Down ? 150 : 100), 1));
        p.setBrush(look == ButtonLook::Down ? QColor(0, 0, 0, 45) : QColor(255, 255, 255, 45));
        p.drawRoundedRect(face, 6, 6);
    }
    // Pressed, the picture and caption sink by a pixel.
    const int shift = look == ButtonLook::Down ? 1 : 0;
    QImage picture = ActivityPicture(icon, 32);
    QColor text(Qt::white);
    if (look == ButtonLook::Disabled) {
        picture = picture.convertToFormat(QImage::Format_Grayscale8)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // The grey picture keeps the original's outline.
        QImage mask = ActivityPicture(icon, 32);
        QPainter mp(&picture);
        mp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        mp.drawImage(0, 0, mask);
        text = QColor(0xA8, 0xB4, 0xC4);
        p.setOpacity(0.6);
    }
    const int left = (kOutBarWidth - 32) / 2;  // whole pixels, as drawn so far
    p.drawImage(QPointF(left + shift, 9 + shift), picture);
    p.setOpacity(1);
    QFont f = UiFont(8.5, true);
    p.setFont(f);
    p.setPen(text);
    p.drawText(QRectF(shift, 44 + shift, kOutBarWidth, 18), Qt::AlignHCenter | Qt::AlignVCenter,
               caption);
    return img;
}

QImage TabBarBackground(int width) {
    QImage img = Blank(width, kTabBarHeight, kCream);
    QPainter p(&img);
    p.setPen(QPen(kNavy, 1));
    p.drawLine(0, kTabBarHeight - 1, width, kTabBarHeight - 1);
    return img;
}

int TabWidth(const QString& caption) {
    return std::max(50, QFontMetrics(UiFont(7.5, true)).horizontalAdvance(caption) + 12);
}

QImage TabBarButton(const QString& caption, ButtonLook look) {
    const int kTabWidth = TabWidth(caption);
    QImage img = TabBarBackground(kTabWidth);
    QPainter p(&img);
    Antialias(p);
    const bool selected = look == ButtonLook::Down;
    const bool lit = look == ButtonLook::MouseOver;
    const bool inactive = look == ButtonLook::Disabled;
    QPainterPath face;
    const double top = selected ? 2.5 : 5.5;
    const double bottom = selected ? kTabBarHeight : kTabBarHeight - 1;
    face.moveTo(1.5, bottom);
    face.lineTo(1.5, top + 4);
    face.quadTo(1.5, top, 5.5, top);
    face.lineTo(kTabWidth - 5.5, top);
    face.quadTo(kTabWidth - 1.5, top, kTabWidth - 1.5, top + 4);
    face.lineTo(kTabWidth - 1.5, bottom);
    QColor fill = selected ? kCream : inactive ? kSand : lit ? QColor(0xF6, 0xF0, 0xE0) : kSand;
    p.setPen(QPen(selected ? kNavy : QColor(0xB8, 0xAC, 0x90), 1));
    p.setBrush(fill);
    p.drawPath(face);
    if (selected) {
        p.setPen(QPen(kTeal, 2));
        p.drawLine(QPointF(6, top + 1), QPointF(kTabWidth - 6, top + 1));
    }
    QFont f = UiFont(7.5, selected);
    p.setFont(f);
    p.setPen(selected ? kNavy : inactive ? QColor(0x6A, 0x6A, 0x6A) : kTeal);
    p.drawText(QRectF(0, top + 1, kTabWidth, bottom - top - 1), Qt::AlignCenter, caption);
    return img;
}

QImage StatusBarPicture(int width, int height) {
    QImage img = Blank(width, height, kSand);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(0xF6, 0xF0, 0xE0));
    g.setColorAt(1, kSand);
    p.fillRect(img.rect(), g);
    p.setPen(QColor(0xD8, 0xCD, 0xB2));
    p.drawLine(0, 0, width, 0);
    return img;
}

namespace {

void DrawEnvelopeAt(QPainter& p, const QRectF& r, const QColor& paper, const QColor& line) {
    p.setPen(QPen(line, 1.2));
    p.setBrush(paper);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
    p.drawPath(
        Polyline({r.topLeft(), {r.center().x(), r.top() + r.height() * 0.6}, r.topRight()}, false));
}

void DrawHandsetAt(QPainter& p, const QPointF& at, double scale, const QColor& c) {
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    HandsetPath(p, c);
    p.restore();
}

}  // namespace

QImage NewSmsAndCallPicture(int frame) {
    QImage img = TransparentImage(kNewSmsAndCallWidth, kNewSmsAndCallHeight);
    QPainter p(&img);
    Antialias(p);
    const QColor grey(0xA8, 0xA8, 0xA8);
    const QColor orange(0xE0, 0x7A, 0x10);
    const QRectF env(6.5, 4.5, 19, 13);
    switch (frame) {
        case 0: DrawEnvelopeAt(p, env, QColor(0xF0, 0xF0, 0xF0), grey); break;
        case 1: DrawEnvelopeAt(p, env, QColor(0xFF, 0xE8, 0x9A), orange); break;
        case 2:
            DrawEnvelopeAt(p, env.adjusted(-1, -1, 1, 1), QColor(0xFF, 0xC4, 0x40), kNavy);
            break;
        case 3: DrawHandsetAt(p, QPointF(7, 1), 0.55, grey); break;
        case 4: DrawHandsetAt(p, QPointF(7, 1), 0.55, kLeaf); break;
        case 5:
            DrawHandsetAt(p, QPointF(6, 0), 0.6, QColor(0x43, 0xA0, 0x47));
            p.setPen(QPen(kLeaf, 1.4));
            p.drawArc(QRectF(20, 2, 8, 8), 0, 90 * 16);
            p.drawArc(QRectF(18, 0, 12, 12), 0, 90 * 16);
            break;
        default: break;
    }
    return img;
}

QImage PortTrafficPicture(int frame) {
    QImage img = TransparentImage(kPortTrafficWidth, kPortTrafficHeight);
    QPainter p(&img);
    Antialias(p);
    const QColor line = frame == 0 ? QColor(0xA8, 0xA8, 0xA8) : kNavy;
    // The computer on the left, the phone on the right, the cable between.
    p.setPen(QPen(line, 1.2));
    p.setBrush(frame == 0 ? QColor(0xE8, 0xE8, 0xE8) : QColor(0xD6, 0xE6, 0xF2));
    p.drawRect(QRectF(1.5, 3.5, 14, 10));
    p.drawLine(QPointF(5, 16.5), QPointF(12, 16.5));
    p.drawRoundedRect(QRectF(69.5, 1.5, 8, 16), 2, 2);
    p.setPen(QPen(line, 1, Qt::DotLine));
    p.drawLine(QPointF(17, 9.5), QPointF(68, 9.5));
    if (frame >= 1 && frame <= 5) {
        const double x = 20 + (frame - 1) * 11.5;
        p.setPen(Qt::NoPen);
        p.setBrush(kLeaf);
        p.drawEllipse(QPointF(x + 3, 9.5), 3.5, 3.5);
        p.setBrush(QColor(0x2E, 0x7D, 0x32, 90));
        p.drawEllipse(QPointF(x + 3, 9.5), 6, 4.5);
    }
    return img;
}

QImage NivoPicture() {
    QImage img = TransparentImage(kNivoWidth, kNivoHeight);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, kNivoHeight);
    g.setColorAt(0, QColor(0x6C, 0xC0, 0x6F));
    g.setColorAt(1, kLeaf);
    p.setPen(QPen(kLeaf.darker(130), 1));
    p.setBrush(g);
    p.drawRect(QRectF(0.5, 0.5, kNivoWidth - 1, kNivoHeight - 1));
    return img;
}

}  // namespace parlenko::artwork
