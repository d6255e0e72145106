#include "ui/controls/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace parlenko::ui {
namespace {

// Puts window's inside centred on area. The inside is placed, not the
// window manager's frame: the frame is not known before a window's first
// showing (and a position that includes it is read either way then), so
// the first showing would land elsewhere than the later ones.
void CentreInside(QWidget& window, const QRect& area) {
    const QSize own = window.size();
    window.setGeometry(QRect(QPoint(area.left() + area.width() / 2 - own.width() / 2,
                                    area.top() + area.height() / 2 - own.height() / 2),
                             own));
}

}  // namespace

void CenterOnWindow(QWidget* window, const QWidget* main) {
    if (window == nullptr || main == nullptr) return;
    CentreInside(*window, main->geometry());
}

void CenterOnScreen(QWidget* window) {
    if (window == nullptr) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    CentreInside(*window, screen->availableGeometry());
}

}  // namespace parlenko::ui
