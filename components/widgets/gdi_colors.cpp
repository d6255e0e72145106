#include "components/widgets/gdi_colors.h"

#include <QApplication>
#include <QPalette>

namespace parlenko::widgets {

namespace {

// System colours without a palette role of that meaning keep fixed values:
// the classic grey desktop's.
struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;  // NColorRoles: the fixed value below
    TColor fixed;
};

constexpr QPalette::ColorRole kNoRole = QPalette::NColorRoles;

constexpr SystemColor kSystemColors[] = {
    {QPalette::Active, kNoRole, RGBColor(212, 208, 200)},  // clScrollBar
    {QPalette::Active, kNoRole, RGBColor(58, 110, 165)},   // clBackground
    {QPalette::Active, kNoRole, RGBColor(10, 36, 106)},    // clActiveCaption
    {QPalette::Active, kNoRole, RGBColor(128, 128, 128)},  // clInactiveCaption
    {QPalette::Active, QPalette::Window, 0},               // clMenu
    {QPalette::Active, QPalette::Base, 0},                 // clWindow
    {QPalette::Active, kNoRole, RGBColor(0, 0, 0)},        // clWindowFrame
    {QPalette::Active, QPalette::WindowText, 0},           // clMenuText
    {QPalette::Active, QPalette::Text, 0},                 // clWindowText
    {QPalette::Active, kNoRole, RGBColor(255, 255, 255)},  // clCaptionText
    {QPalette::Active, kNoRole, RGBColor(212, 208, 200)},  // clActiveBorder
    {QPalette::Active, kNoRole, RGBColor(212, 208, 200)},  // clInactiveBorder
    {QPalette::Active, kNoRole, RGBColor(128, 128, 128)},  // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight, 0},            // clHighlight
    {QPalette::Active, QPalette::HighlightedText, 0},      // clHighlightText
    {QPalette::Active, QPalette::Button, 0},               // clBtnFace
    {QPalette::Active, QPalette::Dark, 0},                 // clBtnShadow
    {QPalette::Disabled, QPalette::Text, 0},               // clGrayText
    {QPalette::Active, QPalette::ButtonText, 0},           // clBtnText
    {QPalette::Active, kNoRole, RGBColor(212, 208, 200)},  // clInactiveCaptionText
    {QPalette::Active, QPalette::Light, 0},                // clBtnHighlight
    {QPalette::Active, QPalette::Shadow, 0},               // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight, 0},             // cl3DLight
    {QPalette::Active, QPalette::ToolTipText, 0},          // clInfoText
    {QPalette::Active, QPalette::ToolTipBase, 0},          // clInfoBk
};

}  // namespace

TColor ColorToRGB(TColor c) { return ColorToRGB(c, QApplication::palette()); }

TColor ColorToRGB(TColor c, const QPalette& palette) {
    if (!IsSystemColor(c)) return c;
    const auto index = static_cast<std::size_t>(c & 0xFF);
    if (index >= std::size(kSystemColors)) return clBlack;
    const SystemColor& s = kSystemColors[index];
    if (s.role == kNoRole) return s.fixed;
    return FromQColor(palette.color(s.group, s.role));
}

QColor ToQColor(TColor c) { return ToQColor(c, QApplication::palette()); }

QColor ToQColor(TColor c, const QPalette& palette) {
    if (c == clNone) return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(c, palette);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

}  // namespace parlenko::widgets
