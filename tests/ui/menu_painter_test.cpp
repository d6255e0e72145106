// The menu painter: its colour arithmetic and measure rules, the pixels of
// painted menus and of the menu-bar tab, the menus it finds by itself, and
// the control hook's flat faces.

#include "components/widgets/control_sub_class.h"
#include "components/widgets/menu_painter.h"
#include "tests/ui/ui_test_support.h"

#include <QBitmap>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <set>

namespace parlenko::widgets {
namespace {

using ui::testing::Pump;

class MenuPainterTest : public ::testing::Test {
protected:
    void SetUp() override { ui::testing::App(); }
};

TColor Pixel(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

TEST_F(MenuPainterTest, ColourArithmetic) {
    EXPECT_EQ(Lighten(RGBColor(2, 2, 2), 50), RGBColor(128, 128, 128)) << "126.5 to even";
    EXPECT_EQ(Lighten(clBlack, 30), RGBColor(76, 76, 76)) << "76.5 to even";
    EXPECT_EQ(Lighten(clMoneyGreen, 96), RGBColor(252, 254, 252));
    EXPECT_EQ(Lighten(RGBColor(10, 10, 10), 150), clWhite) << "at most 100 %";
    EXPECT_EQ(Darken(RGBColor(100, 100, 100), 10), RGBColor(90, 92, 90));
    EXPECT_EQ(Darken(RGBColor(100, 100, 100), -40), RGBColor(140, 142, 140));
    EXPECT_EQ(Darken(RGBColor(5, 1, 250), 10), RGBColor(0, 0, 240));
    EXPECT_EQ(Darken(RGBColor(250, 254, 20), -10), RGBColor(255, 255, 30));
    EXPECT_EQ(Gray(RGBColor(10, 20, 31), 10), RGBColor(30, 30, 30));
    EXPECT_EQ(Gray(clWhite, 10), RGBColor(240, 240, 240));

    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 255));
    image.setPixel(1, 0, qRgba(10, 20, 31, 40));
    const QImage dim = DimImage(image, 130);
    EXPECT_EQ(dim.pixel(0, 0), qRgba(255, 255, 255, 255)) << "at most 100 %";
    const QImage gray = GrayImage(image, 10);
    EXPECT_EQ(gray.pixel(1, 0), qRgba(30, 30, 30, 40)) << "alpha kept";

