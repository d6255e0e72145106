#pragma once
// A refused command: "ERROR", or "+CME ERROR: <n>"/"+CMS ERROR: <n>" with a
// numeric code ("AT+CMEE=1" at connect asks for numbers). The command is the
// echo two entries above the error line (three when the error follows a
// refused body). Every error form takes one road (final_results.h,
// RefuseCommand): what a code means for a command first (its row's
// onPhoneError: a registration setting falls back, an absent message memory
// ends the read quietly, a full memory stores in the phone, an empty read
// position moves on, a restore counts the entry), then exactly what "ERROR"
// does at that step, with the phone's reason in the box in place of the
// command's own text.

#include "engine/conversation/echo_actions.h"
#include "engine/core/engine_context.h"

#include <string>

namespace parlenko {

// The refusal at entry i and the command it refused. Blanks the error line,
// its echo and a refused body; a phone error's code and reason are read.
EchoHit TakeRefusal(EngineContext& ctx, int i);

// The box of a refused command: the phone's reason when it gave a code or
// words, else text (nothing when text is empty too).
void ShowRefusal(EngineContext& ctx, const EchoHit& hit, const std::string& text);

// The message shown for a code and its text.
std::string PhoneErrorMessage(int code, const std::string& text);

// The phone's reason as a box gives it ("Reason:  <text>  (<code>)", or the
// phone's own words); empty for "ERROR" and for a command never answered.
std::string RefusalReason(const EchoHit& hit);

}  // namespace parlenko
