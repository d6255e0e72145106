#include "engine/general/general_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/core/strings.h"

namespace parlenko::at {

namespace {

// The clock as "AT+CCLK=" takes it: one quoted text.
bool IsQuotedClock(std::string_view clock) {
    return clock.size() >= 2 && clock.front() == '"' && clock.back() == '"' &&
           IsQuotedText(clock.substr(1, clock.size() - 2));
}
}  // namespace

std::string Cgmi() { return Line("AT+CGMI"); }
std::string Cgmm() { return Line("AT+CGMM"); }
std::string Cgmr() { return Line("AT+CGMR"); }
std::string Cpas() { return Line("AT+CPAS"); }
std::string Cgsn() { return Line("AT+CGSN"); }
std::string Cimi() { return Line("AT+CIMI"); }
std::string Scid() { return Line("AT^SCID"); }
std::string Cclk(int mode, std::string_view clock) {
    if (mode == 0) return IsQuotedClock(clock) ? Join({"AT+CCLK=", clock}) : std::string();
    if (mode == 1) return Line("AT+CCLK?");
    return {};
}
std::string Cbc() { return Line("AT+CBC"); }
std::string CopsAuto() { return Line("AT+COPS=0,0"); }
std::string CopsQuery() { return Line("AT+COPS?"); }
std::string CregSet(int n) { return Join({"AT+CREG=", IntToStr(n)}); }
std::string CregQuery() { return Line("AT+CREG?"); }
std::string Csq() { return Line("AT+CSQ"); }
std::string Cscb() { return Line("AT+CSCB=1"); }

}  // namespace parlenko::at

namespace parlenko {

void SendAtCgmi(EngineContext& ctx) { SendCommand(ctx, at::Cgmi()); }
void SendAtCgmm(EngineContext& ctx) { SendCommand(ctx, at::Cgmm()); }
void SendAtCgmr(EngineContext& ctx) { SendCommand(ctx, at::Cgmr()); }
void SendAtCpas(EngineContext& ctx) { SendCommand(ctx, at::Cpas()); }
void SendAtCgsn(EngineContext& ctx) { SendCommand(ctx, at::Cgsn()); }
void SendAtCimi(EngineContext& ctx) { SendCommand(ctx, at::Cimi()); }
void SendAtScid(EngineContext& ctx) { SendCommand(ctx, at::Scid()); }
void SendAtCclk(EngineContext& ctx, int mode, std::string_view clock) {
    SendCommand(ctx, at::Cclk(mode, clock));
}
void SendAtCbc(EngineContext& ctx) { SendCommand(ctx, at::Cbc()); }
void SendAtCopsAuto(EngineContext& ctx) { SendCommand(ctx, at::CopsAuto()); }
void SendAtCopsQuery(EngineContext& ctx) { SendCommand(ctx, at::CopsQuery()); }
void SendAtCregSet(EngineContext& ctx, int n) {
    ctx.state.Chain.CregSetSent = true;
    SendCommand(ctx, at::CregSet(n));
}
void SendAtCregQuery(EngineContext& ctx) {
    ctx.state.Chain.CregSetSent = false;
    SendCommand(ctx, at::CregQuery());
}
void SendAtCsq(EngineContext& ctx) { SendCommand(ctx, at::Csq()); }
void SendAtCscb(EngineContext& ctx) { SendCommand(ctx, at::Cscb()); }

}  // namespace parlenko