    // The shadow: every pixel but those of the bottom-left pixel's colour.
    QImage canvas(4, 3, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QImage shape(2, 2, QImage::Format_ARGB32);
    shape.fill(qRgba(0, 0, 0, 0));
    shape.setPixel(1, 0, qRgba(9, 9, 9, 255));
    {
        QPainter p(&canvas);
        DrawImageShadow(p, shape, 1, 1, Qt::red);
        DrawImageShadow(p, QImage(), 0, 0, Qt::red);
    }
    EXPECT_EQ(canvas.pixelColor(2, 1), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::white)) << "an empty image draws nothing";
}

TEST_F(MenuPainterTest, MeasureRules) {
    EXPECT_EQ(MenuItemHeight(14, 0), 24) << "14 + 10.5 to even";
    EXPECT_EQ(MenuItemHeight(13, 0), 23);
    EXPECT_EQ(MenuItemHeight(10, 16), 22) << "image height + 6";
    const int columns[] = {0, 1, 29, 30, 38, 60};
    const int levels[] = {0, 3, 87, 88, 96, 96};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(GradientLevel(columns[i], 24), levels[i]) << columns[i];
}

TEST_F(MenuPainterTest, PaletteStepWithSystemColours) {
    QWidget window;
    TMenuPainter painter(&window);
    const TMenuColors t = painter.PaletteStep(true);
    EXPECT_EQ(t.MenuBackground, Lighten(clBtnFace, 86));
    EXPECT_EQ(t.IconBand, Lighten(clBtnFace, 16));
    EXPECT_EQ(t.Selection, Lighten(clHighlight, 68));
    EXPECT_EQ(t.SelectionBorder, ColorToRGB(clHighlight));
    EXPECT_EQ(t.DisabledText, Lighten(clBtnShadow, 10));
    EXPECT_EQ(t.Separator, Lighten(clBtnShadow, 25));
    EXPECT_EQ(t.CheckedArea, Lighten(clHighlight, 80));
    EXPECT_EQ(t.CheckedAreaSelected, Lighten(clHighlight, 50));
    EXPECT_EQ(t.Border, Darken(clBtnFace, 90));
    EXPECT_EQ(t.Shadow, Darken(clBtnFace, 76));
    const TMenuColors l = painter.PaletteStep(false);
    EXPECT_EQ(l.MenuBackground, clWhite);
    EXPECT_EQ(l.Selection, clWhite);
    EXPECT_EQ(l.IconBand, ColorToRGB(clBtnFace));
    EXPECT_EQ(l.Separator, ColorToRGB(clBtnShadow));
    EXPECT_EQ(l.CheckedAreaSelected, clWhite);
    EXPECT_EQ(l.Border, ColorToRGB(clBtnShadow));

    // A device of fewer than 16 bits per pixel takes the low-colour step, and
    // lightened colours become the nearest ones it shows.
    QBitmap mono(4, 4);
    QPainter p(&mono);
    painter.PreparePalette(p);
    EXPECT_FALSE(painter.TrueColour());
    EXPECT_EQ(painter.Colors(), l);
    EXPECT_EQ(painter.Light(clBlack, 30), RGBColor(76, 76, 76));
    painter.NearestColor = [](TColor) { return clGray; };
    EXPECT_EQ(painter.Light(clBlack, 30), clGray);
}

// A window with a painted pop-up menu: two items, a separator, an item the
// painter leaves alone, and a money-green gradient band.
struct MenuRig {
    MenuRig() {
        painter.IconBackColor = clMoneyGreen;
        painter.SelectColor = clMoneyGreen;
        painter.SelectBorderColor = RGBColor(49, 87, 49);
        painter.SetUseSystemColors(false);
        painter.Gradient = true;
        painter.AutoDetect = true;
        QFont f = painter.Font();
        f.setPixelSize(20);
        painter.SetFont(f);
        first = menu->addAction("First");
        second = menu->addAction("Second");
        separator = menu->addSeparator();
        plain = menu->addAction("Plain");
        plain->setProperty("Tag", 999);
        painter.SetActive(true);
    }
    QImage Grab() {
        menu->resize(menu->sizeHint());
        return menu->grab().toImage();
    }
    QWidget window;
    TMenuPainter painter{&window};
    TPaintedMenu* menu = new TPaintedMenu(&window);
    QAction* first;
    QAction* second;
    QAction* separator;
    QAction* plain;
};

TEST_F(MenuPainterTest, PaintedMenuItems) {
    MenuRig rig;
    ASSERT_TRUE(rig.painter.IsHooked(rig.menu));
    rig.menu->setActiveAction(rig.second);
    const QImage image = rig.Grab();
    const QRect r = rig.menu->actionGeometry(rig.first);
    // The band gradient on the first item's top row (no text there).
    const int columns[] = {0, 1, 29, 30, 38, 60};
    const int levels[] = {0, 3, 87, 88, 96, 96};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Pixel(image, r.left() + columns[i], r.top()), Lighten(clMoneyGreen, levels[i]))
            << "column " << columns[i];

    // The selected item: its first row keeps the background, then the frame,
    // the fill, and its last row is frame.
    const QRect s = rig.menu->actionGeometry(rig.second);
    const int x = s.left() + 3;
    EXPECT_EQ(Pixel(image, x, s.top()), Lighten(clMoneyGreen, 9));
    EXPECT_EQ(Pixel(image, x, s.top() + 1), RGBColor(49, 87, 49));
    EXPECT_EQ(Pixel(image, x, s.top() + 2), clMoneyGreen);
    EXPECT_EQ(Pixel(image, x, s.bottom()), RGBColor(49, 87, 49));
    EXPECT_EQ(Pixel(image, s.left(), s.top() + 2), RGBColor(49, 87, 49));

    EXPECT_EQ(rig.menu->actionGeometry(rig.separator).height(), kSeparatorHeight);
    EXPECT_EQ(r.height(), MenuItemHeight(QFontMetrics(rig.painter.Font()).height(), 0));

    // The item marked 999 keeps the base style's size and look.
    const QRect p = rig.menu->actionGeometry(rig.plain);
    EXPECT_LT(p.height(), r.height());
    EXPECT_NE(Pixel(image, p.left(), p.top() + 1), clMoneyGreen);
    EXPECT_EQ(TMenuItemEvents::Of(rig.plain), nullptr);
}

