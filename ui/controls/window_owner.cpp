#include "ui/controls/window_owner.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace parlenko::ui {
namespace {

// A window that can own a dialog: shown, and neither a menu nor a tooltip.
QWidget* Usable(QWidget* candidate, const QWidget* dialog) {
    if (candidate == nullptr) return nullptr;
    QWidget* w = candidate->window();
    if (w == dialog || !w->isVisible()) return nullptr;
    const Qt::WindowType type = w->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip) return nullptr;
    return w;
}

}  // namespace

QWidget* OpeningWindow(const QWidget* dialog, QWidget* fallback) {
    if (QWidget* w = Usable(QApplication::activeModalWidget(), dialog)) return w;
    if (QWidget* w = Usable(QApplication::activeWindow(), dialog)) return w;
    if (fallback == nullptr || fallback->window() == dialog) return nullptr;
    return fallback->window();
}

void SetOwner(QWidget* dialog, const QWidget* owner) {
    if (dialog == nullptr || owner == nullptr) return;
    const QWidget* ownerWindow = owner->window();
    if (ownerWindow == dialog) return;
    // Both need their native windows: the owner's is made when it is shown,
    // the dialog's now (it is about to be shown).
    if (dialog->windowHandle() == nullptr) dialog->winId();
    QWindow* handle = dialog->windowHandle();
    QWindow* ownerHandle = ownerWindow->windowHandle();
    if (handle != nullptr && ownerHandle != nullptr && handle != ownerHandle)
        handle->setTransientParent(ownerHandle);
}

void OwnByOpeningWindow(QWidget* dialog, QWidget* fallback) {
    SetOwner(dialog, OpeningWindow(dialog, fallback));
}

}  // namespace parlenko::ui
