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

#include "engine/phone/phone_memory.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko::at {

// Facility codes of "AT+CLCK=", indexed 1..9: keypad lock, phone lock, SIM
// PIN lock, fixed dialling, then the five call barrings.
inline constexpr std::array<std::string_view, 9> LockFacilities = {"CS", "PS", "SC", "FD", "AO",
                                                                   "OI", "OX", "AI", "IR"};
// Facility codes of "AT+CPWD=", indexed 1..8 by the kind of security code.
inline constexpr std::array<std::string_view, 8> PasswordFacilities = {"SC", "P2", "PS", "AO",
                                                                       "OI", "OX", "AI", "IR"};

// Binary object types of "AT^SBNR="/"AT^SBNW=".
inline constexpr int kObjAppointment = 1;  // "vcs"
inline constexpr int kObjMelody = 2;       // "mid"
inline constexpr int kObjLogo = 3;         // "bmp"

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

std::string Cgmi();
std::string Cgmm();
std::string Cgmr();
std::string Cpas();
std::string Cgsn();
std::string Cimi();
std::string Scid();
// mode 0: set the clock (clock is the quoted clock text); mode 1: query.
std::string Cclk(int mode, std::string_view clock);
std::string Cbc();
std::string CopsAuto();
std::string CopsQuery();
std::string CregSet(int n);
std::string CregQuery();
std::string Csq();
std::string Smso();
std::string EchoOn();
std::string Cmee();
// mode 0: set the SMS centre number; mode 1: query.
std::string Csca(int mode, std::string_view number);
std::string Csms();
// mode 0: cell broadcasts not delivered; mode 1: delivered as "+CBM:".
std::string Cnmi(int mode);
std::string Smgo();
std::string Clip();
std::string Cmgf();
std::string Cscb();
std::string Dial(std::string_view number);
std::string Chup();
std::string Answer();
// Divert: mode 0 disable, 1 enable, 2 query, 3 register, 4 erase.
std::string Ccfc(std::string_view reason, std::string_view number, std::string_view cls,
                 std::string_view time, int mode);
// Memory selection ("AT^SPBS=" for the service numbers).
std::string Cpbs(PhoneMemory memory);
// The selected memory's storage query: "AT^SPBS?" for the service numbers,
// "AT+CPBS?" for every other memory.
std::string CpbsQuery(PhoneMemory memory);
std::string Cpbr(std::string_view position);
// A delete: "AT+CPBW=" and the position.
std::string Cpbw(std::string_view position);
// The write of one phonebook entry, AT+CPBW=<position>,"<number>",,"<name>"
// and CR: the position as digits, the number not empty, the name escaped.
std::string CpbwEntry(std::string_view position, std::string_view number, std::string_view name);
// The line unchanged (it already ends in CR); "" unless it is one command.
std::string Raw(std::string_view line);
// Message memory: the SIM card ("SM") or the phone ("ME"); "" for any other.
std::string Cpms(PhoneMemory memory);
std::string Cmgr(std::string_view index);
std::string Cmgw(std::string_view length);
std::string Cmgd(std::string_view index);
std::string Cmgs(std::string_view length);
// args: the position, optionally "," and the number (quoted or not).
std::string Cmss(std::string_view args);
// The PDU hex text (or an upload packet) and one Ctrl-Z; no CR. "" for
// anything but hex digits.
std::string Pdu(std::string_view pdu);
std::string Sdld();
std::string SbnrTest();
std::string Sbnr(int type, int index);
std::string Sbnw(int type, int location, int part, int count);
// Delete a binary object. For a melody nothing is sent unless the selected
// item of the melody list is an "Individual" melody.
std::string SbnwDelete(int type, std::string_view index,
                       const std::vector<std::string>& melodyItems, int selectedMelody);
// One ESC byte; no CR.
std::string Escape();
// Lock: mode 0 unlock, 1 lock, 2 query.
std::string Clck(int facilityIndex, int mode, int cls, std::string_view password);
std::string Cpwd(int kind, std::string_view oldCode, std::string_view newCode);
// Ringer melody: mode 0 list ("=?"), 1 query, 2 set; any other mode "AT^SRTC".
std::string Srtc(int mode, int melody, int volume);
std::string VtsTone(std::string_view tone, int duration);
std::string VtsString(std::string_view digits);
// Settings: mode 0 set to value, mode 1 query.
std::string Calm(int mode, int value);
std::string Crsl(int mode, int value);
std::string Cvib(int mode, int value);
std::string Cpuc(int mode, std::string_view currency, std::string_view price,
                 std::string_view password);

}  // namespace parlenko::at
