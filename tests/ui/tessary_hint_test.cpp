// The hint window: the size it asks for, the balloon's band and frame against
// the plain tooltip, moving a shown balloon, and the application's tooltips
// shown through it.

#include "components/widgets/tessary_hint.h"
#include "tests/ui/ui_test_support.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <gtest/gtest.h>

namespace parlenko::widgets {
namespace {

class TessaryHintTest : public ::testing::Test {
protected:
    void SetUp() override { ui::testing::App(); }
};

TEST_F(TessaryHintTest, RectIs26WiderAtLeast20HighAndTrimmed) {
    TTessaryHintWindow hint;
    TRect base{0, 0, 1000, 0};
    CalcTextRect(hint.fontMetrics(), "Mobile not connected!", base,
                 DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    const TRect r = hint.CalcHintRect(1000, "Mobile not connected!");
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Width(), base.Width() + 6 + 26);
    EXPECT_GE(r.Height(), 20);
    EXPECT_EQ(hint.CalcHintRect(1000, "  Mobile not connected! \r\n"), r) << "outer blanks";
    EXPECT_GT(hint.CalcHintRect(1000, "a\rb\rc").Height(), hint.CalcHintRect(1000, "abc").Height())
        << "CR breaks lines";
}

QImage Shot(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST_F(TessaryHintTest, BalloonHasBandAndFrameTooltipHasNeither) {
    const QColor background(236, 255, 236);
    const QColor band(29, 194, 79);
    TTessaryHintWindow hint;
    hint.ShowHintAt("You entered following\runsupported characters:", nullptr, 100, 120);
    EXPECT_TRUE(hint.isVisible());
    EXPECT_TRUE(hint.ShowsIcon());
    EXPECT_EQ(hint.pos(), QPoint(100, 120));
    QImage img = Shot(hint);
    const int w = img.width();
    const int h = img.height();
    EXPECT_EQ(img.pixelColor(1, h / 2), band);
    EXPECT_EQ(img.pixelColor(20, h / 2), band);
    EXPECT_EQ(img.pixelColor(21, h / 2), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(22, h / 2 - 1), background);
    for (QPoint pt : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_EQ(img.pixelColor(pt), QColor(Qt::black)) << pt.x() << "," << pt.y();

    // Shown again it moves and takes the new text.
    hint.ShowHintAt("Invalid number", nullptr, 200, 150);
    EXPECT_EQ(hint.pos(), QPoint(200, 150));
    EXPECT_EQ(hint.Caption(), "Invalid number");

    hint.ActivateHint({10, 10, 120, 30}, "Mobile not connected!");
    EXPECT_FALSE(hint.ShowsIcon());
    img = Shot(hint);
    EXPECT_EQ(img.pixelColor(0, 0), background);
    EXPECT_EQ(img.pixelColor(1, img.height() / 2), background);
    hint.hide();
}

// A dialog's balloon lies in the dialog: where it was shown over the
// dialog it stays when the dialog moves, another window over the dialog
// covers it as it covers the dialog, and a click on it reaches the control
// under it.
TEST_F(TessaryHintTest, ADialogsBalloonFollowsTheDialogAndTakesNoClicks) {
    QWidget dialog(nullptr, Qt::Dialog);
    dialog.setGeometry(100, 100, 400, 300);
    dialog.show();
    TTessaryHintWindow balloon(&dialog);
    const QPoint over = dialog.mapToGlobal(QPoint(31, 40));
    balloon.ShowHintAt("You entered following\runsupported characters:", nullptr, over.x(),
                       over.y());
    ASSERT_TRUE(balloon.isVisible());
    EXPECT_EQ(balloon.mapToGlobal(QPoint(0, 0)), over);
    EXPECT_FALSE(balloon.isWindow()) << "a window of its own lies over other windows";
    EXPECT_TRUE(balloon.testAttribute(Qt::WA_TransparentForMouseEvents));
    dialog.move(dialog.pos() + QPoint(50, 30));
    EXPECT_EQ(balloon.mapToGlobal(QPoint(0, 0)), over + QPoint(50, 30));
    dialog.hide();
}

TEST_F(TessaryHintTest, InstallerShowsWidgetTooltipsInTheHintWindow) {
    THintInstaller hints(10000);
    QWidget window;
    window.resize(100, 100);
    QWidget withTip(&window);
    withTip.setToolTip("Mobile not connected!\nTo connect, double-click here!");
    QWidget plain(&window);
    window.show();

    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), QPoint(300, 200));
    EXPECT_TRUE(QApplication::sendEvent(&withTip, &tip));
    EXPECT_TRUE(hints.Window().isVisible());
    EXPECT_FALSE(hints.Window().ShowsIcon());
    EXPECT_EQ(hints.Window().Caption(), withTip.toolTip());
    EXPECT_GT(hints.Window().y(), 200) << "below the pointer";
    EXPECT_FALSE(QToolTip::isVisible());
    const QPoint shownAt = hints.Window().pos();
    QHelpEvent again(QEvent::ToolTip, QPoint(5, 5), QPoint(400, 250));
    EXPECT_TRUE(QApplication::sendEvent(&withTip, &again));
    EXPECT_EQ(hints.Window().pos(), shownAt) << "resting again over the same widget";

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&withTip, &press);
    EXPECT_FALSE(hints.Window().isVisible()) << "a press hides it";

    QApplication::sendEvent(&withTip, &tip);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&withTip, &leave);
    EXPECT_FALSE(hints.Window().isVisible()) << "leaving the widget hides it";

    // A widget without tooltip text of its own is left to Qt.
    QHelpEvent plainTip(QEvent::ToolTip, QPoint(2, 2), QPoint(300, 200));
    QApplication::sendEvent(&plain, &plainTip);
    EXPECT_FALSE(hints.Window().isVisible());
}

}  // namespace
}  // namespace parlenko::widgets
