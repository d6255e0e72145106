#pragma once
// Final results of a command: "+CME ERROR: "/"+CMS ERROR: " (a code), "OK"
// and "ERROR". The receive scan recognises the line at entry i and hands it
// here; this unit finds the command by its echo a fixed number of entries
// above (i - 2, i - 4, ...) and runs the command's action from its topic's
// table (echo_actions.h).
//
// The command in flight owns its result: when the result stands under that
// command's echo and no row can read the exchange (an answer the command
// does not give, a line missing), the command counts as refused, so the
// operation it belongs to ends at once, with its message, instead of
// waiting for the time-out.
//
// Rules for implementations (the scan is re-entrant):
//  - read entries through RxLineList (At/Is/StartsWith) at every test; keep
//    no reference into the list across a call out (message box, send);
//  - blank the result line when it is recognised, the echo and answer
//    lines a matching action used;
//  - return EndScan where the action must stop the scan of this chunk.
// The scan itself stops when the list was reset meanwhile.

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

struct EchoHit;  // echo_actions.h

enum class FinalResultKind {
    PhoneError,  // the entry starts with "+CME ERROR: " or "+CMS ERROR: "
    Ok,          // the entry is "OK"
    Error,       // the entry is "ERROR"
};

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind);

// The road of every refusal (any error form, a result no row could read, no
// answer at all): the busy state ends, the operation that owns the
// exchange ends (the rows' onRefused), then the command's "ERROR" row runs,
// whose box names the phone's reason when it gave one. A command without an
// "ERROR" row shows the phone's reason alone, if any.
ScanStep RefuseCommand(EngineContext& ctx, const EchoHit& hit);

// The command has a row in the action tables.
bool IsKnownCommand(EngineContext& ctx, std::string_view command);

// The command is a step of the connect, information or settings chain.
bool IsChainCommand(EngineContext& ctx, std::string_view command);

// A write is in flight without an answer: the topic that owns it ends it
// with its own failure text (or its own account), and true is returned.
bool EndUnansweredWrite(EngineContext& ctx);

}  // namespace parlenko
