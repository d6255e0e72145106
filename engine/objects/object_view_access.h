#pragma once
// The view the calendar, melody and logo transfers show through.

#include "engine/session/engine_context.h"

namespace parlenko {

inline IObjectsView& ObjectsView(EngineContext& ctx) { return *ctx.views.objects; }

}  // namespace parlenko
