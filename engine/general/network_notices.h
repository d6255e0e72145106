#pragma once
// The phone's notices about the network, each acting on entry i of the
// received lines once the receive scan has recognised it there: the
// registration notice "+CREG: " (status, area and cell, network_view.h) and
// the cell broadcast page that names the cell's location.

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

namespace parlenko {

ScanStep HandleCreg(EngineContext& ctx, int i);           // "+CREG: "
ScanStep HandleCellBroadcast(EngineContext& ctx, int i);  // page at i, "+CBM: 88" at i - 1

}  // namespace parlenko
