#pragma once
// The general information's commands: the identity, the clock, the battery,
// the operator, the registration, the reception and the cell broadcasts
// that name the location.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <string>
#include <string_view>

namespace parlenko::at {

std::string Cgmi();
std::string Cgmm();
std::string Cgmr();
std::string Cpas();
std::string Cgsn();
std::string Cimi();
std::string Scid();
// mode 0: set the clock (clock is the quoted clock text); mode 1: query.
std::string Cclk(int mode, std::string_view clock);
std::string Cbc();
std::string CopsAuto();
std::string CopsQuery();
std::string CregSet(int n);
std::string CregQuery();
std::string Csq();
// Cell broadcasts of the location name on ("AT+CSCB=1").
std::string Cscb();

}  // namespace parlenko::at

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
void SendAtCscb(EngineContext& ctx);

}  // namespace parlenko
