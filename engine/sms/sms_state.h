#pragma once
// What the SMS side remembers between two answers: the messages read, the
// operation in flight, the full read's loop and its progress window, and the
// body that the "> " prompt takes. One member of EngineState (Sms).

#include "engine/core/engine_context.h"
#include "engine/phone/phone_memory.h"
#include "engine/phone/records.h"
#include "engine/core/progress_window.h"
#include "engine/sms/sms_op.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace parlenko {

// A new-message notice waiting until the engine is idle: nothing that runs
// is interrupted by it.
struct WaitingNewMessage {
    PhoneMemory Memory = PhoneMemory::Sim;
    std::string Index;
    // Full reads that must have ended for the message to be in SmsList
    // already: one more than had ended when the notice came. A full read that
    // was running then, or started later, ends after it arrived.
    int FullReadsNeeded = 0;
    // When the notice arrived (RxLineList::ArrivalNumber): the scan meets
    // the lines of one chunk last first, the messages are read first first.
    std::uint64_t Arrival = 0;
};

struct SmsState {
    SmsOp Op;                       // the operation in flight (sms_op.h)
    std::vector<AListSMS> SmsList;  // both memories; new messages at the front

    // The full read: SIM card, then the phone memory.
    bool Reading = false;  // a pass is running (from its storage answer to its end)
    int ReadPosition = 1;  // position asked last, from 1
    int ReadCount = 0;     // messages found in this pass
    int ReadUsed = 0;      // used count of the storage answer
    int ReadCapacity = 0;  // capacity of the storage answer
    ProgressWindowView Progress;
    int FullReadsDone = 0;  // full reads (both memories) that ran to their end
    // A full read runs: from its first selection to the end of its second
    // pass. What the list held before it comes back when it fails.
    bool FullReadRunning = false;
    std::vector<AListSMS> ListBeforeRead;
    // The memory whose pass the full read has selected or is reading; none
    // outside a full read.
    std::optional<PhoneMemory> PassMemory;
    // New-message notices for PassMemory since its selection: messages its
    // storage answer may not have counted, so the pass reads on past its
    // used count until it found them too (or reached the capacity).
    int PassNotices = 0;

    std::vector<WaitingNewMessage> NewMessagesWaiting;  // oldest first

    // The compose window waits for the phone to take its message (until
    // ComposedMessageDone).
    bool ComposeWaiting = false;

    std::string PduToSend;     // hex PDU sent at the "> " prompt of "AT+CMGS="/"AT+CMGW="
    std::string SmsPduLength;  // its TPDU octet count, the argument of those commands
    int StoreRetryCount = 0;   // consecutive memory-full answers to "AT+CMGW="
};

inline SmsState& Sms(const EngineContext& ctx) { return ctx.topics.Get<SmsState>(); }

}  // namespace parlenko
