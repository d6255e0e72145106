#pragma once
// A window's buttons and menu items, each tied to the window's handler of
// it (a member without arguments), listed once instead of one connect a
// control.

#include <QAction>
#include <QObject>
#include <QPushButton>

#include <initializer_list>
#include <utility>

namespace parlenko::ui::controls {

template <typename Window>
using Handler = void (Window::*)();

// Each button's click calls its handler on window.
template <typename Window>
void OnClicked(Window* window,
               std::initializer_list<std::pair<QPushButton*, Handler<Window>>> buttons) {
    for (const auto& [button, handler] : buttons)
        QObject::connect(button, &QPushButton::clicked, window, handler);
}

// Each menu item's trigger calls its handler on window.
template <typename Window>
void OnTriggered(Window* window,
                 std::initializer_list<std::pair<QAction*, Handler<Window>>> items) {
    for (const auto& [item, handler] : items)
        QObject::connect(item, &QAction::triggered, window, handler);
}

}  // namespace parlenko::ui::controls
