#pragma once
// One step of the SMS read loop: the answer to "AT+CMGR=" for one position.

#include "engine/session/engine_context.h"

#include <string_view>

namespace parlenko {

// kind 0: a message (index, PDU line, status digit); kind 1: the position
// holds no message and the loop moves on to the next one.
void HandleCmgrAnswer(EngineContext& ctx, std::string_view index, std::string_view pdu,
                      std::string_view status, int kind);

}  // namespace parlenko
