#include "ui/controls/own_frame.h"

#include "components/widgets/gdi_colors.h"
#include "components/widgets/gdi_draw.h"

#include <QEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace parlenko::ui {
namespace {

// The classic caption's gradients: active, and inactive.
constexpr QRgb kActiveFrom = qRgb(10, 36, 106);
constexpr QRgb kActiveTo = qRgb(166, 202, 240);
constexpr QRgb kInactiveFrom = qRgb(128, 128, 128);
constexpr QRgb kInactiveTo = qRgb(192, 192, 192);
constexpr QRgb kInactiveText = qRgb(212, 208, 200);
constexpr int kTextIndent = 3;

}  // namespace

TOwnFrame::TOwnFrame(QWidget& window) : QWidget(&window), window_(window) {
    setObjectName("OwnFrame");
}

TOwnFrame* TOwnFrame::Install(QWidget& window, QSize clientSize) {
    const QPoint offset(kBorder, kBorder + kCaptionHeight + 1);
    for (QObject* child : window.children())
        if (auto* w = qobject_cast<QWidget*>(child); w != nullptr && !w->isWindow())
            w->move(w->pos() + offset);
    window.setWindowFlags((window.windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog |
                          Qt::FramelessWindowHint);
    window.setFixedSize(clientSize.width() + 2 * kBorder,
                        clientSize.height() + offset.y() + kBorder);
    auto* frame = new TOwnFrame(window);
    frame->setGeometry(0, 0, window.width(), window.height());
    frame->lower();
    window.installEventFilter(frame);
    return frame;
}

QRect TOwnFrame::CaptionRect() const {
    return {kBorder, kBorder, width() - 2 * kBorder, kCaptionHeight};
}

void TOwnFrame::paintEvent(QPaintEvent*) {
    using namespace widgets;
    QPainter p(this);
    TRect r{0, 0, width(), height()};
    Frame3D(p, r, ToQColor(cl3DLight), ToQColor(cl3DDkShadow));
    Frame3D(p, r, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
    FrameRect(p, r, ToQColor(clBtnFace));

    const QRect bar = CaptionRect();
    const bool active = window_.isActiveWindow();
    QLinearGradient shade(bar.topLeft(), bar.topRight());
    shade.setColorAt(0, QColor(active ? kActiveFrom : kInactiveFrom));
    shade.setColorAt(1, QColor(active ? kActiveTo : kInactiveTo));
    p.fillRect(bar, shade);
    p.fillRect(QRect(bar.left(), bar.bottom() + 1, bar.width(), 1), ToQColor(clBtnFace));

    // The caption in bold; a long one in the plain font, so that it is whole.
    const QString title = window_.windowTitle();
    const QRect text = bar.adjusted(kTextIndent, 0, -kTextIndent, 0);
    QFont font = window_.font();
    font.setBold(true);
    if (QFontMetrics(font).horizontalAdvance(title) > text.width()) font.setBold(false);
    p.setFont(font);
    p.setPen(active ? QColor(Qt::white) : QColor(kInactiveText));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               p.fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
}

void TOwnFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && CaptionRect().contains(event->position().toPoint()) &&
        window_.windowHandle() != nullptr) {
        window_.windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(event);
}

bool TOwnFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        switch (event->type()) {
            case QEvent::WindowTitleChange:
            case QEvent::ActivationChange: update(); break;
            case QEvent::Resize: setGeometry(0, 0, window_.width(), window_.height()); break;
            default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace parlenko::ui
