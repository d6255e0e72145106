#pragma once
// What the general page shows: the identity, clock, battery, network and reception. The engine keeps the one true copy; the page renders it.

#include "engine/core/engine_context.h"
#include "engine/general/general_view.h"

namespace parlenko {

inline GeneralInfoView& GeneralInfo(const EngineContext& ctx) {
    return ctx.topics.Get<GeneralInfoView>();
}

}  // namespace parlenko
