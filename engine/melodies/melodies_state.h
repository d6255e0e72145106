#pragma once
// What the ringer melodies page shows: the melody list and the ringer. The engine keeps the one true copy; the page renders it.

#include "engine/core/engine_context.h"
#include "engine/melodies/melodies_view.h"

namespace parlenko {

inline MelodyListView& Melodies(const EngineContext& ctx) {
    return ctx.topics.Get<MelodyListView>();
}

}  // namespace parlenko
