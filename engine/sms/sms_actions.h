#pragma once
// Final-result actions of the message commands: the memory selection
// ("AT+CPMS="), the read ("AT+CMGR="), the store ("AT+CMGW="), the send
// ("AT+CMGS=", "AT+CMSS="), the delete ("AT+CMGD=") and the echoed body
// after a "> " prompt, on "OK" and on "ERROR". They hand the answers to the
// SMS steps (sms_steps.h) and move the operation in flight on
// (sms_operations.h).

#include "engine/chains/echo_actions.h"

#include <optional>
#include <span>

namespace parlenko {

std::span<const EchoAction> SmsActions();

// A plain "ERROR" that follows the echoed body of "AT+CMGW="/"AT+CMGS=" at
// once (no blank line between, so no echo stands where the table looks):
// the operation ends and the user is told. nullopt when the lines above
// entry i are not such a body.
std::optional<ScanStep> SmsBodyRefused(EngineContext& ctx, int i);

// The store, send or delete in flight got no answer at all: it ends as a
// refusal ends it, with the same text. False when no such operation runs.
bool EndUnansweredSmsWrite(EngineContext& ctx);

}  // namespace parlenko
