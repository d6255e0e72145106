#include "ui/controls/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace parlenko::ui {

void CenterOnWindow(QWidget* window, const QWidget* main) {
    if (window == nullptr || main == nullptr) return;
    const QRect m = main->frameGeometry();
    const QSize own = window->frameGeometry().size();
    window->move(m.left() + m.width() / 2 - own.width() / 2,
                 m.top() + m.height() / 2 - own.height() / 2);
}

void CenterOnScreen(QWidget* window) {
    if (window == nullptr) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect s = screen->availableGeometry();
    const QSize own = window->frameGeometry().size();
    window->move(s.left() + (s.width() - own.width()) / 2,
                 s.top() + (s.height() - own.height()) / 2);
}

}  // namespace parlenko::ui
