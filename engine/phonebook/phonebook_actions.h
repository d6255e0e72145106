#pragma once
// Final-result actions of the phonebook memories and entries: the memory
// selection ("AT+CPBS=", "AT^SPBS="), the storage query ("AT+CPBS?",
// "AT^SPBS?"), the position read ("AT+CPBR=") and the entry write
// ("AT+CPBW="), on "OK" and on "ERROR". They hand the answers to the read
// loops (engine/phonebook/phonebook_read.h) and carry out a pending write or
// delete once its memory is selected.

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> PhonebookActions();

// The entry write, move or delete in flight got no answer at all: it ends
// as a refusal ends it, with the same text; a restore run tells its outcome
// when it ends. False when neither runs.
bool EndUnansweredPhonebookWrite(EngineContext& ctx);

}  // namespace parlenko
