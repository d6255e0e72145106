#pragma once
// The view the calendar, melody and logo transfers show through.

#include "engine/session/engine_context.h"

namespace parlenko {

inline IHost& ObjectsView(EngineContext& ctx) { return ctx.host; }

}  // namespace parlenko
