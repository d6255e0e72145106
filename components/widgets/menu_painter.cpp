#include "components/widgets/menu_painter.h"

#include "components/widgets/control_sub_class.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QChildEvent>
#include <QFontMetrics>
#include <QMainWindow>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace parlenko::widgets {

namespace {

constexpr int kSkipTag = 999;

int Clamp255(int v) { return std::clamp(v, 0, 255); }

// (numerator / denominator) rounded to nearest, halves to even (both >= 0).
int DivRoundEven(int numerator, int denominator) {
    int q = numerator / denominator;
    const int twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && q % 2 != 0)) ++q;
    return q;
}

int LightenChannel(int c, int percent) {
    return c + DivRoundEven((255 - c) * std::min(percent, 100), 100);
}

QRgb WithAlpha(TColor c, int alpha) {
    return qRgba(GetRValue(c), GetGValue(c), GetBValue(c), alpha);
}
TColor FromRgb(QRgb p) { return RGBColor(qRed(p), qGreen(p), qBlue(p)); }

template <class F>
QImage MapPixels(const QImage& image, F f) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    bool have = false;
    TColor lastIn = 0;
    TColor lastOut = 0;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const TColor in = FromRgb(line[x]);
            if (!have || in != lastIn) {
                lastIn = in;
                lastOut = f(in);
                have = true;
            }
            line[x] = WithAlpha(lastOut, qAlpha(line[x]));
        }
    }
    return out;
}

int TagOf(const QObject* o) { return o != nullptr ? o->property("Tag").toInt() : 0; }

QAction* ActionOf(const QWidget* widget) {
    if (const auto* m = qobject_cast<const TPaintedMenu*>(widget)) return m->CurrentAction();
    if (const auto* b = qobject_cast<const TPaintedMenuBar*>(widget)) return b->CurrentAction();
    return nullptr;
}

bool IsPainted(const QWidget* widget) {
    return qobject_cast<const TPaintedMenu*>(widget) != nullptr ||
           qobject_cast<const TPaintedMenuBar*>(widget) != nullptr;
}

QColor Q(TColor c) { return ToQColor(c); }

}  // namespace

// --- colour arithmetic ---------------------------------------------------------

TColor Lighten(TColor c, int percent) {
    c = ColorToRGB(c);
    return RGBColor(LightenChannel(GetRValue(c), percent), LightenChannel(GetGValue(c), percent),
                    LightenChannel(GetBValue(c), percent));
}

TColor Darken(TColor c, int value) {
    c = ColorToRGB(c);
    return RGBColor(Clamp255(GetRValue(c) - value), Clamp255(GetGValue(c) - value + 2),
                    Clamp255(GetBValue(c) - value));
}

TColor Gray(TColor c, int value) {
    c = ColorToRGB(c);
    const int g = std::min((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3 + value, 240);
    return RGBColor(g, g, g);
}

QImage DimImage(const QImage& image, int value) {
    const int percent = std::min(value, 100);
    return MapPixels(image, [percent](TColor c) { return Lighten(c, percent); });
}

QImage GrayImage(const QImage& image, int value) {
    return MapPixels(image, [value](TColor c) { return Gray(c, value); });
}

void DrawImageShadow(QPainter& p, const QImage& image, int x, int y, const QColor& shadow) {
    if (image.isNull()) return;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = argb.pixel(0, argb.height() - 1);
    for (int py = 0; py < argb.height(); ++py) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(py));
        for (int px = 0; px < argb.width(); ++px)
            if (line[px] != transparent) p.fillRect(QRect(x + px, y + py, 1, 1), shadow);
    }
}

int MenuItemHeight(int textHeight, int imageHeight) {
    return std::max(textHeight + DivRoundEven(3 * textHeight, 4), imageHeight + 6);
}

int GradientLevel(int column, int iconWidth) {
    const int steep = iconWidth + 5;
    if (column <= steep) return std::min(3 * column, 96);
    return std::min(3 * steep + (column - steep), 96);
}

// --- item handlers ---------------------------------------------------------------

TMenuItemEvents::TMenuItemEvents(QAction* item) : QObject(item) {
    setObjectName(QStringLiteral("MenuItemEvents"));
}

TMenuItemEvents* TMenuItemEvents::Of(const QAction* item, bool create) {
    if (item == nullptr) return nullptr;
    auto* e = item->findChild<TMenuItemEvents*>(QString(), Qt::FindDirectChildrenOnly);
    if (e == nullptr && create) e = new TMenuItemEvents(const_cast<QAction*>(item));
    return e;
}

// --- painted menus ---------------------------------------------------------------

