#pragma once
// The windows the engine shows its topics in: each page (or window) is set
// as the engine's view of its kind where the main window makes it, and the
// engine shows nothing there again when the registrations end (before the
// windows go).

#include "engine/session/phone_engine.h"

#include <functional>
#include <vector>

namespace parlenko::ui {

class TEngineViews {
public:
    explicit TEngineViews(PhoneEngine& engine) : engine_(engine) {}
    ~TEngineViews() { Clear(); }
    TEngineViews(const TEngineViews&) = delete;
    TEngineViews& operator=(const TEngineViews&) = delete;

    // window becomes the engine's view of the kind View; returns window.
    template <class View, class Window>
    Window* Set(Window* window) {
        engine_.SetView<View>(window);
        clears_.push_back([this] { engine_.SetView<View>(nullptr); });
        return window;
    }
    // Every view set goes back to the engine's do-nothing view.
    void Clear() {
        for (const auto& clear : clears_) clear();
        clears_.clear();
    }

private:
    PhoneEngine& engine_;
    std::vector<std::function<void()>> clears_;
};

}  // namespace parlenko::ui
