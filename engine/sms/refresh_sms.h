#pragma once
// Starting the full read of both message memories (the SMS page's refresh,
// and the step that follows a phonebook read asked to go on with the SMS).

#include "engine/session/engine_context.h"

namespace parlenko {

// Does nothing while disconnected. Otherwise discards both port buffers,
// empties the SMS page's lists, sets the SMS mode and drops the pending
// single message operations (a waiting new-message notice stays).
//
// It sends nothing yet: the read's first command, the selection of the SIM
// card's message memory, joins once the answers of the message read are
// dispatched; until then a read would leave the phone's answer unhandled.
void RefreshSms(EngineContext& ctx);

}  // namespace parlenko
