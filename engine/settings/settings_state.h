#pragma once
// What the settings page shows, read from the phone. The engine keeps the one true copy; the page renders it.

#include "engine/core/engine_context.h"
#include "engine/settings/settings_view.h"

namespace parlenko {

inline PhoneSettingsView& Settings(const EngineContext& ctx) {
    return ctx.topics.Get<PhoneSettingsView>();
}

}  // namespace parlenko
