#pragma once
// The phone's unsolicited result codes and the "> " prompt, each acting on
// entry i of the received lines once the scan has recognised it there.

#include "engine/receive/scan_step.h"
#include "engine/session/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

ScanStep HandleRing(EngineContext& ctx, int i);           // "RING"
ScanStep HandleNoCarrier(EngineContext& ctx, int i);      // "NO CARRIER"
ScanStep HandleBusy(EngineContext& ctx, int i);           // "BUSY"
ScanStep HandleNoDialtone(EngineContext& ctx, int i);     // "NO DIALTONE"
ScanStep HandleClip(EngineContext& ctx, int i);           // "+CLIP: "
ScanStep HandleNewMessage(EngineContext& ctx, int i);     // "+CMTI: " and "+CDSI: "
ScanStep HandleCreg(EngineContext& ctx, int i);           // "+CREG: "
ScanStep HandleCellBroadcast(EngineContext& ctx, int i);  // page at i, "+CBM: 88" at i - 1
ScanStep HandleSmsOverflow(EngineContext& ctx, int i);    // "^SMGO: "
ScanStep HandlePrompt(EngineContext& ctx, int i);         // "> "
ScanStep HandleEscapeEcho(EngineContext& ctx, int i);     // a line starting with ESC

// The number of a "+CLIP: " line: the quoted text before the first comma
// (empty for a withheld number); optional alpha fields after it are ignored.
std::string ClipNumber(std::string_view line);

// The memory and index of a "+CMTI: "/"+CDSI: " line ("+CMTI: \"SM\",123").
struct NewMessageNotice {
    std::string Memory;  // the two characters after the first double quote
    std::string Index;   // every digit after the first comma; empty when none
};
NewMessageNotice ParseNewMessageNotice(std::string_view line);

}  // namespace parlenko