TPaintedMenu::TPaintedMenu(QWidget* parent) : QMenu(parent) {}
TPaintedMenu::TPaintedMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

void TPaintedMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    current_ = const_cast<QAction*>(action);
    QMenu::initStyleOption(option, action);
}

TPaintedMenuBar::TPaintedMenuBar(QWidget* parent) : QMenuBar(parent) {}

void TPaintedMenuBar::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    current_ = const_cast<QAction*>(action);
    QMenuBar::initStyleOption(option, action);
}

// --- the style ---------------------------------------------------------------------

TMenuStyle::TMenuStyle(TMenuPainter& painter) : painter_(painter) { setParent(&painter); }

QSize TMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                   const QWidget* widget) const {
    const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if ((type != CT_MenuItem && type != CT_MenuBarItem) || mi == nullptr || !painter_.Active())
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    // The room of a sub-menu's arrow, beside what the item measures.
    const int arrow = type == CT_MenuItem && mi->menuItemType == QStyleOptionMenuItem::SubMenu
                          ? kSubMenuArrowWidth
                          : 0;
    if (!IsPainted(widget)) return painter_.MeasureMenuItem(*mi, widget, size) + QSize(arrow, 0);
    QAction* action = ActionOf(widget);
    TMenuItemEvents* events = TMenuItemEvents::Of(action);
    if (TagOf(action) == kSkipTag || events == nullptr || !events->OnMeasureItem)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    painter_.CurrentItem = {mi, widget};
    int w = size.width();
    int h = size.height();
    events->OnMeasureItem(action, w, h);
    painter_.CurrentItem = {};
    return {w + arrow, h};
}

void TMenuStyle::DrawSubMenuArrow(const QStyleOptionMenuItem& item, QPainter* painter,
                                  const QWidget* widget) const {
    QStyleOption arrow(item);
    const bool rtl = item.direction == Qt::RightToLeft;
    const QRect r = item.rect;
    const int size = std::min(kSubMenuArrowWidth - 4, r.height());
    arrow.rect = QRect(rtl ? r.left() + 3 : r.right() - 2 - size, r.top() + (r.height() - size) / 2,
                       size, size);
    // Dark on the item whether it is selected or not (the selection is light).
    arrow.state &= ~State_Selected;
    arrow.palette.setColor(QPalette::ButtonText, ToQColor(clMenuText));
    arrow.palette.setColor(QPalette::WindowText, ToQColor(clMenuText));
    QProxyStyle::drawPrimitive(rtl ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight, &arrow,
                               painter, widget);
}

void TMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (mi == nullptr || !painter_.Active()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    if (element == CE_MenuBarEmptyArea) {
        painter_.DrawMenuBarArea(*painter, *mi, widget);
        return;
    }
    if (element != CE_MenuItem && element != CE_MenuBarItem) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const bool subMenu =
        element == CE_MenuItem && mi->menuItemType == QStyleOptionMenuItem::SubMenu;
    if (!IsPainted(widget)) {
        painter_.DrawMenuItem(*painter, *mi, widget);
        if (subMenu) DrawSubMenuArrow(*mi, painter, widget);
        return;
    }
    QAction* action = ActionOf(widget);
    TMenuItemEvents* events = TMenuItemEvents::Of(action);
    if (TagOf(action) == kSkipTag || events == nullptr || !events->OnDrawItem) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const bool selected = (mi->state & State_Selected) != 0 &&
                          (element == CE_MenuItem || (mi->state & State_Sunken) != 0);
    painter_.CurrentItem = {mi, widget};
    painter->save();
    events->OnDrawItem(action, *painter, mi->rect, selected);
    painter->restore();
    painter_.CurrentItem = {};
    if (subMenu) DrawSubMenuArrow(*mi, painter, widget);
    // Items and sub-menus added since the last pass get the handlers here.
    if (events->DrawnBy == &painter_) painter_.HookItem(action, true);
}

void TMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameMenu && painter_.Active() && option != nullptr &&
        painter_.DrawMenuFrame(*painter, *option, widget))
        return;
    // The menu draws its frame only over its panel width; the flat frame
    // also runs through the shadow's margins, so the panel draws it first.
    if (element == PE_PanelMenu && painter_.Active() && painter_.FlatMenu && option != nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter_.DrawMenuFrame(*painter, *option, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int TMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                            const QWidget* widget) const {
    // Menu-bar items lie side by side, as the system lays out drawn items.
    if (metric == PM_MenuBarItemSpacing && painter_.Active() &&
        qobject_cast<const QMenuBar*>(widget) != nullptr)
        return 0;
    // The pop-up's frame: two rings, flat (an outer line and an inner ring)
    // or the system's raised border.
    if (metric == PM_MenuPanelWidth && painter_.Active() &&
        qobject_cast<const QMenu*>(widget) != nullptr)
        return 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

// --- the painter -------------------------------------------------------------------

TMenuPainter::TMenuPainter(QWidget* owner)
    : QObject(owner), owner_(owner), style_(new TMenuStyle(*this)) {
    setObjectName(QStringLiteral("MenuPainter"));
    font_ = QApplication::font("QMenu");
    qApp->installEventFilter(this);
}

TMenuPainter::~TMenuPainter() {
    qApp->removeEventFilter(this);
    // Only what is known to be alive: the window may be half gone already.
    const auto menus = hooked_.keys();
    for (QWidget* m : menus) HookMenu(m, false, false);
    TControlSubClass::HookControls(*this, false, false);
}

void TMenuPainter::Loaded() {
    if (active_) HookAll(true, true);
}

void TMenuPainter::SetFont(const QFont& font) {
    font_ = font;
    RedrawMenuBar();
}

void TMenuPainter::SetFontColor(TColor color) {
    fontColor_ = color;
    RedrawMenuBar();
}

void TMenuPainter::SetMenuBarColor(TColor color) {
    menuBarColor_ = color;
    RedrawMenuBar();
}

void TMenuPainter::SetUseSystemColors(bool value) {
    useSystemColors_ = value;
    RedrawMenuBar();
}

void TMenuPainter::SetPaintContainers(TPaintContainers value) {
    if (value == paintContainers_) return;
    if (active_) HookAll(false, true);
    paintContainers_ = value;
    if (active_) HookAll(true, true);
}

void TMenuPainter::SetPaintControls(TPaintControls value) {
    if (value == paintControls_) return;
    if (active_) HookAll(false, true);
    paintControls_ = value;
    if (active_) HookAll(true, true);
}

void TMenuPainter::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    HookAll(value, true);
    RedrawMenuBar();
}

void TMenuPainter::RedrawMenuBar() {
    if (auto* w = qobject_cast<QMainWindow*>(owner_); w != nullptr && w->menuWidget() != nullptr)
        w->menuWidget()->update();
}

TColor TMenuPainter::Light(TColor c, int percent) const {
    const TColor l = Lighten(c, percent);
    return !trueColour_ && NearestColor ? NearestColor(l) : l;
}

TMenuColors TMenuPainter::PaletteStep(bool trueColour) const {
    auto rgb = [](TColor c) { return ColorToRGB(c); };
    auto light = [&](TColor c, int p) {
        const TColor l = Lighten(c, p);
        return !trueColour && NearestColor ? NearestColor(l) : l;
    };
    TMenuColors k;
    k.MenuBackground = rgb(Color);
    k.IconBand = rgb(IconBackColor);
    if (trueColour) {
        if (UseDimColor) {
            k.Selection = light(SelectColor, 68);
            k.CheckedArea = light(SelectColor, 80);
            k.CheckedAreaSelected = light(SelectColor, 50);
        } else {
            k.Selection = k.CheckedArea = k.CheckedAreaSelected = rgb(SelectColor);
        }
        k.Border = Darken(clBtnFace, 90);
        k.Shadow = Darken(clBtnFace, 76);
    } else {
        k.Selection = rgb(SelectColor);
        k.CheckedArea = clWhite;
        k.CheckedAreaSelected = clSilver;
        k.Border = k.Shadow = rgb(clBtnShadow);
    }
    k.SelectionBorder = rgb(SelectBorderColor);
    k.SelectionText = rgb(SelectFontColor);
    k.MenuBar = rgb(menuBarColor_);
    k.DisabledText = rgb(DisabledColor);
    k.CheckFrame = rgb(CheckedColor);
    k.Separator = rgb(SeparatorColor);
    if (useSystemColors_) {
        k.SelectionText = rgb(fontColor_);
        if (trueColour) {
            k.MenuBackground = light(clBtnFace, 86);
            k.IconBand = light(clBtnFace, 16);
            k.Selection = light(clHighlight, 68);
            k.SelectionBorder = rgb(clHighlight);
            k.MenuBar = rgb(clBtnFace);
            k.DisabledText = light(clBtnShadow, 10);
            k.Separator = light(clBtnShadow, 25);
            k.CheckFrame = rgb(clHighlight);
            k.CheckedArea = light(clHighlight, 80);
            k.CheckedAreaSelected = light(clHighlight, 50);
        } else {
            k.MenuBackground = clWhite;
            k.IconBand = rgb(clBtnFace);
            k.Selection = clWhite;
            k.SelectionBorder = rgb(clHighlight);
            k.MenuBar = rgb(clBtnFace);
            k.DisabledText = rgb(clBtnShadow);
            k.CheckFrame = rgb(clHighlight);
            k.Separator = rgb(clBtnShadow);
            k.CheckedArea = k.CheckedAreaSelected = clWhite;
        }
    }
    return k;
}

void TMenuPainter::PreparePalette(QPainter& canvas) {
    trueColour_ = canvas.device() == nullptr || canvas.device()->depth() >= 16;
    colors_ = PaletteStep(trueColour_);
}

// --- hooking -------------------------------------------------------------------------

bool TMenuPainter::IsHooked(const QWidget* menu) const {
    return hooked_.contains(const_cast<QWidget*>(menu));
}

void TMenuPainter::HookMenu(QWidget* menu, bool enable, bool repaint) {
    if (menu == nullptr) return;
    if (enable && !hooked_.contains(menu)) {
        hooked_.insert(menu, {menu->testAttribute(Qt::WA_SetStyle) ? menu->style() : nullptr,
                              menu->contentsMargins()});
        connect(menu, &QObject::destroyed, this, [this, menu] { hooked_.remove(menu); });
        menu->setStyle(style_);
        // A flat pop-up keeps two pixels right and below for its shadow.
        if (FlatMenu && qobject_cast<QMenu*>(menu) != nullptr)
            menu->setContentsMargins(menu->contentsMargins() + QMargins(0, 0, 2, 2));
    } else if (!enable && hooked_.contains(menu)) {
        const Hooked previous = hooked_.take(menu);
        disconnect(menu, &QObject::destroyed, this, nullptr);
        menu->setStyle(previous.style.data());
        menu->setContentsMargins(previous.margins);
    }
    const auto actions = menu->actions();
    for (QAction* a : actions) HookItemTree(a, enable);
    // The items' sizes change with the style: the window lays the bar out again.
    menu->updateGeometry();
    if (repaint) menu->update();
}

void TMenuPainter::HookItemTree(QAction* item, bool enable) {
    HookItem(item, enable);
    if (QMenu* sub = item->menu(); sub != nullptr && TagOf(item) != kSkipTag)
        if (enable != IsHooked(sub)) HookMenu(sub, enable, false);
}

void TMenuPainter::ReleaseItem(TMenuItemEvents& e) const {
    if (e.DrawnBy == this) {
        e.OnDrawItem = nullptr;
        e.DrawnBy = nullptr;
    }
    if (e.MeasuredBy == this) {
        e.OnMeasureItem = nullptr;
        e.MeasuredBy = nullptr;
    }
}

void TMenuPainter::TakeItem(TMenuItemEvents& e) {
    if (!e.OnDrawItem || OverrideOwnerDraw) {
        e.OnDrawItem = [self = QPointer<TMenuPainter>(this)](QAction*, QPainter& canvas,
                                                             const QRect&, bool) {
            if (self && self->CurrentItem.option != nullptr)
                self->DrawMenuItem(canvas, *self->CurrentItem.option, self->CurrentItem.widget);
        };
        e.DrawnBy = this;
    }
    if (!e.OnMeasureItem || e.MeasuredBy == this || OverrideOwnerDraw) {
        e.OnMeasureItem = [self = QPointer<TMenuPainter>(this)](QAction*, int& width, int& height) {
            if (!self || self->CurrentItem.option == nullptr) return;
            const QSize s = self->MeasureMenuItem(*self->CurrentItem.option,
                                                  self->CurrentItem.widget, {width, height});
            width = s.width();
            height = s.height();
        };
        e.MeasuredBy = this;
    }
}

void TMenuPainter::HookItem(QAction* item, bool enable) {
    if (item == nullptr || TagOf(item) == kSkipTag) return;
    TMenuItemEvents* e = TMenuItemEvents::Of(item, enable);
    if (e == nullptr) return;
    if (!enable) {
        ReleaseItem(*e);
        return;
    }
    TakeItem(*e);
    if (QMenu* sub = item->menu(); sub != nullptr && !IsHooked(sub)) HookMenu(sub, true, false);
}

bool TMenuPainter::BelongsToOwner(const QObject* object) const {
    for (const QObject* o = object; o != nullptr; o = o->parent())
        if (o == owner_) return true;
    return false;
}

void TMenuPainter::HookAll(bool enable, bool repaint) {
    if (owner_ == nullptr) return;
    // The menu bar (when it is not marked 999) and the pop-up menus: the
    // menus that are no other menu's sub-menu.
    const auto bars = owner_->findChildren<QMenuBar*>();
    for (QMenuBar* bar : bars)
        if ((paintControls_ & pcMainMenu) && TagOf(bar) != kSkipTag && enable != IsHooked(bar))
            HookMenu(bar, enable, repaint);
    const auto menus = owner_->findChildren<QMenu*>();
    for (QMenu* menu : menus) {
        bool subMenu = false;
        const auto users = menu->menuAction()->associatedObjects();
        for (QObject* u : users)
            if (qobject_cast<QMenu*>(u) != nullptr || qobject_cast<QMenuBar*>(u) != nullptr)
                subMenu = true;
        if (!subMenu && (paintControls_ & pcPopupMenu) && enable != IsHooked(menu))
            HookMenu(menu, enable, repaint);
    }
    TControlSubClass::HookControls(*this, enable, repaint);
}

bool TMenuPainter::eventFilter(QObject* watched, QEvent* event) {
    if (!active_ || !AutoDetect) return false;
    if (event->type() == QEvent::ChildPolished) {
        auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child());
        if (menu != nullptr && !IsHooked(menu) && (paintControls_ & pcPopupMenu) &&
            BelongsToOwner(menu)) {
            HookMenu(menu, true, true);
        }
    } else if (event->type() == QEvent::ActionAdded) {
        auto* menu = qobject_cast<QWidget*>(watched);
        if (menu != nullptr && IsHooked(menu))
            HookItemTree(static_cast<QActionEvent*>(event)->action(), true);
    }
    return false;
}

