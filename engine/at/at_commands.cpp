#include "engine/at/at_commands.h"

#include "engine/at/at_lines.h"
#include "engine/conversation/command_send.h"
#include "engine/melodies/melodies_state.h"

namespace parlenko {

namespace {

void Send(EngineContext& ctx, const std::string& line,
          AnswerExpected expected = AnswerExpected::Yes) {
    if (line.empty()) return;  // a selector outside the listed values
    // Closing: the running operation ends here, its next step is not sent.
    if (ctx.state.Chain.Closing) return;
    SendAtLine(ctx, line, expected);
}

}  // namespace

void SendAtCgmi(EngineContext& ctx) { Send(ctx, at::Cgmi()); }
void SendAtCgmm(EngineContext& ctx) { Send(ctx, at::Cgmm()); }
void SendAtCgmr(EngineContext& ctx) { Send(ctx, at::Cgmr()); }
void SendAtCpas(EngineContext& ctx) { Send(ctx, at::Cpas()); }
void SendAtCgsn(EngineContext& ctx) { Send(ctx, at::Cgsn()); }
void SendAtCimi(EngineContext& ctx) { Send(ctx, at::Cimi()); }
void SendAtScid(EngineContext& ctx) { Send(ctx, at::Scid()); }
void SendAtCclk(EngineContext& ctx, int mode, std::string_view clock) {
    Send(ctx, at::Cclk(mode, clock));
}
void SendAtCbc(EngineContext& ctx) { Send(ctx, at::Cbc()); }
void SendAtCopsAuto(EngineContext& ctx) { Send(ctx, at::CopsAuto()); }
void SendAtCopsQuery(EngineContext& ctx) { Send(ctx, at::CopsQuery()); }

void SendAtCregSet(EngineContext& ctx, int n) {
    ctx.state.Chain.CregSetSent = true;
    Send(ctx, at::CregSet(n));
}

void SendAtCregQuery(EngineContext& ctx) {
    ctx.state.Chain.CregSetSent = false;
    Send(ctx, at::CregQuery());
}

void SendAtCsq(EngineContext& ctx) { Send(ctx, at::Csq()); }
void SendAtSmso(EngineContext& ctx) { Send(ctx, at::Smso()); }
void SendAtEchoOn(EngineContext& ctx) { Send(ctx, at::EchoOn()); }
void SendAtCmee(EngineContext& ctx) { Send(ctx, at::Cmee()); }
void SendAtCsca(EngineContext& ctx, int mode, std::string_view number) {
    Send(ctx, at::Csca(mode, number));
}
void SendAtCsms(EngineContext& ctx) { Send(ctx, at::Csms()); }
void SendAtCnmi(EngineContext& ctx, int mode) { Send(ctx, at::Cnmi(mode)); }
void SendAtSmgo(EngineContext& ctx) { Send(ctx, at::Smgo()); }
void SendAtClip(EngineContext& ctx) { Send(ctx, at::Clip()); }
void SendAtCmgf(EngineContext& ctx) { Send(ctx, at::Cmgf()); }
void SendAtCscb(EngineContext& ctx) { Send(ctx, at::Cscb()); }
void SendAtDial(EngineContext& ctx, std::string_view number) { Send(ctx, at::Dial(number)); }
void SendAtChup(EngineContext& ctx) { Send(ctx, at::Chup()); }
void SendAtAnswer(EngineContext& ctx) { Send(ctx, at::Answer()); }
void SendAtCcfc(EngineContext& ctx, std::string_view reason, std::string_view number,
                std::string_view cls, std::string_view time, int mode) {
    Send(ctx, at::Ccfc(reason, number, cls, time, mode));
}
void SendAtCpbs(EngineContext& ctx, PhoneMemory memory) { Send(ctx, at::Cpbs(memory)); }
void SendAtCpbsQuery(EngineContext& ctx, PhoneMemory memory) { Send(ctx, at::CpbsQuery(memory)); }
void SendAtCpbr(EngineContext& ctx, std::string_view position) { Send(ctx, at::Cpbr(position)); }
void SendAtCpbw(EngineContext& ctx, std::string_view argument) { Send(ctx, at::Cpbw(argument)); }
void SendAtRaw(EngineContext& ctx, std::string_view line) { Send(ctx, at::Raw(line)); }
void SendAtCpms(EngineContext& ctx, PhoneMemory memory) { Send(ctx, at::Cpms(memory)); }
void SendAtCmgr(EngineContext& ctx, std::string_view index) { Send(ctx, at::Cmgr(index)); }
void SendAtCmgw(EngineContext& ctx, std::string_view length) { Send(ctx, at::Cmgw(length)); }
void SendAtCmgd(EngineContext& ctx, std::string_view index) { Send(ctx, at::Cmgd(index)); }
void SendAtCmgs(EngineContext& ctx, std::string_view length) { Send(ctx, at::Cmgs(length)); }
void SendAtCmss(EngineContext& ctx, std::string_view args) { Send(ctx, at::Cmss(args)); }
void SendAtPdu(EngineContext& ctx, std::string_view pdu) { Send(ctx, at::Pdu(pdu)); }
void SendAtSdld(EngineContext& ctx) { Send(ctx, at::Sdld()); }
void SendAtSbnrTest(EngineContext& ctx) { Send(ctx, at::SbnrTest()); }
void SendAtSbnr(EngineContext& ctx, int type, int index) { Send(ctx, at::Sbnr(type, index)); }
void SendAtSbnw(EngineContext& ctx, int type, int location, int part, int count) {
    Send(ctx, at::Sbnw(type, location, part, count));
}
void SendAtSbnwDelete(EngineContext& ctx, int type, std::string_view index) {
    const auto& m = Melodies(ctx);
    Send(ctx, at::SbnwDelete(type, index, m.MelodijeCB, m.MelodijeIndex));
}
void SendAtEscape(EngineContext& ctx) { Send(ctx, at::Escape(), AnswerExpected::No); }
void SendAtClck(EngineContext& ctx, int facilityIndex, int mode, int cls,
                std::string_view password) {
    Send(ctx, at::Clck(facilityIndex, mode, cls, password));
}
void SendAtCpwd(EngineContext& ctx, int kind, std::string_view oldCode, std::string_view newCode) {
    Send(ctx, at::Cpwd(kind, oldCode, newCode));
}
void SendAtSrtc(EngineContext& ctx, int mode, int melody, int volume) {
    Send(ctx, at::Srtc(mode, melody, volume));
}
void SendAtVtsTone(EngineContext& ctx, std::string_view tone, int duration) {
    Send(ctx, at::VtsTone(tone, duration));
}
void SendAtVtsString(EngineContext& ctx, std::string_view digits) {
    Send(ctx, at::VtsString(digits));
}
void SendAtCalm(EngineContext& ctx, int mode, int value) { Send(ctx, at::Calm(mode, value)); }
void SendAtCrsl(EngineContext& ctx, int mode, int value) { Send(ctx, at::Crsl(mode, value)); }
void SendAtCvib(EngineContext& ctx, int mode, int value) { Send(ctx, at::Cvib(mode, value)); }
void SendAtCpuc(EngineContext& ctx, int mode, std::string_view currency, std::string_view price,
                std::string_view password) {
    Send(ctx, at::Cpuc(mode, currency, price, password));
}

}  // namespace parlenko
