#pragma once
// The phone's notices about messages, each acting on entry i of the received
// lines once the receive scan has recognised it there: "+CMTI: " and
// "+CDSI: " (a message or a status report was stored: the new-message
// indicator, and the message is read once nothing else runs) and "^SMGO: "
// (the message memory is full, or no longer).

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

ScanStep HandleNewMessage(EngineContext& ctx, int i);   // "+CMTI: " and "+CDSI: "
ScanStep HandleSmsOverflow(EngineContext& ctx, int i);  // "^SMGO: "

// The memory and index of a "+CMTI: "/"+CDSI: " line ("+CMTI: \"SM\",123").
struct NewMessageNotice {
    std::string Memory;  // the two characters after the first double quote
    std::string Index;   // every digit after the first comma; empty when none
};
NewMessageNotice ParseNewMessageNotice(std::string_view line);

}  // namespace parlenko
