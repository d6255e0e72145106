#pragma once
// The diverts', locks' and security codes' commands.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <array>
#include <string>
#include <string_view>

namespace parlenko::at {

// Facility codes of "AT+CLCK=", indexed 1..9: keypad lock, phone lock, SIM
// PIN lock, fixed dialling, then the five call barrings.
inline constexpr std::array<std::string_view, 9> LockFacilities = {"CS", "PS", "SC", "FD", "AO",
                                                                   "OI", "OX", "AI", "IR"};
// Facility codes of "AT+CPWD=", indexed 1..8 by the kind of security code.
inline constexpr std::array<std::string_view, 8> PasswordFacilities = {"SC", "P2", "PS", "AO",
                                                                       "OI", "OX", "AI", "IR"};
// Divert: mode 0 disable, 1 enable, 2 query, 3 register, 4 erase.
std::string Ccfc(std::string_view reason, std::string_view number, std::string_view cls,
                 std::string_view time, int mode);
// Lock: mode 0 unlock, 1 lock, 2 query.
std::string Clck(int facilityIndex, int mode, int cls, std::string_view password);
std::string Cpwd(int kind, std::string_view oldCode, std::string_view newCode);

}  // namespace parlenko::at

namespace parlenko {

void SendAtCcfc(EngineContext& ctx, std::string_view reason, std::string_view number,
                std::string_view cls, std::string_view time, int mode);
void SendAtClck(EngineContext& ctx, int facilityIndex, int mode, int cls,
                std::string_view password);
void SendAtCpwd(EngineContext& ctx, int kind, std::string_view oldCode, std::string_view newCode);

}  // namespace parlenko
