#include "ui/controls/hint_balloon.h"

#include "components/widgets/tessary_hint.h"

#include <QEvent>

namespace parlenko::ui {

THintBalloon::THintBalloon(QWidget* window) : window_(window) { window->installEventFilter(this); }

THintBalloon::~THintBalloon() = default;

void THintBalloon::Show(const QString& text, int x, int y) {
    if (!balloon_) balloon_ = std::make_unique<widgets::TTessaryHintWindow>(window_);
    balloon_->ShowHintAt(text, nullptr, x, y);
}

void THintBalloon::Free() { balloon_.reset(); }

// Closing the window by its title bar, and hiding it as a dialog's end does.
bool THintBalloon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && (event->type() == QEvent::Close ||
                               (event->type() == QEvent::Hide && !event->spontaneous())))
        Free();
    return QObject::eventFilter(watched, event);
}

}  // namespace parlenko::ui