// --- measure ---------------------------------------------------------------------------

QSize TMenuPainter::MeasureMenuItem(const QStyleOptionMenuItem& option, const QWidget* widget,
                                    const QSize& size) const {
    const QFontMetrics fm(font_);
    const bool topLevel = qobject_cast<const QMenuBar*>(widget) != nullptr;
    const bool separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    QString text;
    if (!separator) {
        const qsizetype tab = option.text.indexOf('\t');
        text = option.text.left(tab);
        if (tab >= 0) text += option.text.mid(tab + 1) + QStringLiteral("WWW");
    }
    int w = fm.horizontalAdvance(text) + 5;
    if (text.contains('&')) w -= fm.horizontalAdvance('&');
    QSize image;
    if (!option.icon.isNull()) {
        const int s = style_->pixelMetric(QStyle::PM_SmallIconSize, &option, widget);
        image = option.icon.actualSize(QSize(s, s));
    }
    int imageWidth = image.width();
    if (!topLevel) imageWidth = std::max(imageWidth, IconWidth);
    if (imageWidth > 0) w += imageWidth;
    if (topLevel) w += 8;
    QSize result(std::max(size.width(), w), size.height());
    if (separator) {
        result.setHeight(kSeparatorHeight);
    } else {
        result.setHeight(std::max(size.height(), MenuItemHeight(fm.height(), image.height())));
    }
    return result;
}

