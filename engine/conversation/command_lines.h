#pragma once
// The text of every AT command line the program sends, built by pure
// functions. The receive scan recognises each command by its echo, so these
// texts are part of the protocol down to each quote and comma.
//
// Lines end in one carriage return unless noted. A builder that returns an
// empty string means "send nothing": a selector outside the listed values,
// or data that the line cannot carry (below).
//
// Data in a line (a number, a name, a text, a code, a position, a PDU) is
// checked by the builder that puts it there, and one argument that fails
// leaves the whole line unbuilt: data never ends its field or starts a
// second command (no double quote where a field is quoted as it stands, no
// CR, LF, Ctrl-Z or ESC anywhere), and it holds only characters of the
// phone's sets. Numbers are checked with IsValidNumber, the entry dialog's
// test; names are escaped (EscapeGsmText), so that any text is safe in them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace parlenko::at {

inline constexpr char kCr = '\r';

// The checks of data in a line, for the builders below and for the
// operations that refuse such data before they start.
// The checks of data in a line, for the builders below and for the
// operations that refuse such data before they start.
// Digits only: positions, indexes, lengths and security codes ("" passes).
bool IsDigitsText(std::string_view s);
// A text that goes between double quotes as it stands: text characters
// (IsValidText) but the double quote.
bool IsQuotedText(std::string_view s);
// DTMF tones: digits, "*", "#" and "A" to "D" ("" passes).
bool IsDtmfText(std::string_view s);
// A line that is one command: no control character but one closing CR.
bool IsOneCommand(std::string_view line);

// The forms every builder uses: text and a CR; parts and a CR; a command
// and its digits after "=" ("" unless digits); mode 0 sets the value
// ("AT+CALM=1"), mode 1 queries ("AT+CALM?"), any other mode is "".
std::string Line(std::string_view text);
std::string Join(std::initializer_list<std::string_view> parts);
std::string WithDigits(std::string_view command, std::string_view digits);
std::string QuerySet(std::string_view command, int mode, int value);
// Hex digits only ("" passes).
bool IsHexText(std::string_view s);

// The conversation's own lines: the echo on, the body at a prompt, the ESC
// that aborts one.
std::string EchoOn();
// The PDU hex text (or an upload packet) and one Ctrl-Z; no CR. "" for
// anything but hex digits.
std::string Pdu(std::string_view pdu);
// One ESC byte; no CR.
std::string Escape();

}  // namespace parlenko::at
