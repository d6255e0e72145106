#pragma once
// Final-result actions of the message commands: the memory selection
// ("AT+CPMS="), the read ("AT+CMGR="), the store ("AT+CMGW="), the send
// ("AT+CMGS=", "AT+CMSS="), the delete ("AT+CMGD=") and the echoed body
// after a "> " prompt, on "OK", on "ERROR" and on a phone error with its
// code (a memory not there, a full memory, an empty position). They hand
// the answers to the SMS steps (sms_steps.h) and move the operation in
// flight on (sms_operations.h).

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> SmsActions();

// A message was stored: the next memory-full answer to "AT+CMGW=" stores in
// the phone memory "ME" again.
void ResetStoreRetryCount(EngineContext& ctx);

// The store, send or delete in flight got no answer at all: it ends as a
// refusal ends it, with the same text. False when no such operation runs.
bool EndUnansweredSmsWrite(EngineContext& ctx);

}  // namespace parlenko