// --- draw -------------------------------------------------------------------------------

void TMenuPainter::DrawGradient(QPainter& p, const TRect& r, bool rtl) const {
    int lastLevel = -1;
    QColor colour;
    for (int x = r.Left; x < r.Right; ++x) {
        const int column = rtl ? r.Right - 1 - x : x - r.Left;
        const int level = GradientLevel(column, IconWidth);
        if (level != lastLevel) {
            colour = Q(Light(colors_.IconBand, level));
            lastLevel = level;
        }
        FillRect(p, {x, r.Top, x + 1, r.Bottom}, colour);
    }
}

TColor TMenuPainter::BackgroundAt(int x, const TRect& r, bool rtl, bool selected,
                                  bool topLevel) const {
    if (selected) return colors_.Selection;
    if (topLevel) return colors_.MenuBar;
    if (Gradient && trueColour_)
        return Light(colors_.IconBand,
                     GradientLevel(rtl ? r.Right + 1 - x : x - r.Left, IconWidth));
    const bool inBand = rtl ? x >= r.Right - IconWidth : x < r.Left + IconWidth;
    return inBand ? colors_.IconBand : colors_.MenuBackground;
}

void TMenuPainter::DrawMenuBarTab(QPainter& p, const TRect& r) const {
    const int L = r.Left;
    const int T = r.Top;
    const int R = r.Right;
    const int B = r.Bottom;
    const QColor border = Q(colors_.SelectionBorder);
    FillRect(p, r, Q(colors_.Selection));
    const bool rtl = QGuiApplication::layoutDirection() == Qt::RightToLeft;
    if (!rtl && trueColour_) {
        const TColor mb = colors_.MenuBar;
        Polyline(p, {{L, B - 1}, {L, T}, {R - 8, T}, {R - 8, B}}, border);
        FillRect(p, {R - 7, T, R, B}, Q(Darken(mb, 10)));
        FillRect(p, {R - 7, T + 3, R - 2, B}, Q(Darken(mb, 30)));
        FillRect(p, {R - 7, T + 5, R - 3, B}, Q(Darken(mb, 60)));
        FillRect(p, {R - 7, T + 6, R - 5, B}, Q(Darken(mb, 100)));
        Polyline(p, {{R - 5, T + 1}, {R - 1, T + 1}, {R - 1, T + 6}}, Q(mb));
        Polyline(p, {{R - 3, T + 2}, {R - 2, T + 2}, {R - 2, T + 3}, {R - 3, T + 3}}, Q(mb));
        Polyline(p,
                 {{R - 6, T + 3}, {R - 3, T + 3}, {R - 3, T + 6}, {R - 4, T + 6}, {R - 4, T + 3}},
                 Q(Darken(mb, 10)));
        Polyline(p, {{R - 5, T + 5}, {R - 4, T + 5}, {R - 4, T + 9}}, Q(Darken(mb, 30)));
        DrawLine(p, {R - 6, T + 5}, {R - 6, T + 7}, Q(Darken(mb, 40)));
    } else {
        const TColor mb = ColorToRGB(menuBarColor_);
        Polyline(p, {{L, B - 1}, {L, T}, {R - 3, T}, {R - 3, B}}, border);
        FillRect(p, {R - 2, T + 2, R, B}, Q(Darken(mb, 70)));
        FillRect(p, {R - 2, T, R, T + 2}, Q(mb));
    }
}

