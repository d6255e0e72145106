#include "components/widgets/flat_panel.h"

#include "components/widgets/gdi_draw.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QRegion>

namespace parlenko::widgets {

void DrawParentImage(QWidget* control, QPainter& painter) {
    QWidget* parent = control->parentWidget();
    if (parent == nullptr) return;
    // The region's top-left corner lands on the target offset (0, 0).
    parent->render(&painter, QPoint(), QRegion(control->geometry()), QWidget::DrawWindowBackground);
}

TFlatPanel::TFlatPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, 185, 41);
}

void TFlatPanel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void TFlatPanel::SetColorHighLight(TColor color) {
    colorHighLight_ = color;
    update();
}

void TFlatPanel::SetColorShadow(TColor color) {
    colorShadow_ = color;
    update();
}

void TFlatPanel::SetCaption(const QString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    update();
}

void TFlatPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    update();
}

TColor TFlatPanel::Color() const { return FromQColor(palette().color(QPalette::Window)); }

void TFlatPanel::SetColor(TColor color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(color));
    setPalette(p);
    update();
}

bool TFlatPanel::ParentColor() const { return !testAttribute(Qt::WA_SetPalette); }

void TFlatPanel::SetParentColor(bool parentColor) {
    if (parentColor == ParentColor()) return;
    if (parentColor) setPalette(QPalette());
    else SetColor(Color());
    update();
}

void TFlatPanel::paintEvent(QPaintEvent*) {
    unsigned flags = DT_SINGLELINE | DT_VCENTER;
    switch (alignment_) {
        case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
        case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
        case TAlignment::taCenter: flags |= DT_CENTER; break;
    }
    const qreal dpr = devicePixelRatioF();
    QImage bitmap(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    bitmap.setDevicePixelRatio(dpr);
    bitmap.fill(Qt::transparent);
    {
        QPainter p(&bitmap);
        TRect r = TRect::FromQRect(rect());
        if (!transparent_) FillRect(p, r, palette().color(QPalette::Window));
        else DrawParentImage(this, p);
        const QPalette& pal = palette();
        Frame3D(p, r, ToQColor(colorHighLight_, pal), ToQColor(colorShadow_, pal));
        p.setFont(font());
        if (isEnabled()) {
            p.setPen(pal.color(QPalette::Active, QPalette::WindowText));
            DrawText(p, caption_, r, flags);
        } else {
            TRect moved = r;
            OffsetRect(moved, 1, 1);
            p.setPen(ToQColor(clBtnHighlight, pal));
            DrawText(p, caption_, moved, flags);
            p.setPen(ToQColor(clBtnShadow, pal));
            DrawText(p, caption_, r, flags);
        }
    }
    QPainter(this).drawImage(0, 0, bitmap);
}

void TFlatPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
}

}  // namespace parlenko::widgets
