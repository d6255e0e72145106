#pragma once
// The progress window of a phone read, as every read drives it.

#include "engine/core/engine_context.h"

namespace parlenko {

// done / total as a percentage, rounded to the nearest integer, halves to even.
int ProgressPercent(int done, int total);

// Closes the progress window; the busy state ends with it.
void CloseReadProgress(EngineContext& ctx);

}  // namespace parlenko