struct TMenuPainter::MenuItemLayout {
    bool separator = false;
    bool topLevel = false;  // an item of the menu bar
    bool enabled = false;
    bool selected = false;
    bool checked = false;
    bool radio = false;
    bool rtl = false;
    bool drawnSelected = false;  // the selection is drawn
    QImage image;
    bool hasImage = false;
    int iw = 0;       // the image's width
    TRect r;          // the whole item
    TRect band;       // the icon band
    TRect imageRect;  // the image, or the check mark without one
    TRect textRect;   // caption and shortcut
};

TMenuPainter::MenuItemLayout TMenuPainter::LayOutMenuItem(const QStyleOptionMenuItem& option,
                                                          const QWidget* widget) const {
    MenuItemLayout m;
    m.separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    m.topLevel = qobject_cast<const QMenuBar*>(widget) != nullptr;
    m.enabled = (option.state & QStyle::State_Enabled) != 0;
    m.selected = (option.state & QStyle::State_Selected) != 0 &&
                 (!m.topLevel || (option.state & QStyle::State_Sunken) != 0);
    m.checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    m.radio = option.checkType == QStyleOptionMenuItem::Exclusive;
    m.rtl = option.direction == Qt::RightToLeft;
    m.drawnSelected = m.selected && DrawSelect && (m.topLevel || m.enabled);

    m.r = TRect::FromQRect(option.rect);
    m.r.Bottom += 1;
    const TRect& r = m.r;

    if (!option.icon.isNull()) {
        const int s = style_->pixelMetric(QStyle::PM_SmallIconSize, &option, widget);
        const QSize size = option.icon.actualSize(QSize(s, s));
        m.image = option.icon.pixmap(size, 1.0, QIcon::Normal, QIcon::Off).toImage();
    }
    m.hasImage = !m.image.isNull();
    m.iw = m.image.width();

    m.band = m.rtl ? TRect{r.Right - IconWidth, r.Top, r.Right, r.Bottom}
                   : TRect{r.Left, r.Top, r.Left + IconWidth, r.Bottom};
    TRect& ir = m.imageRect;
    if (!m.hasImage) {
        ir.Left = m.band.Left + (IconWidth - 10) / 2;
        ir.Top = m.band.Top + (m.band.Height() - 10) / 2;
        ir.Right = ir.Left + 10;
        ir.Bottom = ir.Top + 10;
    } else {
        ir = {m.band.Left + 1, m.band.Top + 2, m.band.Right - 3, m.band.Bottom - 2};
        if (m.iw > IconWidth) {
            if (m.rtl) ir.Left = ir.Right - m.iw;
            else ir.Right = ir.Left + m.iw;
        }
    }
    if (m.topLevel) OffsetRect(ir, 0, -1);

    TRect& tr = m.textRect;
    tr = r;
    const int indent = std::max(m.topLevel ? 4 : IconWidth, m.iw + 4);
    if (m.rtl) tr.Right = r.Right - indent;
    else tr.Left = r.Left + indent;
    if (m.topLevel) {
        if (!m.hasImage) tr = r;
        else if (m.rtl) tr.Right += 5;
        else tr.Left -= 5;
    }
    return m;
}

