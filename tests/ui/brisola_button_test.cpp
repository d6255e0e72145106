// The four-image button: which picture shows in which state, the pictures it
// fills in, its own Enabled flag against clicks, when it paints, and the
// transparent and stretched drawing.

#include "components/widgets/brisola_button.h"
#include "tests/ui/ui_test_support.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace parlenko::widgets {
namespace {

class BrisolaButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ui::testing::App(); }
};

QImage Solid(int w, int h, const QColor& c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// Counts its paints; sends itself the mouse.
class Button : public TBrisolaButton {
public:
    using TBrisolaButton::TBrisolaButton;
    int paints = 0;
    QColor Shown() { return grab().toImage().pixelColor(5, 5); }
    void Enter() {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(this, &e);
    }
    void Leave() {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(this, &e);
    }
    void Mouse(QEvent::Type type, Qt::MouseButton button) {
        QMouseEvent e(type, QPointF(5, 5), QPointF(5, 5), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(this, &e);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        TBrisolaButton::paintEvent(e);
    }
};

TEST_F(BrisolaButtonTest, UpImageAloneShowsInEveryState) {
    Button b;
    b.resize(20, 20);
    b.SetUpImage(Solid(20, 20, Qt::cyan));
    EXPECT_EQ(b.Shown(), QColor(Qt::cyan));
    b.Enter();
    EXPECT_EQ(b.Shown(), QColor(Qt::cyan));
    b.Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(b.Pressed());
    EXPECT_EQ(b.Shown(), QColor(Qt::cyan));
    b.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
    b.SetEnabled(false);
    EXPECT_EQ(b.Shown(), QColor(Qt::cyan));
}

TEST_F(BrisolaButtonTest, NarrowUpImageShowsButtonFaceButIsCopied) {
    const QColor face = ToQColor(clBtnFace);
    Button empty;
    empty.resize(20, 20);
    EXPECT_EQ(empty.Shown(), face);

    Button narrow;
    narrow.resize(20, 20);
    narrow.SetUpImage(Solid(1, 20, Qt::cyan));
    EXPECT_EQ(narrow.Shown(), face);
    EXPECT_EQ(narrow.DownImage().width(), 1);
    EXPECT_EQ(narrow.MouseOverImage().width(), 1);
    EXPECT_EQ(narrow.DisabledImage().width(), 1);
}

TEST_F(BrisolaButtonTest, PicturesByStateAndOwnEnabledAgainstClicks) {
    Button b;
    b.resize(20, 20);
    b.SetUpImage(Solid(20, 20, Qt::cyan));
    b.SetDownImage(Solid(20, 20, Qt::blue));
    b.SetMouseOverImage(Solid(20, 20, Qt::green));
    b.SetDisabledImage(Solid(20, 20, Qt::gray));
    int clicks = 0;
    int downs = 0;
    int ups = 0;
    b.OnClick = [&](TBrisolaButton* sender) {
        EXPECT_EQ(sender, &b);
        ++clicks;
    };
    b.OnMouseDown = [&](TBrisolaButton*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        ++downs;
    };
    b.OnMouseUp = [&](TBrisolaButton*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++ups; };

    b.Enter();
    EXPECT_EQ(b.Shown(), QColor(Qt::green));
    b.Mouse(QEvent::MouseButtonPress, Qt::RightButton);
    b.Mouse(QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_EQ(b.Shown(), QColor(Qt::green)) << "the right button changes nothing";
    EXPECT_EQ(downs + ups + clicks, 0);

    b.Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(b.Shown(), QColor(Qt::blue));
    b.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(b.Shown(), QColor(Qt::green));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 1);

    b.SetEnabled(false);
    EXPECT_TRUE(b.isEnabled()) << "the widget stays enabled";
    b.Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_FALSE(b.Pressed());
    EXPECT_EQ(b.Shown(), QColor(Qt::gray)) << "hovered and pressed";
    b.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 2) << "OnClick fires anyway";

    b.Leave();
    EXPECT_FALSE(b.MouseInside());
    b.SetEnabled(true);
    EXPECT_EQ(b.Shown(), QColor(Qt::cyan));
}

TEST_F(BrisolaButtonTest, OnlyEnabledRepaintsBeforeReturning) {
    Button b;
    b.resize(20, 20);
    b.SetUpImage(Solid(20, 20, Qt::cyan));
    b.show();
    ASSERT_TRUE(ui::testing::PumpUntil([&] { return b.paints > 0; }, 2000));
    ui::testing::Pump(20);
    const int before = b.paints;
    b.SetMouseOverImage(Solid(20, 20, Qt::green));
    b.SetDisabledImage(Solid(20, 20, Qt::gray));
    ui::testing::Pump(20);
    EXPECT_EQ(b.paints, before);
    b.SetEnabled(false);
    EXPECT_EQ(b.paints, before + 1);
}

// A parent that paints itself blue.
class BlueParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::blue); }
};

TEST_F(BrisolaButtonTest, TransparentShowsTheParentThroughKeyPixelsOnly) {
    BlueParent parent;
    parent.resize(40, 40);
    TBrisolaButton b(&parent);
    b.setGeometry(0, 0, 20, 20);
    QImage picture = Solid(20, 20, Qt::white);
    QPainter(&picture).fillRect(10, 0, 10, 20, Qt::green);
    b.SetUpImage(picture);
    b.SetTransparent(true);
    EXPECT_FALSE(b.testAttribute(Qt::WA_OpaquePaintEvent));
    QImage shot = parent.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(15, 5), QColor(Qt::green));

    b.SetTransparent(false);
    EXPECT_TRUE(b.testAttribute(Qt::WA_OpaquePaintEvent));
    shot = parent.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(BrisolaButtonTest, StretchScalesTheWholePictureAlsoTransparent) {
    QImage quarters(2, 2, QImage::Format_RGB32);
    quarters.setPixelColor(0, 0, Qt::red);
    quarters.setPixelColor(1, 0, Qt::green);
    quarters.setPixelColor(0, 1, Qt::blue);
    quarters.setPixelColor(1, 1, Qt::yellow);
    for (bool transparent : {false, true}) {
        TBrisolaButton b;
        b.resize(20, 20);
        b.SetUpImage(quarters);
        b.SetStretch(true);
        b.SetTransparent(transparent);
        const QImage shot = b.grab().toImage();
        EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::red)) << transparent;
        EXPECT_EQ(shot.pixelColor(17, 2), QColor(Qt::green)) << transparent;
        EXPECT_EQ(shot.pixelColor(2, 17), QColor(Qt::blue)) << transparent;
        EXPECT_EQ(shot.pixelColor(17, 17), QColor(Qt::yellow)) << transparent;
    }
}

}  // namespace
}  // namespace parlenko::widgets
