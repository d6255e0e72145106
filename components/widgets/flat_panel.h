#pragma once
// A container panel with a one-pixel flat frame in two colours (top and left
// in ColorHighLight, bottom and right in ColorShadow) and a one-line caption.
// Transparent shows the parent's background in place of the panel's colour.
// Colour and font come from the parent (Qt's inheritance) until Color or a
// font of its own is set.

#include "components/widgets/gdi_colors.h"

#include <QString>
#include <QWidget>

class QPainter;

namespace parlenko::widgets {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Paints the parent's background and its own painting (none of its other
// children) under `control` into the painter, parent coordinates shifted so
// that the control's top-left corner is (0, 0). Nothing without a parent.
void DrawParentImage(QWidget* control, QPainter& painter);

class TFlatPanel : public QWidget {
public:
    explicit TFlatPanel(QWidget* parent = nullptr);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TColor ColorHighLight() const { return colorHighLight_; }
    void SetColorHighLight(TColor color);
    TColor ColorShadow() const { return colorShadow_; }
    void SetColorShadow(TColor color);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    // The fill colour: the parent's while ParentColor holds.
    TColor Color() const;
    void SetColor(TColor color);  // ParentColor becomes false
    bool ParentColor() const;
    void SetParentColor(bool parentColor);

    static constexpr TColor kDefaultFrameColor = 0x008396A0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool transparent_ = false;
    TColor colorHighLight_ = kDefaultFrameColor;
    TColor colorShadow_ = kDefaultFrameColor;
    QString caption_;
    TAlignment alignment_ = TAlignment::taCenter;
};

}  // namespace parlenko::widgets
