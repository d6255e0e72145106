#pragma once
// The free-position lists of the phonebook memories: one line per position,
// in order; line k holds the three-digit text of position k+1 while the
// position is free and "" once it is used. A new entry takes the first
// non-empty line.

#include "engine/phone/phone_memory.h"

#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

struct PhonebookReadState;

// The text of a position: "001" .. "099", "100", "1000".
std::string PositionText(int position);

// Appends count position texts (1 .. count) to the list; count < 1 adds nothing.
void FillFreePositionList(std::vector<std::string>& list, int count);
// The list of a writable memory (SIM, phone, own numbers); nullptr for the others.
std::vector<std::string>* FreePositionList(PhonebookReadState& state, PhoneMemory memory);
// The list of a writable memory emptied and filled with positions 1 .. count.
void RefillFreePositionList(PhonebookReadState& state, PhoneMemory memory, int count);

// Marks a position used. The position is the phone's text ("007"); one that
// is not a number or lies outside the list (a phone reporting more than its
// capacity) is ignored. Returns whether a line was blanked.
bool BlankFreePosition(std::vector<std::string>& list, std::string_view position);

// The first free position, or "" when the memory is full.
std::string FirstFreePosition(const std::vector<std::string>& list);

}  // namespace parlenko
