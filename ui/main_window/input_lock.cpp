#include "ui/main_window/input_lock.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

namespace parlenko::ui {
namespace {

// What a user does with the mouse, the keyboard, a pen or a finger.
bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: return true;
        default: return false;
    }
}

}  // namespace

TInputLock::TInputLock(QWidget& window) : window_(&window) {}

TInputLock::~TInputLock() { SetLocked(false); }

void TInputLock::SetLocked(bool locked) {
    if (locked == locked_) return;
    locked_ = locked;
    if (locked) qApp->installEventFilter(this);
    else qApp->removeEventFilter(this);
}

bool TInputLock::Covers(const QWidget* widget) const {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w == window_) return true;
        // A dialog of the window is a window of its own; a menu it opens is
        // not (it belongs to the control that opened it).
        if (w->isWindow() && w->windowType() != Qt::Popup) return false;
    }
    return false;
}

bool TInputLock::eventFilter(QObject* watched, QEvent* event) {
    if (!locked_ || !IsInput(event->type())) return false;
    // The window system's input reaches the native window first: stopped
    // there, a click does not even move the focus.
    const QWidget* target = nullptr;
    if (watched->isWidgetType()) {
        target = static_cast<QWidget*>(watched);
    } else if (watched->isWindowType()) {
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == watched) target = w;
    }
    if (target == nullptr || !Covers(target)) return false;
    // Taken by the window itself, so that no shortcut is looked up for it.
    if (event->type() == QEvent::ShortcutOverride) event->accept();
    return true;
}

}  // namespace parlenko::ui