void TMenuPainter::DrawItemBackground(QPainter& p, const MenuItemLayout& m) const {
    const TRect& r = m.r;
    if (m.topLevel) {
        FillRect(p, r, Q(colors_.MenuBar));
    } else if (Gradient && trueColour_) {
        DrawGradient(p, {r.Left, r.Top, r.Right + 2, r.Bottom}, m.rtl);
    } else {
        FillRect(p, r, Q(colors_.MenuBackground));
        FillRect(p, m.band, Q(colors_.IconBand));
    }
    if (!m.drawnSelected) return;
    if (m.topLevel) {
        DrawMenuBarTab(p, r);
        return;
    }
    TRect s = r;
    s.Top += 1;
    s.Bottom -= 1;
    if (FlatMenu) s.Right -= 1;
    Rectangle(p, s, Q(colors_.SelectionBorder), Q(colors_.Selection));
}

void TMenuPainter::DrawItemCheck(QPainter& p, const MenuItemLayout& m) const {
    const TRect& c = m.imageRect;
    QColor pen = Q(m.radio || m.hasImage ? colors_.SelectionBorder : colors_.CheckFrame);
    if (!m.enabled) pen = Q(colors_.DisabledText);
    const QColor brush =
        m.enabled ? Q(m.selected ? colors_.CheckedAreaSelected : colors_.CheckedArea) : QColor();
    p.setPen(pen);
    p.setBrush(brush.isValid() ? QBrush(brush) : QBrush(Qt::NoBrush));
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect qr(c.Left, c.Top, c.Width() - 1, c.Height() - 1);
    if (m.radio) {
        if (!m.hasImage) p.drawEllipse(qr);
        else p.drawRoundedRect(qr, 3, 3);
        return;
    }
    Rectangle(p, c, pen, brush);
    if (m.hasImage) return;
    const QColor tick = m.enabled ? QColor(Qt::black) : Q(colors_.DisabledText);
    const int L = c.Left;
    const int T = c.Top;
    const int R = c.Right;
    const int B = c.Bottom;
    DrawLine(p, {L + 1, T + 5}, {L + 4, B - 2}, tick);
    DrawLine(p, {L + 2, T + 5}, {L + 4, B - 3}, tick);
    DrawLine(p, {L + 2, T + 4}, {L + 5, B - 3}, tick);
    DrawLine(p, {L + 4, B - 3}, {R + 2, T - 1}, tick);
    DrawLine(p, {L + 4, B - 2}, {R - 2, T + 3}, tick);
}

void TMenuPainter::DrawItemImage(QPainter& p, const MenuItemLayout& m) const {
    const TRect& ir = m.imageRect;
    int x = 0;
    if (m.topLevel) x = m.rtl ? ir.Right - m.iw - 5 : ir.Left + 1;
    else if (m.iw < IconWidth) x = m.band.Left + (IconWidth - m.iw) / 2;
    else x = m.rtl ? ir.Right - m.iw - 2 : ir.Left + 2;
    int y = ir.Top + 3;
    QImage shown = m.image;
    if (m.enabled && m.selected && !m.checked) {
        DrawImageShadow(p, m.image, x + 1, y + 1, Q(Darken(colors_.Selection, 50)));
        x -= 1;
        y -= 1;
    } else if (m.enabled && !m.selected && !m.checked && trueColour_) {
        shown = DimImage(m.image, DimLevel);
    } else if (!m.enabled) {
        shown = DimImage(GrayImage(m.image, GrayLevel), 40);
    }
    p.drawImage(QPoint(x, y), shown);
}

