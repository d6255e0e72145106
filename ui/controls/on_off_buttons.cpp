#include "ui/controls/on_off_buttons.h"

#include "ui/controls/controls.h"

namespace parlenko::ui::controls {
namespace {

constexpr int kMargin = 8;
constexpr int kActWidth = 80;
constexpr int kCancelWidth = 84;
constexpr int kStep = 86;
constexpr int kHeight = 26;

}  // namespace

void OnOffButtons::SetEnabled(bool enabled) const {
    on->setEnabled(enabled);
    off->setEnabled(enabled);
}

OnOffButtons MakeOnOffButtons(QDialog* window, const ButtonOf& on, const ButtonOf& off,
                              const ButtonOf& cancel, int y, const std::function<void(bool)>& act) {
    const int cancelX = window->width() - kMargin - kCancelWidth;
    OnOffButtons b;
    b.on = Button(window, on.name, on.caption, {cancelX - 2 * kStep, y, kActWidth, kHeight});
    b.off = Button(window, off.name, off.caption, {cancelX - kStep, y, kActWidth, kHeight});
    b.cancel = Button(window, cancel.name, cancel.caption, {cancelX, y, kCancelWidth, kHeight});
    b.SetEnabled(false);
    QObject::connect(b.on, &QPushButton::clicked, window, [act] { act(true); });
    QObject::connect(b.off, &QPushButton::clicked, window, [act] { act(false); });
    QObject::connect(b.cancel, &QPushButton::clicked, window, &QDialog::reject);
    return b;
}

}  // namespace parlenko::ui::controls