// The default item's caption lies over four darker passes of itself; a
// sub-menu item keeps room for its arrow, which is drawn there.
TEST_F(MenuPainterTest, DefaultItemShadowAndSubMenuArrow) {
    MenuRig rig;
    QMenu* sub = rig.menu->addMenu("Sub");
    sub->addAction("Inside");
    const QImage plainImage = rig.Grab();
    rig.menu->setDefaultAction(rig.first);
    const QImage image = rig.Grab();
    const QRect r = rig.menu->actionGeometry(rig.first);
    // Below and right of the caption's strokes: the passes' colours.
    std::set<TColor> shadows;
    for (int v : {30, 40, 60})
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int level = 0; level <= 96; ++level)
                    if (Pixel(image, x, y) == Darken(Lighten(clMoneyGreen, level), v))
                        shadows.insert(Pixel(image, x, y));
    EXPECT_FALSE(shadows.empty()) << "the default item has no shadow";
    EXPECT_NE(image.copy(r), plainImage.copy(r));

    // The sub-menu item: wider than its caption by the arrow's room, and the
    // arrow's dark pixels in the last 16 pixels of the item.
    const QRect a = rig.menu->actionGeometry(sub->menuAction());
    const int caption = QFontMetrics(rig.painter.Font()).horizontalAdvance("Sub");
    EXPECT_GE(a.width(), rig.painter.IconWidth + caption + 5 + 12);
    int dark = 0;
    for (int x = a.right() - 15; x <= a.right(); ++x)
        for (int y = a.top(); y <= a.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 100) ++dark;
    EXPECT_GT(dark, 3) << "no arrow";
}

TEST_F(MenuPainterTest, SwitchingOffRestoresTheMenus) {
    MenuRig rig;
    QStyle* before = QApplication::style();
    EXPECT_EQ(rig.menu->style(), rig.painter.Style());
    rig.painter.SetActive(false);
    EXPECT_EQ(rig.menu->style(), before);
    EXPECT_FALSE(rig.painter.IsHooked(rig.menu));
    EXPECT_FALSE(TMenuItemEvents::Of(rig.first)->OnDrawItem);
    EXPECT_FALSE(TMenuItemEvents::Of(rig.first)->OnMeasureItem);
    const QImage image = rig.Grab();
    const QRect r = rig.menu->actionGeometry(rig.first);
    EXPECT_NE(Pixel(image, r.left(), r.top()), clMoneyGreen);

    // An item's own handlers stay; the painter's come back beside them.
    int ownDraws = 0;
    TMenuItemEvents* events = TMenuItemEvents::Of(rig.first, true);
    events->OnDrawItem = [&](QAction*, QPainter&, const QRect&, bool) { ++ownDraws; };
    rig.painter.SetActive(true);
    EXPECT_EQ(events->DrawnBy.data(), nullptr);
    EXPECT_EQ(events->MeasuredBy.data(), &rig.painter);
    rig.Grab();
    EXPECT_EQ(ownDraws, 1);
}

TEST_F(MenuPainterTest, FlatFrameWithItsShadow) {
    QWidget window;
    TMenuPainter painter(&window);
    painter.FlatMenu = true;
    auto* menu = new TPaintedMenu(&window);
    menu->addAction("Item");
    painter.SetActive(true);
    menu->resize(menu->sizeHint());
    const QImage image = menu->grab().toImage();
    const TMenuColors& k = painter.Colors();
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(Pixel(image, 0, h / 2), k.Border);
    EXPECT_EQ(Pixel(image, w - 3, h / 2), k.Border);
    EXPECT_EQ(Pixel(image, w - 1, h / 2), k.Shadow);
    EXPECT_EQ(Pixel(image, w / 2, h - 2), k.Shadow);
    EXPECT_EQ(Pixel(image, w - 1, 0), ColorToRGB(clBtnFace)) << "the outer corner";
    painter.SetActive(false);
    EXPECT_EQ(menu->contentsMargins(), QMargins()) << "the shadow's margins go";
}

