#pragma once
// The phonebooks' commands: memory selection, storage query, read and write.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"
#include "engine/phone/phone_memory.h"

#include <string>
#include <string_view>

namespace parlenko::at {

// Memory selection ("AT^SPBS=" for the service numbers).
std::string Cpbs(PhoneMemory memory);
// The selected memory's storage query: "AT^SPBS?" for the service numbers,
// "AT+CPBS?" for every other memory.
std::string CpbsQuery(PhoneMemory memory);
std::string Cpbr(std::string_view position);
// A delete: "AT+CPBW=" and the position.
std::string Cpbw(std::string_view position);
// The write of one phonebook entry, AT+CPBW=<position>,"<number>",,"<name>"
// and CR: the position as digits, the number not empty, the name (8-bit
// text of characters the phone stores, IsPhoneText) escaped.
std::string CpbwEntry(std::string_view position, std::string_view number, std::string_view name);
// The line unchanged (it already ends in CR); "" unless it is one command.
std::string Raw(std::string_view line);

}  // namespace parlenko::at

namespace parlenko {

void SendAtCpbs(EngineContext& ctx, PhoneMemory memory);
void SendAtCpbsQuery(EngineContext& ctx, PhoneMemory memory);
void SendAtCpbr(EngineContext& ctx, std::string_view position);
void SendAtCpbw(EngineContext& ctx, std::string_view argument);
void SendAtRaw(EngineContext& ctx, std::string_view line);

}  // namespace parlenko