void TMenuPainter::DrawItemText(QPainter& p, const MenuItemLayout& m, const QString& text,
                                bool defaultItem) const {
    const qsizetype tab = text.indexOf('\t');
    const QString caption = text.left(tab);
    const QString shortcut = tab >= 0 ? text.mid(tab + 1) : QString();
    const int th = QFontMetrics(font_).height();
    TRect textRect = m.textRect;
    OffsetRect(textRect, m.rtl ? -3 : 3, 0);
    textRect.Top += (textRect.Height() - th) / 2;
    textRect.Bottom = textRect.Top + th;

    TColor colour = ColorToRGB(fontColor_);
    if (m.selected) colour = colors_.SelectionText;
    if (!m.enabled) colour = colors_.DisabledText;
    if (m.selected && m.topLevel && useSystemColors_) {
        const TColor ib = colors_.IconBand;
        const bool dark = (GetRValue(ib) + GetBValue(ib)) / 2 < 151 && GetGValue(ib) < 201;
        colour = dark ? Light(colour, 90) : ColorToRGB(fontColor_);
    }
    const unsigned flags = m.rtl ? DT_RIGHT : DT_LEFT;
    if (defaultItem && m.enabled) {
        // The default item: its caption over a shadow of darker passes.
        const TColor bg = BackgroundAt(textRect.Left, m.r, m.rtl, m.drawnSelected, m.topLevel);
        const struct { int dx, dy, v; } passes[] = {{1, 0, 30}, {1, 2, 30}, {0, 1, 40}, {1, 1, 60}};
        for (const auto& s : passes) {
            TRect t = textRect;
            OffsetRect(t, s.dx, s.dy);
            p.setPen(Q(Darken(bg, s.v)));
            DrawText(p, caption, t, flags);
        }
    }
    p.setPen(Q(colour));
    TRect t = textRect;
    DrawText(p, caption, t, flags);
    if (shortcut.isEmpty()) return;
    p.setPen(Q(trueColour_ ? Darken(colour, -40) : colour));
    TRect s = textRect;
    if (m.rtl) s.Left += 10;
    else s.Right -= 10;
    DrawText(p, shortcut + ' ', s, m.rtl ? DT_LEFT : DT_RIGHT);
}

void TMenuPainter::DrawItemSeparator(QPainter& p, const MenuItemLayout& m) const {
    const TRect& t = m.textRect;
    const int y = t.Top + t.Height() / 2;
    if (m.rtl) DrawLine(p, {t.Left, y}, {t.Right - 7, y}, Q(colors_.Separator));
    else DrawLine(p, {t.Left + 7, y}, {t.Right, y}, Q(colors_.Separator));
}

void TMenuPainter::DrawMenuItem(QPainter& p, const QStyleOptionMenuItem& option,
                                const QWidget* widget) {
    PreparePalette(p);
    p.save();
    p.setFont(font_);
    const MenuItemLayout item = LayOutMenuItem(option, widget);
    DrawItemBackground(p, item);
    if (item.checked) DrawItemCheck(p, item);
    if (item.hasImage) DrawItemImage(p, item);
    if (item.separator) DrawItemSeparator(p, item);
    else
        DrawItemText(p, item, option.text,
                     option.menuItemType == QStyleOptionMenuItem::DefaultItem);
    p.restore();
}

void TMenuPainter::DrawMenuBarArea(QPainter& canvas, const QStyleOptionMenuItem& option,
                                   const QWidget*) {
    PreparePalette(canvas);
    // Without DrawMenuBar the rest of the bar is the system's own menu colour.
    FillRect(canvas, TRect::FromQRect(option.rect),
             DrawMenuBar ? Q(colors_.MenuBar) : ToQColor(clMenu));
}

bool TMenuPainter::DrawMenuFrame(QPainter& p, const QStyleOption& option, const QWidget* widget) {
    if (qobject_cast<const QMenu*>(widget) == nullptr) return false;
    if (!FlatMenu) {
        // The system's border of a pop-up window.
        TRect r = TRect::FromQRect(option.rect);
        Frame3D(p, r, ToQColor(cl3DLight), ToQColor(cl3DDkShadow));
        Frame3D(p, r, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
        return true;
    }
    PreparePalette(p);
    // The menu's own frame stands for the window border; the 2-pixel shadow
    // lies in the right and bottom margins the hooked menu keeps for it.
    const TRect all = TRect::FromQRect(option.rect);
    TRect frame{all.Left, all.Top, all.Right - 2, all.Bottom - 2};
    FrameRect(p, frame, Q(colors_.Border));
    TRect ring = frame;
    InflateRect(ring, -1, -1);
    const bool rtl = option.direction == Qt::RightToLeft;
    if (Gradient && trueColour_) {
        TRect g = ring;
        DrawGradient(p, g, rtl);
    } else {
        FrameRect(p, ring, Q(colors_.MenuBackground));
        const TRect band = rtl ? TRect{ring.Right - IconWidth, ring.Top, ring.Right, ring.Bottom}
                               : TRect{ring.Left, ring.Top, ring.Left + IconWidth, ring.Bottom};
        FrameRect(p, band, Q(colors_.IconBand));
    }
    const QColor shadow = Q(colors_.Shadow);
    const QColor face = ToQColor(clBtnFace);
    FillRect(p, {frame.Right, all.Top + 2, all.Right, all.Bottom}, shadow);
    FillRect(p, {all.Left + 2, frame.Bottom, all.Right, all.Bottom}, shadow);
    FillRect(p, {frame.Right, all.Top, all.Right, all.Top + 2}, face);
    FillRect(p, {all.Left, frame.Bottom, all.Left + 2, all.Bottom}, face);
    return true;
}

}  // namespace parlenko::widgets
