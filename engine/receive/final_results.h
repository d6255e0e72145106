#pragma once
// Final results of a command: "+CME ERROR: "/"+CMS ERROR: " (a code), "OK"
// and "ERROR". The receive scan recognises the line at entry i and hands it
// here; this unit finds the command by its echo a fixed number of entries
// above (i - 2, i - 4, ...) and runs the command's action from its topic's
// table (echo_actions.h).
//
// Rules for implementations (the scan is re-entrant):
//  - read entries through RxLineList (At/Is/StartsWith) at every test; keep
//    no reference into the list across a call out (message box, send);
//  - blank the result line when it is recognised, the echo and answer
//    lines a matching action used;
//  - return EndScan where the action must stop the scan of this chunk.
// The scan itself stops when the list was reset meanwhile.

#include "engine/receive/scan_step.h"
#include "engine/session/engine_context.h"

#include <optional>
#include <string>

namespace parlenko {

struct EchoHit;  // echo_actions.h

enum class FinalResultKind {
    PhoneError,  // the entry starts with "+CME ERROR: " or "+CMS ERROR: "
    Ok,          // the entry is "OK"
    Error,       // the entry is "ERROR"
};

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind);

// The command in flight got no answer before the time-out: a write (an
// entry, a message, a setting) ends as its refusal would, with its own
// failure text, and true is returned; a read is left to the time-out.
bool EndUnansweredWrite(EngineContext& ctx, std::string_view command);

// A command was refused ("ERROR", "+CME ERROR: n", "+CMS ERROR: n"): the
// operation that owns its exchange ends, silently (the onRefused of the
// action tables' rows for `echo`). body: the refusal followed the command's
// body after its "> " prompt. EndScan when the received lines were reset.
ScanStep EndRefusedOperation(EngineContext& ctx, const std::string& echo, bool body);

// A phone error ("+CME ERROR: n", "+CMS ERROR: n") refused hit.echo: the
// onPhoneError of the action tables' rows for it, in the tables' order. The
// step of the row that took the error over; nullopt when none did and the
// refusal goes on as every other.
std::optional<ScanStep> RunPhoneErrorRows(EngineContext& ctx, const EchoHit& hit);

}  // namespace parlenko
