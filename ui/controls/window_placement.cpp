#include "ui/controls/window_placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

namespace parlenko::ui {
namespace {

QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

bool Framed(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    return (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool) &&
           !window.windowFlags().testAnyFlags(Qt::FramelessWindowHint |
                                              Qt::BypassWindowManagerHint);
}

// Moves window so that its inside is centred on area. The window manager's
// frame is known once the window was shown; before, a framed window takes
// the frame of like (the main window: the same window manager puts the same
// title bar on it), so that the first showing lands where the later ones do.
// Only the frame's left and top count: its right and bottom differ from
// window to window (a resizable window's grip), its title bar does not.
void CentreInside(QWidget& window, const QRect& area, const QWidget* like) {
    QMargins frame = FrameMargins(window);
    if (frame.isNull() && Framed(window) && like != nullptr) frame = FrameMargins(*like);
    window.move(area.left() + area.width() / 2 - window.width() / 2 - frame.left(),
                area.top() + area.height() / 2 - window.height() / 2 - frame.top());
}

}  // namespace

void CenterOnWindow(QWidget* window, const QWidget* main) {
    if (window == nullptr || main == nullptr) return;
    CentreInside(*window, main->geometry(), main);
}

void CenterOnScreen(QWidget* window) {
    if (window == nullptr) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    CentreInside(*window, screen->availableGeometry(), nullptr);
}

}  // namespace parlenko::ui
