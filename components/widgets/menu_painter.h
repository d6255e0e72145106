#pragma once
// The menu painter: flat menus with a coloured icon band. Placed on a window,
// it takes over the measuring and drawing of the items of the window's menu
// bar and pop-up menus (through a proxy style set on each hooked menu) and can
// hook other controls of the window with a TControlSubClass
// (control_sub_class.h), which paints a flat face over them.
//
// Qt gives a style no QAction; TPaintedMenu and TPaintedMenuBar remember the
// action whose style option is being built, so each item can carry its own
// draw and measure handlers and its "Tag" (999: left to the base style). A
// plain QMenu is painted too, every item alike.

#include "components/widgets/gdi_colors.h"
#include "components/widgets/gdi_draw.h"

#include <QFlags>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QMargins>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QProxyStyle>

#include <functional>

class QStyleOptionMenuItem;

namespace parlenko::widgets {

// --- colour arithmetic ---------------------------------------------------------

// Each channel c + (255 - c) * min(percent, 100) / 100, rounded half to even.
TColor Lighten(TColor c, int percent);
// Red and blue - value, green - value + 2, each held in 0..255; a negative
// value lightens.
TColor Darken(TColor c, int value);
// The channels' mean (r + g + b) div 3 plus value, at most 240, in all three.
TColor Gray(TColor c, int value);
// Every pixel Lighten(pixel, min(value, 100)) or Gray(pixel, value); alpha kept.
QImage DimImage(const QImage& image, int value);
QImage GrayImage(const QImage& image, int value);
// Sets the painter's pixel at (x + px, y + py) to shadow for every pixel of
// image that differs (ARGB) from its bottom-left pixel.
void DrawImageShadow(QPainter& p, const QImage& image, int x, int y, const QColor& shadow);

// Measure rules: the height of an item (text height plus three quarters of it,
// halves to even, at least the image height + 6), and the level of a column of
// the band gradient counted from the band's edge.
int MenuItemHeight(int textHeight, int imageHeight);
constexpr int kSeparatorHeight = 4;
// The room a sub-menu item keeps at its end for the menu's own arrow (the
// system's menu check width), beside what the item's measure asks.
constexpr int kSubMenuArrowWidth = 13;
int GradientLevel(int column, int iconWidth);

// --- the painter -----------------------------------------------------------------

enum TPaintContainer : unsigned {
    pccForm = 1u << 0,
    pccFrame = 1u << 1,
    pccToolbar = 1u << 2,
    pccCoolbar = 1u << 3,
    pccControlbar = 1u << 4,
    pccPanel = 1u << 5,
    pccScrollBox = 1u << 6,
    pccGroupBox = 1u << 7,
    pccTabSheet = 1u << 8,
    pccPageScroller = 1u << 9,
};
Q_DECLARE_FLAGS(TPaintContainers, TPaintContainer)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPaintContainers)

enum TPaintControl : unsigned {
    pcMainMenu = 1u << 0,
    pcPopupMenu = 1u << 1,
    pcToolbar = 1u << 2,
    pcControlbar = 1u << 3,
    pcCombo = 1u << 4,
    pcEdit = 1u << 5,
    pcMaskEdit = 1u << 6,
    pcMemo = 1u << 7,
    pcRichEdit = 1u << 8,
    pcCheckBox = 1u << 9,
    pcRadioButton = 1u << 10,
    pcButton = 1u << 11,
    pcBitBtn = 1u << 12,
    pcSpeedButton = 1u << 13,
    pcPanel = 1u << 14,
    pcGroupBox = 1u << 15,
};
Q_DECLARE_FLAGS(TPaintControls, TPaintControl)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPaintControls)

constexpr TPaintContainers kAllPaintContainers = TPaintContainers::fromInt(0x3FF);
constexpr TPaintControls kAllPaintControls = TPaintControls::fromInt(0xFFFF);