TEST_F(MenuPainterTest, MenuBarTab) {
    QMainWindow window;
    auto* bar = new TPaintedMenuBar(&window);
    bar->setNativeMenuBar(false);
    window.setMenuBar(bar);
    QAction* file = bar->addMenu(new TPaintedMenu("&File", bar));
    TMenuPainter painter(&window);
    painter.SetActive(true);
    window.show();
    ASSERT_TRUE(ui::testing::PumpUntil(
        [&] { return bar->height() >= bar->actionGeometry(file).height(); }, 2000))
        << "the bar grows to its painted items";
    window.hide();
    // The open item of the bar, drawn as the bar draws it.
    QStyleOptionMenuItem option;
    option.initFrom(bar);
    option.state = QStyle::State_Enabled | QStyle::State_Selected | QStyle::State_Sunken;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = "&File";
    option.rect = QRect(10, 0, 40, 20);
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        painter.DrawMenuItem(p, option, bar);
    }
    const int right = 50;
    const int row = 19;  // the item's last row
    const TColor mb = ColorToRGB(clBtnFace);
    EXPECT_EQ(Pixel(image, right - 1, row), Darken(mb, 10));
    EXPECT_EQ(Pixel(image, right - 3, row), Darken(mb, 30));
    EXPECT_EQ(Pixel(image, right - 4, row), Darken(mb, 60));
    EXPECT_EQ(Pixel(image, right - 6, row), Darken(mb, 100));
    EXPECT_EQ(Pixel(image, right - 8, row), ColorToRGB(clHighlight));
    EXPECT_EQ(Pixel(image, 10, row), ColorToRGB(clHighlight));
    EXPECT_EQ(Pixel(image, 12, row), Lighten(clHighlight, 68)) << "the selection fill";
}

TEST_F(MenuPainterTest, AutoDetectHooksLaterMenusAndSubMenus) {
    MenuRig rig;
    auto* child = new QWidget(&rig.window);
    auto* later = new QMenu(child);
    later->addAction("Later");
    later->ensurePolished();
    EXPECT_TRUE(rig.painter.IsHooked(later)) << "a menu under a child widget";
    EXPECT_NE(TMenuItemEvents::Of(later->actions().value(0)), nullptr);

    QMenu* sub = rig.menu->addMenu("Sub");
    QAction* inner = sub->addAction("Inner");
    EXPECT_TRUE(rig.painter.IsHooked(sub)) << "a sub-menu added to a hooked menu";
    ASSERT_NE(TMenuItemEvents::Of(inner), nullptr);
    EXPECT_EQ(TMenuItemEvents::Of(inner)->DrawnBy.data(), &rig.painter);

    QWidget other;
    auto* foreign = new QMenu(&other);
    foreign->ensurePolished();
    EXPECT_FALSE(rig.painter.IsHooked(foreign)) << "another window's menu";
}

TEST_F(MenuPainterTest, ControlHookFacesAndLife) {
    QWidget window;
    window.resize(200, 120);
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* check = new QCheckBox("Box", &window);
    layout->addWidget(edit);
    layout->addWidget(check);
    TMenuPainter painter(&window);
    painter.SetActive(true);
    window.show();
    Pump(50);
    ASSERT_NE(TControlSubClass::Of(edit), nullptr);
    EXPECT_FALSE(edit->hasFrame()) << "the sunken frame is off while hooked";

    const TColor parent = FromQColor(window.palette().color(window.backgroundRole()));
    edit->clearFocus();
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit, &out);
    EXPECT_EQ(Pixel(edit->grab().toImage(), 0, 0), Darken(parent, 60));
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(edit, &in);
    EXPECT_EQ(Pixel(edit->grab().toImage(), 0, 0), Lighten(clHighlight, 60));

    // Space held on the check box: the box in the checked-area-selected colour.
    const int size = check->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check);
    const QPoint inside(size / 2, check->height() / 2);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(check, &press);
    EXPECT_EQ(Pixel(check->grab().toImage(), inside.x(), inside.y()), Lighten(clHighlight, 50));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(check, &release);
    EXPECT_NE(Pixel(check->grab().toImage(), inside.x(), inside.y()), Lighten(clHighlight, 50));

    // A deleted control takes its hook with it.
    delete check;
    int live = 0;
    for (const auto& h : painter.ControlHooks) live += h ? 1 : 0;
    EXPECT_EQ(live, 1);

    painter.SetActive(false);
    EXPECT_TRUE(edit->hasFrame()) << "the frame is back";
    EXPECT_EQ(TControlSubClass::Of(edit), nullptr);
    window.hide();
}

}  // namespace
}  // namespace parlenko::widgets
