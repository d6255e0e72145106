#pragma once
// The view the calendar, melody and logo transfers show through.

#include "engine/session/engine_context.h"

namespace parlenko {

inline IObjectsView& ObjectsView(EngineContext& ctx) { return *ctx.views.objects; }
inline ILogoView& LogoView(EngineContext& ctx) { return *ctx.views.logo; }

}  // namespace parlenko
