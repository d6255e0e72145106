#include "components/widgets/brisola_button.h"

#include "components/widgets/gdi_draw.h"

#include <QMouseEvent>
#include <QPainter>

namespace parlenko::widgets {

QImage KeyedImage(const QImage& image, TColor key) {
    const bool mono = image.depth() == 1;
    const QRgb k = mono ? qRgb(255, 255, 255) : [key] {
        const TColor rgb = ColorToRGB(key);
        return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    }();
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (key == clNone && !mono) return out;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == (k & 0x00FFFFFF)) line[x] = 0;
    }
    return out;
}

TBrisolaButton::TBrisolaButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(50, 50);
}

void TBrisolaButton::FillMissing() {
    if (upImage_.width() < 1) return;
    for (QImage* image : {&downImage_, &mouseOverImage_, &disabledImage_})
        if (image->width() < 1) *image = upImage_;
}

void TBrisolaButton::SetUpImage(const QImage& image) {
    upImage_ = image.copy();
    FillMissing();
    update();
}

void TBrisolaButton::SetDownImage(const QImage& image) {
    downImage_ = image.copy();
    update();
}

void TBrisolaButton::SetMouseOverImage(const QImage& image) { mouseOverImage_ = image.copy(); }
void TBrisolaButton::SetDisabledImage(const QImage& image) { disabledImage_ = image.copy(); }

void TBrisolaButton::RepaintOrUpdate() {
    if (transparent_) update();
    else repaint();
}

void TBrisolaButton::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    RepaintOrUpdate();
}

void TBrisolaButton::SetStretch(bool stretch) {
    if (stretch_ == stretch) return;
    stretch_ = stretch;
    update();
}

void TBrisolaButton::SetTransparent(bool transparent) {
    if (transparent_ == transparent) return;
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TBrisolaButton::SetTransparentColor(TColor color) {
    if (transparentColor_ == color) return;
    transparentColor_ = color;
    update();
}

void TBrisolaButton::paintEvent(QPaintEvent*) {
    if (downImage_.width() < 1 || mouseOverImage_.width() < 1) FillMissing();
    const QRect client = rect();
    QImage bitmap(size(), QImage::Format_RGB32);
    const QWidget* p = parentWidget() != nullptr ? parentWidget() : this;
    bitmap.fill(transparent_ ? ToQColor(transparentColor_) : p->palette().color(QPalette::Window));
    {
        QPainter canvas(&bitmap);
        if (upImage_.width() < 2) {
            FillRect(canvas, TRect::FromQRect(client), ToQColor(clBtnFace, palette()));
        } else {
            const QImage* picture = &upImage_;
            if (!enabled_) picture = &disabledImage_;
            else if (pressed_ == 2) picture = &downImage_;
            else if (mouseInside_) picture = &mouseOverImage_;
            // The disabled picture is never stretched; the others are scaled
            // whole, nearest pixel, also when transparent.
            QImage shown = *picture;
            if (stretch_ && enabled_)
                shown = shown.scaled(client.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            if (transparent_) canvas.drawImage(0, 0, KeyedImage(shown, transparentColor_));
            else canvas.drawImage(0, 0, shown);
        }
    }
    QPainter out(this);
    if (transparent_) out.drawImage(0, 0, KeyedImage(bitmap, transparentColor_));
    else out.drawImage(0, 0, bitmap);
}

void TBrisolaButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    mouseInside_ = true;
    RepaintOrUpdate();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TBrisolaButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    mouseInside_ = false;
    RepaintOrUpdate();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TBrisolaButton::OwnMouseDown(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_) return;
    pressed_ = 2;
    repaint();
    if (OnMouseDown) {
        const QPoint pos = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
}

void TBrisolaButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clicked_ = true;
    OwnMouseDown(event);
}

void TBrisolaButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: no click follows its release.
    clicked_ = false;
    if (event->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
    OwnMouseDown(event);
}

void TBrisolaButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const bool click = clicked_ && rect().contains(pos);
    clicked_ = false;
    if (enabled_) {
        pressed_ = 0;
        repaint();
        if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
    if (click && OnClick) OnClick(this);
}

}  // namespace parlenko::widgets
