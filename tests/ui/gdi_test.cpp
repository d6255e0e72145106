// The shared drawing code: colour values and their conversion, and the
// pixel rules of rectangles, lines and the 3-D frame.

#include "components/widgets/gdi_colors.h"
#include "components/widgets/gdi_draw.h"
#include "tests/ui/ui_test_support.h"

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace parlenko::widgets {
namespace {

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override { ui::testing::App(); }
};

TEST_F(GdiTest, ColoursLowByteRedAndSystemColoursFromThePalette) {
    EXPECT_EQ(ToQColor(0x008396A0), QColor(160, 150, 131));
    EXPECT_EQ(ColorToRGB(clMoneyGreen), RGBColor(192, 220, 192));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);

    QPalette pal;
    pal.setColor(QPalette::Button, QColor(10, 20, 30));
    pal.setColor(QPalette::Dark, QColor(40, 50, 60));
    pal.setColor(QPalette::Highlight, QColor(70, 80, 90));
    EXPECT_EQ(ToQColor(clBtnFace, pal), QColor(10, 20, 30));
    EXPECT_EQ(ToQColor(clBtnShadow, pal), QColor(40, 50, 60));
    EXPECT_EQ(ColorToRGB(clHighlight, pal), RGBColor(70, 80, 90));
    EXPECT_EQ(ToQColor(clInactiveBorder, pal), ToQColor(clInactiveBorder)) << "fixed value";
}

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

TEST_F(GdiTest, RectanglesAndLinesLeaveOutTheirFarEdge) {
    QImage img = Canvas(10, 10);
    {
        QPainter p(&img);
        FillRect(p, {1, 1, 3, 3}, Qt::red);
        DrawLine(p, {5, 0}, {8, 0}, Qt::blue);
        DrawLine(p, {5, 5}, {8, 8}, Qt::blue);
        Rectangle(p, {0, 6, 4, 10}, Qt::black, Qt::green);
    }
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(3, 2), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(2, 3), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(7, 0), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(8, 0), QColor(Qt::white)) << "end point left out";
    EXPECT_EQ(img.pixelColor(7, 7), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(8, 8), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(3, 9), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(1, 7), QColor(Qt::green));
    EXPECT_EQ(img.pixelColor(4, 9), QColor(Qt::white));
}

TEST_F(GdiTest, Frame3DCornersAndShrink) {
    QImage img = Canvas(10, 6);
    TRect r{0, 0, 10, 6};
    {
        QPainter p(&img);
        Frame3D(p, r, Qt::red, Qt::blue);
    }
    EXPECT_EQ(r, (TRect{1, 1, 9, 5}));
    for (QPoint pt : {QPoint(0, 0), QPoint(8, 0), QPoint(0, 4)})
        EXPECT_EQ(img.pixelColor(pt), QColor(Qt::red)) << pt.x() << "," << pt.y();
    for (QPoint pt : {QPoint(9, 0), QPoint(0, 5), QPoint(9, 5), QPoint(9, 3), QPoint(4, 5)})
        EXPECT_EQ(img.pixelColor(pt), QColor(Qt::blue)) << pt.x() << "," << pt.y();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white));
}

TEST_F(GdiTest, LineBreaksOfTheDeviceContext) {
    EXPECT_EQ(GdiLineBreaks("a\r\nb\rc\nd"), "a\nb\nc\nd");
    QImage img = Canvas(10, 10);
    QPainter p(&img);
    TRect one{0, 0, 1000, 0};
    TRect two{0, 0, 1000, 0};
    DrawText(p, "a", one, DT_CALCRECT);
    DrawText(p, "a\rb", two, DT_CALCRECT);
    EXPECT_GT(two.Height(), one.Height());
}

}  // namespace
}  // namespace parlenko::widgets
