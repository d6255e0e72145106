#pragma once
// The windows the engine shows its topics in: each page (or window) is set
// as the engine's view of its kind where the main window makes it, and the
// engine shows nothing there again when the registrations end (before the
// windows go).

#include "engine/session/phone_engine.h"

#include <functional>
#include <vector>

namespace parlenko::ui {

// The engine's setter of each kind of view.
void SetEngineView(PhoneEngine& engine, IGeneralView* view);
void SetEngineView(PhoneEngine& engine, IPhonebookView* view);
void SetEngineView(PhoneEngine& engine, ICallListsView* view);
void SetEngineView(PhoneEngine& engine, ICallsView* view);
void SetEngineView(PhoneEngine& engine, ISmsView* view);
void SetEngineView(PhoneEngine& engine, ISettingsView* view);
void SetEngineView(PhoneEngine& engine, IObjectsView* view);
void SetEngineView(PhoneEngine& engine, ILogoView* view);
void SetEngineView(PhoneEngine& engine, IBackupView* view);
void SetEngineView(PhoneEngine& engine, IServicesView* view);
void SetEngineView(PhoneEngine& engine, IMelodiesView* view);

class TEngineViews {
public:
    explicit TEngineViews(PhoneEngine& engine) : engine_(engine) {}
    ~TEngineViews() { Clear(); }
    TEngineViews(const TEngineViews&) = delete;
    TEngineViews& operator=(const TEngineViews&) = delete;

    // window becomes the engine's view of the kind View; returns window.
    template <class View, class Window>
    Window* Set(Window* window) {
        SetEngineView(engine_, static_cast<View*>(window));
        clears_.push_back([this] { SetEngineView(engine_, static_cast<View*>(nullptr)); });
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
