#pragma once
// The SMS operations a page starts, and how each moves on from answer to
// answer. Every operation is one SmsOp (sms_op.h): starting it selects its
// message memory; the selection's "OK" sends its command
// (SmsMemorySelected); the command's "OK" completes it or starts its next
// step (SmsStored, SmsDeleted, SmsSent); a failure ends it (EndSmsOperation).

#include "engine/phone/phone_memory.h"
#include "engine/conversation/scan_step.h"
#include "engine/sms/composed_sms.h"
#include "engine/core/engine_context.h"

#include <optional>
#include <string>

namespace parlenko {

// Start a full read of both message memories (refresh_sms.h) or one of
// these. Each does nothing while disconnected.
void DeleteSms(EngineContext& ctx, PhoneMemory memory, const std::string& position);
// The compose window's three: each returns whether it started (the
// window then waits for ComposedMessageDone).
// Store a new message in the SIM card (the phone memory when that is full).
bool StoreSms(EngineContext& ctx, const std::string& pdu);
// Send a new message at once ("AT+CMGS=").
bool SendSms(EngineContext& ctx, const std::string& pdu);
// Send a stored message, to its own number or to `number`. A number that
// is not a phone number is refused with a message; nothing is sent.
void SendStoredSms(EngineContext& ctx, PhoneMemory memory, const std::string& position,
                   const std::string& number);
// Replace a stored message by a new version (then send it when asked).
bool EditStoredSms(EngineContext& ctx, PhoneMemory memory, const std::string& position,
                   const std::string& pdu, bool sendAfter);
// The same three for the compose window's message: its PDU is built here
// (pdu_encoder.h), and a message the encoder refuses starts nothing.
ComposedSmsResult StoreSms(EngineContext& ctx, const ComposedSms& message);
ComposedSmsResult SendSms(EngineContext& ctx, const ComposedSms& message);
ComposedSmsResult EditStoredSms(EngineContext& ctx, PhoneMemory memory, const std::string& position,
                                const ComposedSms& message, bool sendAfter);
// A new-message notice: read that message (unless another SMS operation
// is in flight; the indicator tells of it all the same).
void ReadNewSms(EngineContext& ctx, PhoneMemory memory, const std::string& index);
// A new-message notice arrived: the message waits until nothing runs.
void NewMessageArrived(EngineContext& ctx, PhoneMemory memory, const std::string& index,
                       std::uint64_t arrival);
// Nothing runs (no command in flight, no chain step due): the waiting
// messages are announced in the order they arrived, those a full read has
// brought already at once, the first other one by reading it (the rest wait
// for its end).
void ServeWaitingNewMessages(EngineContext& ctx);

// The "OK" of a message-memory selection with an operation in flight: its
// command is sent. nullopt when no operation waits (the selection is a
// full read's).
std::optional<ScanStep> SmsMemorySelected(EngineContext& ctx);
// The "OK" of "AT+CMGW=": the message was stored at `position`.
void SmsStored(EngineContext& ctx, const std::string& position);
// The "OK" of "AT+CMGD=". Returns true when it completed a delete the user
// asked for (an edit's delete of the original says nothing).
bool SmsDeleted(EngineContext& ctx);
// A message was sent: the "OK" of "AT+CMSS=", or of "AT+CMGS=" after its body.
void SmsSent(EngineContext& ctx);
// Tells the compose window, when it waits, whether the phone took its message.
void ComposedMessageDone(EngineContext& ctx, bool accepted);
// The operation in flight and a running full read end here: a command of
// theirs failed (the caller reports it), or a new full read starts.
void EndSmsOperation(EngineContext& ctx);

}  // namespace parlenko
