#pragma once
// The phone's notices about a call, each acting on entry i of the received
// lines once the receive scan has recognised it there: "RING" shows the
// incoming-call notice, "+CLIP: " names the caller, "NO CARRIER", "BUSY"
// and "NO DIALTONE" end the call (calls_view.h shows them).

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

ScanStep HandleRing(EngineContext& ctx, int i);        // "RING"
ScanStep HandleNoCarrier(EngineContext& ctx, int i);   // "NO CARRIER"
ScanStep HandleBusy(EngineContext& ctx, int i);        // "BUSY"
ScanStep HandleNoDialtone(EngineContext& ctx, int i);  // "NO DIALTONE"
ScanStep HandleClip(EngineContext& ctx, int i);        // "+CLIP: "

// The number of a "+CLIP: " line: the quoted text before the first comma
// (empty for a withheld number); optional alpha fields after it are ignored.
std::string ClipNumber(std::string_view line);

}  // namespace parlenko