// The colours of one draw, worked out from the properties (all plain RGB).
struct TMenuColors {
    TColor MenuBackground = 0;
    TColor IconBand = 0;
    TColor Selection = 0;
    TColor SelectionBorder = 0;
    TColor SelectionText = 0;
    TColor CheckedArea = 0;
    TColor CheckedAreaSelected = 0;
    TColor CheckFrame = 0;
    TColor MenuBar = 0;
    TColor DisabledText = 0;
    TColor Separator = 0;
    TColor Border = 0;
    TColor Shadow = 0;
    friend bool operator==(const TMenuColors&, const TMenuColors&) = default;
};

// The draw and measure handlers of one menu item (a child of its QAction).
using TMenuDrawHandler =
    std::function<void(QAction* item, QPainter& canvas, const QRect& rect, bool selected)>;
using TMenuMeasureHandler = std::function<void(QAction* item, int& width, int& height)>;

class TMenuItemEvents : public QObject {
    Q_OBJECT
public:
    // The handlers of an item; made when create is set and there are none.
    static TMenuItemEvents* Of(const QAction* item, bool create = false);
    TMenuDrawHandler OnDrawItem;
    TMenuMeasureHandler OnMeasureItem;
    // The painter whose own handler each one is (null: the item's own or none).
    QPointer<QObject> DrawnBy;
    QPointer<QObject> MeasuredBy;

private:
    explicit TMenuItemEvents(QAction* item);
};

class TMenuPainter;

// The style of the hooked menus: their items go to the item handlers, the
// rest to the style they had.
class TMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TMenuStyle(TMenuPainter& painter);
    // A sub-menu item's arrow is the menu's own, not the item handler's: it
    // is drawn after the item, in the room kept for it at the item's end.
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;

private:
    void DrawSubMenuArrow(const QStyleOptionMenuItem& item, QPainter* painter,
                          const QWidget* widget) const;
    TMenuPainter& painter_;
};

// A menu that tells its style which action it is measuring or drawing.
class TPaintedMenu : public QMenu {
    Q_OBJECT
public:
    explicit TPaintedMenu(QWidget* parent = nullptr);
    TPaintedMenu(const QString& title, QWidget* parent = nullptr);
    QAction* CurrentAction() const { return current_; }

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    mutable QAction* current_ = nullptr;
};

class TPaintedMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit TPaintedMenuBar(QWidget* parent = nullptr);
    QAction* CurrentAction() const { return current_; }

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    mutable QAction* current_ = nullptr;
};

class TMenuPainter : public QObject {
    Q_OBJECT
public:
    // owner: the window whose menus (and controls) are painted.
    explicit TMenuPainter(QWidget* owner);
    ~TMenuPainter() override;

    // The window is built: when Active, everything of it is hooked.
    void Loaded();

    QWidget* Owner() const { return owner_; }

    int DimLevel = 30;
    int GrayLevel = 10;
    TColor Color = clBtnFace;
    bool DrawMenuBar = false;
    TColor IconBackColor = clBtnFace;
    TColor SelectColor = clHighlight;
    TColor SelectBorderColor = clHighlight;
    TColor SelectFontColor = clMenuText;
    TColor DisabledColor = clInactiveCaption;
    TColor SeparatorColor = clBtnFace;
    TColor CheckedColor = clHighlight;
    int IconWidth = 24;
    bool DrawSelect = true;
    bool UseDimColor = false;
    bool OverrideOwnerDraw = false;  // takes effect at the next hooking
    bool Gradient = false;
    bool FlatMenu = false;
    bool AutoDetect = false;

