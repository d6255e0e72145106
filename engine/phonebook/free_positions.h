#pragma once
// The free-position lists of the writable phonebook memories (SIM, phone,
// own numbers), kept in the read state (phone/free_positions.h).

#include "engine/phone/free_positions.h"
#include "engine/phone/phone_memory.h"

#include <string>
#include <vector>

namespace parlenko {

struct PhonebookReadState;

// The list of a writable memory; nullptr for the others.
std::vector<std::string>* FreePositionList(PhonebookReadState& state, PhoneMemory memory);
// The list of a writable memory emptied and filled with positions 1 .. count.
void RefillFreePositionList(PhonebookReadState& state, PhoneMemory memory, int count);

}  // namespace parlenko
