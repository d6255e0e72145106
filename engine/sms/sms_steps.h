#pragma once
// The SMS steps: the answers of the message commands turned into records of
// SmsList and rows of the SMS page, and the next command of the full read.
//
// A full read is two passes, SIM card then phone memory. Each pass starts at
// its storage answer and asks one position per "AT+CMGR=" from 1 upward
// until as many messages as the used count were found (and one more for each
// notice of a new message in that memory during the pass), and never past
// the capacity (or a generous fixed limit when the phone reports fewer
// places than messages).

#include "engine/phone/phone_memory.h"
#include "engine/core/engine_context.h"

#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// What the final result of "AT+CMGR=" brought.
enum class CmgrAnswer {
    Message = 0,  // a header and a PDU
    Empty = 1,    // the position holds no message
};

// The message memory named by CurrentMemory ("SM" or "ME"); nullopt for
// any other text.
std::optional<PhoneMemory> CurrentSmsMemory(const CoreState& state);

// A message position as the lists keep it: the number with "0" in front
// below 10 ("05", "12", "123"); a text that is not a number stays as it is.
std::string SmsPositionText(std::string_view index);

// The storage answer of a message memory ("+CPMS: 3,20,3,20,3,20").
void HandleCpmsAnswer(EngineContext& ctx, std::string_view line);
// One position of the read, or the message a new-message notice named.
void HandleCmgrAnswer(EngineContext& ctx, std::string_view index, std::string_view pdu,
                      std::string_view status, CmgrAnswer kind);
// A message stored: the index of "+CMGW: <index>" and the echoed body line
// ("> " + PDU + Ctrl-Z). Returns the position it was stored at.
std::string HandleCmgwAnswer(EngineContext& ctx, std::string_view index, std::string_view body);
// A stored message sent (the echoed "AT+CMSS=" line).
void HandleCmssAnswer(EngineContext& ctx, std::string_view echo);
// A message deleted (the echoed "AT+CMGD=" line).
void HandleCmgdAnswer(EngineContext& ctx, std::string_view echo);

// Shows the new-message notice for the message SmsList holds at index of
// memory (a full read brought it). False when the list has none there.
bool AnnounceReadMessage(EngineContext& ctx, PhoneMemory memory, std::string_view index);

// The full read selects the memory of its next pass (the SIM card's first).
void SelectSmsPass(EngineContext& ctx, PhoneMemory memory);
// A new-message notice for memory: when the full read has selected or reads
// that memory, its pass reads on until it found that message too.
void NewMessageDuringPass(EngineContext& ctx, PhoneMemory memory);
// The phone has no memory of the full read's pass (its selection answered
// that the memory is not there): the pass ends with nothing read, as one of
// an empty memory ends (the SIM card's goes on with the phone memory). False
// when no full read runs.
bool SkipAbsentPassMemory(EngineContext& ctx);
// The full read stops (a failure): no further position is asked.
void StopSmsRead(EngineContext& ctx);
// A full read failed (a refusal, silence, the port closed): it stops, and
// the lists show again the messages they showed before it began. True when
// one ran.
bool StopSmsFullRead(EngineContext& ctx);

}  // namespace parlenko
