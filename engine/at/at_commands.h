#pragma once
// The AT command writers: each builds its line (at_lines.h) and writes it
// through SendAtLine, which reports a failed write. Nothing here waits for
// the answer; the receive scan recognises it by the echoed line. A writer
// whose selector is outside the listed values sends nothing.

#include "engine/phone/phone_memory.h"
#include "engine/core/engine_context.h"

#include <string_view>

namespace parlenko {

void SendAtCgmi(EngineContext& ctx);
void SendAtCgmm(EngineContext& ctx);
void SendAtCgmr(EngineContext& ctx);
void SendAtCpas(EngineContext& ctx);
void SendAtCgsn(EngineContext& ctx);
void SendAtCimi(EngineContext& ctx);
void SendAtScid(EngineContext& ctx);
void SendAtCclk(EngineContext& ctx, int mode, std::string_view clock = {});
void SendAtCbc(EngineContext& ctx);
void SendAtCopsAuto(EngineContext& ctx);
void SendAtCopsQuery(EngineContext& ctx);
// Sets CregSetSent, then "AT+CREG=<n>".
void SendAtCregSet(EngineContext& ctx, int n);
// Clears CregSetSent, then "AT+CREG?".
void SendAtCregQuery(EngineContext& ctx);
void SendAtCsq(EngineContext& ctx);
void SendAtSmso(EngineContext& ctx);
void SendAtEchoOn(EngineContext& ctx);
void SendAtCmee(EngineContext& ctx);
void SendAtCsca(EngineContext& ctx, int mode, std::string_view number = {});
void SendAtCsms(EngineContext& ctx);
void SendAtCnmi(EngineContext& ctx, int mode);
void SendAtSmgo(EngineContext& ctx);
void SendAtClip(EngineContext& ctx);
void SendAtCmgf(EngineContext& ctx);
void SendAtCscb(EngineContext& ctx);
void SendAtDial(EngineContext& ctx, std::string_view number);
void SendAtChup(EngineContext& ctx);
void SendAtAnswer(EngineContext& ctx);
void SendAtCcfc(EngineContext& ctx, std::string_view reason, std::string_view number,
                std::string_view cls, std::string_view time, int mode);
void SendAtCpbs(EngineContext& ctx, PhoneMemory memory);
void SendAtCpbsQuery(EngineContext& ctx, PhoneMemory memory);
void SendAtCpbr(EngineContext& ctx, std::string_view position);
void SendAtCpbw(EngineContext& ctx, std::string_view argument);
void SendAtRaw(EngineContext& ctx, std::string_view line);
void SendAtCpms(EngineContext& ctx, PhoneMemory memory);
void SendAtCmgr(EngineContext& ctx, std::string_view index);
void SendAtCmgw(EngineContext& ctx, std::string_view length);
void SendAtCmgd(EngineContext& ctx, std::string_view index);
void SendAtCmgs(EngineContext& ctx, std::string_view length);
void SendAtCmss(EngineContext& ctx, std::string_view args);
void SendAtPdu(EngineContext& ctx, std::string_view pdu);
void SendAtSdld(EngineContext& ctx);
void SendAtSbnrTest(EngineContext& ctx);
void SendAtSbnr(EngineContext& ctx, int type, int index);
void SendAtSbnw(EngineContext& ctx, int type, int location, int part, int count);
// A melody is deleted only while a user melody is selected (state.Melodies).
void SendAtSbnwDelete(EngineContext& ctx, int type, std::string_view index);
// A lone ESC that aborts a waiting "> " prompt; expects no answer, so it
// does not re-arm the time-out.
void SendAtEscape(EngineContext& ctx);
void SendAtClck(EngineContext& ctx, int facilityIndex, int mode, int cls,
                std::string_view password);
void SendAtCpwd(EngineContext& ctx, int kind, std::string_view oldCode, std::string_view newCode);
void SendAtSrtc(EngineContext& ctx, int mode, int melody = 0, int volume = 0);
void SendAtVtsTone(EngineContext& ctx, std::string_view tone, int duration);
void SendAtVtsString(EngineContext& ctx, std::string_view digits);
void SendAtCalm(EngineContext& ctx, int mode, int value = 0);
void SendAtCrsl(EngineContext& ctx, int mode, int value = 0);
void SendAtCvib(EngineContext& ctx, int mode, int value = 0);
void SendAtCpuc(EngineContext& ctx, int mode, std::string_view currency = {},
                std::string_view price = {}, std::string_view password = {});

}  // namespace parlenko
