#pragma once
// The settings' commands: the SMS centre, the alert, the vibration, the
// ringer volume, the price per unit and switching the phone off.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <string>
#include <string_view>

namespace parlenko::at {

std::string Smso();
// mode 0: set the SMS centre number; mode 1: query.
std::string Csca(int mode, std::string_view number);
// Settings: mode 0 set to value, mode 1 query.
std::string Calm(int mode, int value);
std::string Crsl(int mode, int value);
std::string Cvib(int mode, int value);
std::string Cpuc(int mode, std::string_view currency, std::string_view price,
                 std::string_view password);

}  // namespace parlenko::at

namespace parlenko {

// Written while the conversation closes too: switching off is the start of
// the closing, and its "Try again?" sends it again.
void SendAtSmso(EngineContext& ctx);
void SendAtCsca(EngineContext& ctx, int mode, std::string_view number = {});
void SendAtCalm(EngineContext& ctx, int mode, int value = 0);
void SendAtCrsl(EngineContext& ctx, int mode, int value = 0);
void SendAtCvib(EngineContext& ctx, int mode, int value = 0);
void SendAtCpuc(EngineContext& ctx, int mode, std::string_view currency = {},
                std::string_view price = {}, std::string_view password = {});

}  // namespace parlenko
