#pragma once
// The settings the connect chain makes: error codes, the SMS service, the
// notices, the caller's number and PDU mode.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <string>
#include <string_view>

namespace parlenko::at {

std::string Cmee();
std::string Csms();
// mode 0: cell broadcasts not delivered; mode 1: delivered as "+CBM:".
std::string Cnmi(int mode);
std::string Smgo();
std::string Clip();
std::string Cmgf();

}  // namespace parlenko::at

namespace parlenko {

void SendAtCmee(EngineContext& ctx);
void SendAtCsms(EngineContext& ctx);
void SendAtCnmi(EngineContext& ctx, int mode);
void SendAtSmgo(EngineContext& ctx);
void SendAtClip(EngineContext& ctx);
void SendAtCmgf(EngineContext& ctx);

}  // namespace parlenko
