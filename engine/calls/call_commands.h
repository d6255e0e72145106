#pragma once
// The calls' commands: dial, hang up, answer, tones and the dialled calls.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <string>
#include <string_view>

namespace parlenko::at {

std::string Dial(std::string_view number);
std::string Chup();
std::string Answer();
std::string VtsTone(std::string_view tone, int duration);
std::string VtsString(std::string_view digits);
std::string Sdld();

}  // namespace parlenko::at

namespace parlenko {

void SendAtDial(EngineContext& ctx, std::string_view number);
void SendAtChup(EngineContext& ctx);
void SendAtAnswer(EngineContext& ctx);
void SendAtVtsTone(EngineContext& ctx, std::string_view tone, int duration);
void SendAtVtsString(EngineContext& ctx, std::string_view digits);
void SendAtSdld(EngineContext& ctx);

}  // namespace parlenko
