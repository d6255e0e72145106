#pragma once
// The messages' commands: memory selection, read, store, delete and send.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"
#include "engine/phone/phone_memory.h"

#include <string>
#include <string_view>

namespace parlenko::at {

// Message memory: the SIM card ("SM") or the phone ("ME"); "" for any other.
std::string Cpms(PhoneMemory memory);
std::string Cmgr(std::string_view index);
std::string Cmgw(std::string_view length);
std::string Cmgd(std::string_view index);
std::string Cmgs(std::string_view length);
// args: the position, optionally "," and the number (quoted or not).
std::string Cmss(std::string_view args);

}  // namespace parlenko::at

namespace parlenko {

void SendAtCpms(EngineContext& ctx, PhoneMemory memory);
void SendAtCmgr(EngineContext& ctx, std::string_view index);
void SendAtCmgw(EngineContext& ctx, std::string_view length);
void SendAtCmgd(EngineContext& ctx, std::string_view index);
void SendAtCmgs(EngineContext& ctx, std::string_view length);
void SendAtCmss(EngineContext& ctx, std::string_view args);

}  // namespace parlenko
