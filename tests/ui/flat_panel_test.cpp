// The flat panel: its frame colours, the caption's colours when enabled and
// disabled, and a transparent panel that shows only its parent's painting.

#include "components/widgets/flat_panel.h"
#include "tests/ui/ui_test_support.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace parlenko::widgets {
namespace {

class FlatPanelTest : public ::testing::Test {
protected:
    void SetUp() override { ui::testing::App(); }
};

QImage Shot(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

bool Has(const QImage& img, const QRect& area, const QColor& c) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y) == c) return true;
    return false;
}

TEST_F(FlatPanelTest, FrameTopLeftInHighlightBottomRightInShadow) {
    TFlatPanel panel;
    EXPECT_EQ(panel.size(), QSize(185, 41));
    EXPECT_TRUE(panel.ParentColor());
    QImage img = Shot(panel);
    const QColor dflt(160, 150, 131);
    for (QPoint pt : {QPoint(0, 0), QPoint(184, 0), QPoint(0, 40), QPoint(184, 40), QPoint(90, 40)})
        EXPECT_EQ(img.pixelColor(pt), dflt) << pt.x() << "," << pt.y();

    panel.resize(10, 6);
    panel.SetColorHighLight(clRed);
    panel.SetColorShadow(clBlue);
    panel.SetColor(clLime);
    EXPECT_FALSE(panel.ParentColor());
    img = Shot(panel);
    for (QPoint pt : {QPoint(0, 0), QPoint(8, 0), QPoint(0, 4)})
        EXPECT_EQ(img.pixelColor(pt), QColor(Qt::red)) << pt.x() << "," << pt.y();
    for (QPoint pt : {QPoint(9, 0), QPoint(0, 5), QPoint(9, 5)})
        EXPECT_EQ(img.pixelColor(pt), QColor(Qt::blue)) << pt.x() << "," << pt.y();
    for (QPoint pt : {QPoint(1, 1), QPoint(8, 4)})
        EXPECT_EQ(img.pixelColor(pt), QColor(Qt::green)) << pt.x() << "," << pt.y();

    QWidget parent;
    QPalette cream = parent.palette();
    cream.setColor(QPalette::Window, QColor(255, 251, 240));
    parent.setPalette(cream);
    TFlatPanel child(&parent);
    child.SetColor(clLime);
    child.SetParentColor(true);
    EXPECT_TRUE(child.ParentColor());
    EXPECT_EQ(Shot(child).pixelColor(4, 2), QColor(255, 251, 240)) << "the parent's colour again";
}

TEST_F(FlatPanelTest, DisabledCaptionInButtonHighlightAndShadow) {
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Light, Qt::red);  // clBtnHighlight
    pal.setColor(QPalette::Dark, Qt::blue);  // clBtnShadow
    parent.setPalette(pal);
    QFont f = parent.font();
    f.setStyleStrategy(QFont::NoAntialias);
    f.setPixelSize(14);
    parent.setFont(f);
    TFlatPanel panel(&parent);
    panel.resize(80, 30);
    panel.SetCaption("WM&W");
    const QRect text(2, 2, 76, 26);

    QImage img = Shot(panel);
    EXPECT_EQ(img.pixelColor(40, 2), QColor(Qt::white)) << "the parent's colour";
    EXPECT_TRUE(Has(img, text, Qt::black));
    EXPECT_FALSE(Has(img, text, Qt::red));
    EXPECT_FALSE(Has(img, text, Qt::blue));

    panel.setEnabled(false);
    img = Shot(panel);
    EXPECT_FALSE(Has(img, text, Qt::black));
    EXPECT_TRUE(Has(img, text, Qt::red));
    EXPECT_TRUE(Has(img, text, Qt::blue));
}

// A parent that paints a colour of its own over its background.
class PaintedParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::magenta); }
};

TEST_F(FlatPanelTest, TransparentShowsTheParentsPaintingNotItsChildren) {
    PaintedParent parent;
    parent.resize(60, 40);
    QWidget sibling(&parent);
    sibling.setGeometry(0, 0, 60, 40);
    sibling.setAutoFillBackground(true);
    QPalette red = sibling.palette();
    red.setColor(QPalette::Window, Qt::red);
    sibling.setPalette(red);
    TFlatPanel panel(&parent);
    panel.setGeometry(10, 10, 30, 20);
    panel.SetTransparent(true);

    const QImage img = Shot(panel);
    EXPECT_EQ(img.pixelColor(15, 10), QColor(Qt::magenta));
    EXPECT_FALSE(Has(img, img.rect(), Qt::red));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(160, 150, 131)) << "the frame over it";
}

}  // namespace
}  // namespace parlenko::widgets