    // Font and its colour; setting either redraws the menu bar.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor color);
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool value);
    TPaintContainers PaintContainers() const { return paintContainers_; }
    void SetPaintContainers(TPaintContainers value);
    TPaintControls PaintControls() const { return paintControls_; }
    void SetPaintControls(TPaintControls value);
    bool Active() const { return active_; }
    void SetActive(bool value);

    // The palette step: the working colours for a true-colour device or not.
    TMenuColors PaletteStep(bool trueColour) const;
    // The colours of the last draw (of a menu item or a hooked control).
    const TMenuColors& Colors() const { return colors_; }
    bool TrueColour() const { return trueColour_; }
    // Runs the palette step for the painter's device.
    void PreparePalette(QPainter& canvas);
    // Lighten, then the colour nearest to it that the device shows.
    TColor Light(TColor c, int percent) const;

    // Low-colour devices show only some colours: the colour a device of fewer
    // than 16 bits per pixel shows for c (none: c itself).
    std::function<TColor(TColor)> NearestColor;

    // Hooking by hand (the passes do this for the owner's menus).
    void HookMenu(QWidget* menu, bool enable, bool repaint = true);
    void HookItem(QAction* item, bool enable);
    bool IsHooked(const QWidget* menu) const;

    // The painter's own measure and draw of one item; the style calls them
    // through the item's handlers (or directly for a plain QMenu).
    QSize MeasureMenuItem(const QStyleOptionMenuItem& option, const QWidget* widget,
                          const QSize& size) const;
    void DrawMenuItem(QPainter& canvas, const QStyleOptionMenuItem& option, const QWidget* widget);
    // The empty part of the menu bar: the menu-bar colour with DrawMenuBar,
    // else the system's menu colour.
    void DrawMenuBarArea(QPainter& canvas, const QStyleOptionMenuItem& option,
                         const QWidget* widget);
    // The frame of a pop-up window: flat with FlatMenu, else the system's
    // raised border.
    bool DrawMenuFrame(QPainter& canvas, const QStyleOption& option, const QWidget* widget);

    // Set by the style around a handler call: what the painter's own
    // handlers work on.
    struct TCurrentItem {
        const QStyleOptionMenuItem* option = nullptr;
        const QWidget* widget = nullptr;
    };
    TCurrentItem CurrentItem;

    TMenuStyle* Style() const { return style_; }

    // The control hooks and band faces this painter made (control_sub_class.h).
    QList<QPointer<QObject>> ControlHooks;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HookAll(bool enable, bool repaint);
    void HookItemTree(QAction* item, bool enable);
    void RedrawMenuBar();
    bool BelongsToOwner(const QObject* object) const;
    void DrawMenuBarTab(QPainter& p, const TRect& r) const;
    void DrawGradient(QPainter& p, const TRect& r, bool rtl) const;
    TColor BackgroundAt(int x, const TRect& r, bool rtl, bool selected, bool topLevel) const;
    // One item's draw, part by part (MenuItemLayout: what the item is and
    // where its parts go).
    struct MenuItemLayout;
    MenuItemLayout LayOutMenuItem(const QStyleOptionMenuItem& option, const QWidget* widget) const;
    void DrawItemBackground(QPainter& p, const MenuItemLayout& item) const;
    void DrawItemCheck(QPainter& p, const MenuItemLayout& item) const;
    void DrawItemImage(QPainter& p, const MenuItemLayout& item) const;
    void DrawItemText(QPainter& p, const MenuItemLayout& item, const QString& text,
                      bool defaultItem) const;
    void DrawItemSeparator(QPainter& p, const MenuItemLayout& item) const;
    // The item's own draw and measure handlers, or none.
    void ReleaseItem(TMenuItemEvents& events) const;
    void TakeItem(TMenuItemEvents& events);

    QWidget* owner_;
    TMenuStyle* style_;
    QFont font_;
    TColor fontColor_ = clMenuText;
    TColor menuBarColor_ = clBtnFace;
    bool useSystemColors_ = true;
    TPaintContainers paintContainers_ = kAllPaintContainers;
    TPaintControls paintControls_ = kAllPaintControls;
    bool active_ = false;
    bool trueColour_ = true;
    TMenuColors colors_;
    // Hooked menus with the style and margins each had before.
    struct Hooked {
        QPointer<QStyle> style;
        QMargins margins;
    };
    QHash<QWidget*, Hooked> hooked_;
};

}  // namespace parlenko::widgets
