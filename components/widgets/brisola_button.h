#pragma once
// A button drawn entirely from pictures: UpImage normally, DownImage while the
// left button is held on it, MouseOverImage while the mouse is over it and
// DisabledImage when its own Enabled is false (disabled outranks pressed,
// pressed outranks mouse over). Pictures it lacks are copies of UpImage.
// Transparent lets the parent show through the pixels of TransparentColor.
//
// Enabled is the button's own flag, apart from QWidget::isEnabled: it changes
// only the picture and whether the own mouse-down and mouse-up events run;
// OnClick and OnDblClick fire either way.

#include "components/widgets/gdi_colors.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace parlenko::widgets {

class TBrisolaButton : public QWidget {
public:
    explicit TBrisolaButton(QWidget* parent = nullptr);

    // The pictures are copies of the images given.
    const QImage& UpImage() const { return upImage_; }
    void SetUpImage(const QImage& image);  // fills the missing pictures
    const QImage& DownImage() const { return downImage_; }
    void SetDownImage(const QImage& image);
    // These two take effect at the next paint.
    const QImage& MouseOverImage() const { return mouseOverImage_; }
    void SetMouseOverImage(const QImage& image);
    const QImage& DisabledImage() const { return disabledImage_; }
    void SetDisabledImage(const QImage& image);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color);

    bool MouseInside() const { return mouseInside_; }
    bool Pressed() const { return pressed_ == 2; }

    int Tag = 0;

    // After the repaint on enter and leave.
    std::function<void(TBrisolaButton*)> OnMouseEnter;
    std::function<void(TBrisolaButton*)> OnMouseLeave;
    std::function<void(TBrisolaButton*)> OnClick;
    std::function<void(TBrisolaButton*)> OnDblClick;
    // Only for the left button while Enabled.
    std::function<void(TBrisolaButton*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)>
        OnMouseDown;
    std::function<void(TBrisolaButton*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)>
        OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FillMissing();
    // Repaint at once, or later when the parent shows through.
    void RepaintOrUpdate();
    void OwnMouseDown(QMouseEvent* event);

    QImage upImage_;
    QImage downImage_;
    QImage mouseOverImage_;
    QImage disabledImage_;
    bool mouseInside_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    TColor transparentColor_ = clWhite;
    bool enabled_ = true;
    int pressed_ = 0;
    bool clicked_ = false;  // a left press began on the button
};

// The picture with every pixel of the key colour made transparent (white for
// a monochrome picture).
QImage KeyedImage(const QImage& image, TColor key);

}  // namespace parlenko::widgets
