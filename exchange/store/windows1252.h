#pragma once
// The phone's side of the program holds Windows-1252 bytes; the store's files
// hold UTF-8. These turn one into the other, and compare UTF-8 names.

#include <string>
#include <string_view>

namespace parlenko::exchange::store {

// Every byte as its character (the five unassigned bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D as the C1 control of the same value, as the system's code page
// reads them).
std::string Windows1252ToUtf8(std::string_view text);

// The text composed first (NFC, so that "A" + combining ring is one "Å"), then
// each character that Windows-1252 has becomes its byte and every other one a
// single "?" (an emoji too); each broken UTF-8 sequence is one "?" as well.
std::string Utf8ToWindows1252(std::string_view text);

// The text with each broken UTF-8 sequence replaced by U+FFFD, for writing.
std::string ValidUtf8(std::string_view text);

// The text case-folded character by character ("Š" and "š" alike), for
// comparing names with case ignored; broken sequences as U+FFFD.
std::string FoldCase(std::string_view text);

}  // namespace parlenko::exchange::store
