#pragma once
// The lines of the exchange itself that are no final result, each acting on
// entry i of the received lines once the receive scan has recognised it
// there: the "> " prompt, which asks for the body of the command two entries
// above it, and the echo of the ESC that aborted a prompt. The phone's
// notices are their topics': calls/call_notices.h, sms/sms_notices.h,
// general/network_notices.h.

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

namespace parlenko {

ScanStep HandlePrompt(EngineContext& ctx, int i);      // "> "
ScanStep HandleEscapeEcho(EngineContext& ctx, int i);  // a line starting with ESC

}  // namespace parlenko
