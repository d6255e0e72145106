#include "engine/calls/call_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/core/strings.h"
#include "engine/text/gsm_alphabet.h"

namespace parlenko::at {

std::string Dial(std::string_view number) {
    return IsValidNumber(number) ? Join({"ATD", number, ";"}) : std::string();
}
std::string Chup() { return Line("AT+CHUP"); }
std::string Answer() { return Line("ATA"); }
std::string VtsTone(std::string_view tone, int duration) {
    if (!IsDtmfText(tone)) return {};
    return Join({"AT+VTS=", tone, ",", IntToStr(duration)});
}
std::string VtsString(std::string_view digits) {
    return IsDtmfText(digits) ? Join({"AT+VTS=\"", digits, "\""}) : std::string();
}
std::string Sdld() { return Line("AT^SDLD"); }
}  // namespace parlenko::at

namespace parlenko {

void SendAtDial(EngineContext& ctx, std::string_view number) { SendCommand(ctx, at::Dial(number)); }
void SendAtChup(EngineContext& ctx) { SendCommand(ctx, at::Chup()); }
void SendAtAnswer(EngineContext& ctx) { SendCommand(ctx, at::Answer()); }
void SendAtVtsTone(EngineContext& ctx, std::string_view tone, int duration) {
    SendCommand(ctx, at::VtsTone(tone, duration));
}
void SendAtVtsString(EngineContext& ctx, std::string_view digits) {
    SendCommand(ctx, at::VtsString(digits));
}
void SendAtSdld(EngineContext& ctx) { SendCommand(ctx, at::Sdld()); }
}  // namespace parlenko
