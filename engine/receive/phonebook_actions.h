#pragma once
// Final-result actions of the phonebook memories and entries: the memory
// selection ("AT+CPBS=", "AT^SPBS="), the storage query ("AT+CPBS?",
// "AT^SPBS?"), the position read ("AT+CPBR=") and the entry write
// ("AT+CPBW="), on "OK" and on "ERROR". They hand the answers to the read
// loops (engine/phonebook/phonebook_read.h) and carry out a pending write or
// delete once its memory is selected.

#include "engine/chains/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> PhonebookActions();

}  // namespace parlenko
