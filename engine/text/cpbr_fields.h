#pragma once
// Field extractors of phonebook answer lines such as
//   +CPBR: 7,"+385981234567",145,"Name"

#include <string>
#include <string_view>

namespace parlenko {

// The text between the first and the second double quote; empty when there
// is no second quote. Gives the number field of a "+CPBR:" answer.
std::string ExtractQuoted(std::string_view line);

// The text after the first blank up to the first comma (or the end), read as
// a decimal number and zero-padded to three digits ("5" -> "005", "123"
// stays). A field that is not a non-negative number gives an empty text.
std::string FirstFieldPadded(std::string_view line);

}  // namespace parlenko
