#pragma once
// The view the calendar, melody and logo transfers show through.

#include "engine/core/engine_context.h"
#include "engine/objects/logo_view.h"
#include "engine/objects/objects_view.h"

namespace parlenko {

inline IObjectsView& ObjectsView(EngineContext& ctx) { return ViewOf<IObjectsView>(ctx); }
inline ILogoView& LogoView(EngineContext& ctx) { return ViewOf<ILogoView>(ctx); }

}  // namespace parlenko
