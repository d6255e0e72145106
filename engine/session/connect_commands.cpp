#include "engine/session/connect_commands.h"

#include "engine/conversation/command_lines.h"

namespace parlenko::at {

std::string Cmee() { return Line("AT+CMEE=1"); }
std::string Csms() { return Line("AT+CSMS=1"); }
std::string Cnmi(int mode) {
    if (mode == 0) return Line("AT+CNMI=1,1,0,2");
    if (mode == 1) return Line("AT+CNMI=1,1,2,2");
    return {};
}
std::string Smgo() { return Line("AT^SMGO=1"); }
std::string Clip() { return Line("AT+CLIP=1"); }
std::string Cmgf() { return Line("AT+CMGF=0"); }
}  // namespace parlenko::at

namespace parlenko {

void SendAtCmee(EngineContext& ctx) { SendCommand(ctx, at::Cmee()); }
void SendAtCsms(EngineContext& ctx) { SendCommand(ctx, at::Csms()); }
void SendAtCnmi(EngineContext& ctx, int mode) { SendCommand(ctx, at::Cnmi(mode)); }
void SendAtSmgo(EngineContext& ctx) { SendCommand(ctx, at::Smgo()); }
void SendAtClip(EngineContext& ctx) { SendCommand(ctx, at::Clip()); }
void SendAtCmgf(EngineContext& ctx) { SendCommand(ctx, at::Cmgf()); }
}  // namespace parlenko
