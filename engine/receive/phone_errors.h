#pragma once
// "+CME ERROR: <n>" and "+CMS ERROR: <n>": the phone refused a command with
// a numeric code ("AT+CMEE=1" at connect asks for numbers). The command is
// the echo two entries above the error line (three when the error follows
// a refused body). What every such refusal does is here: the code is kept
// (LastErrorCode, LastErrorText) and the error box names it instead of the
// command's own text. What it means for a command is said by the command's
// row in its topic's action table (echo_actions.h): its onPhoneError may
// take the error over (a registration setting falls back, an absent message
// memory ends the read quietly, a full memory stores in the phone, an empty
// read position moves on, a restore counts the entry), else the operation
// that owns the exchange ends (onRefused, EndRefusedOperation) and the box
// follows.

#include "engine/receive/scan_step.h"
#include "engine/session/engine_context.h"

#include <string>

namespace parlenko {

// The error line at entry i. Blanks it and its echo.
ScanStep HandlePhoneError(EngineContext& ctx, int i);

// The message shown for a code and its text.
std::string PhoneErrorMessage(int code, const std::string& text);

}  // namespace parlenko
