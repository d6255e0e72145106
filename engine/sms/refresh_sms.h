#pragma once
// Starting the full read of both message memories (the SMS page's refresh,
// and the step that follows a phonebook read asked to go on with the SMS).

#include "engine/core/engine_context.h"

namespace parlenko {

// Does nothing while disconnected. Otherwise discards both port buffers,
// empties SmsList and the SMS page's lists, sets the SMS mode, drops any
// SMS operation in flight (a new-message read waiting too: the full read
// reads that message as well) and selects the SIM card's message memory,
// whose storage answer starts the first pass (sms_steps.h).
void RefreshSms(EngineContext& ctx);

}  // namespace parlenko
