#pragma once
// "+CME ERROR: <n>" and "+CMS ERROR: <n>": the phone refused a command with
// a numeric code ("AT+CMEE=1" at connect asks for numbers). The command is
// the echo two entries above the error line (three when the error follows
// a refused body). Most codes end the exchange as "ERROR" would (the
// operation that owns it ends: EndRefusedOperation, final_results.h) with
// a message naming the code instead of the command's text; a few steer the
// operation in flight:
//  - the registration notice setting ("AT+CREG=2" falls back to "AT+CREG=1",
//    and a refused "AT+CREG=1" goes on with "AT+CREG?"), no message;
//  - 303, 30, 3 to a message-memory selection: the memory is not there, the
//    read ends without a message;
//  - 322 (memory full) to "AT+CMGW=": the first time the message is stored
//    again in the phone memory "ME", the second time the message is shown;
//  - 321, 32 (no message at that index) to "AT+CMGR=": the read goes on
//    with the next position.

#include "engine/receive/scan_step.h"
#include "engine/session/engine_context.h"

#include <string>

namespace parlenko {

// The error line at entry i. Blanks it and its echo.
ScanStep HandlePhoneError(EngineContext& ctx, int i);

// The message shown for a code and its text.
std::string PhoneErrorMessage(int code, const std::string& text);

// A message was stored: the next memory-full answer retries in "ME" again.
// The store's success ("OK" to "AT+CMGW=") calls it.
void ResetStoreRetryCount(EngineContext& ctx);

}  // namespace parlenko
