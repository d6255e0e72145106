#pragma once
// A free-position list: one line per position of a memory, in order; line k
// holds the text of position k+1 while the position is free and "" once it
// is used. A new entry takes the first non-empty line. The phonebook
// memories keep one each (three-digit texts), the calendar one of its slots.

#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// The text of a position: "001" .. "099", "100", "1000".
std::string PositionText(int position);

// Appends count position texts (1 .. count) to the list; count < 1 adds nothing.
void FillFreePositionList(std::vector<std::string>& list, int count);

// Marks a position used. The position is the phone's text ("007"); one that
// is not a number or lies outside the list (a phone reporting more than its
// capacity) is ignored. Returns whether a line was blanked.
bool BlankFreePosition(std::vector<std::string>& list, std::string_view position);

// The first free position, or "" when the memory is full.
std::string FirstFreePosition(const std::vector<std::string>& list);

}  // namespace parlenko
