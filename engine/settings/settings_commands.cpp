#include "engine/settings/settings_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/text/gsm_alphabet.h"

namespace parlenko::at {

std::string Smso() { return Line("AT^SMSO"); }
std::string Csca(int mode, std::string_view number) {
    if (mode == 0)
        return IsValidNumber(number) ? Join({"AT+CSCA=\"", number, "\""}) : std::string();
    if (mode == 1) return Line("AT+CSCA?");
    return {};
}
std::string Calm(int mode, int value) { return QuerySet("AT+CALM", mode, value); }
std::string Crsl(int mode, int value) { return QuerySet("AT+CRSL", mode, value); }
std::string Cvib(int mode, int value) { return QuerySet("AT+CVIB", mode, value); }
std::string Cpuc(int mode, std::string_view currency, std::string_view price,
                 std::string_view password) {
    if (mode == 0) {
        if (!IsQuotedText(currency) || !IsQuotedText(price) || !IsQuotedText(password)) return {};
        return Join({"AT+CPUC=\"", currency, "\",\"", price, "\",\"", password, "\""});
    }
    if (mode == 1) return Line("AT+CPUC?");
    return {};
}
}  // namespace parlenko::at

namespace parlenko {

void SendAtSmso(EngineContext& ctx) { SendClosingCommand(ctx, at::Smso()); }
void SendAtCsca(EngineContext& ctx, int mode, std::string_view number) {
    SendCommand(ctx, at::Csca(mode, number));
}
void SendAtCalm(EngineContext& ctx, int mode, int value) {
    SendCommand(ctx, at::Calm(mode, value));
}
void SendAtCrsl(EngineContext& ctx, int mode, int value) {
    SendCommand(ctx, at::Crsl(mode, value));
}
void SendAtCvib(EngineContext& ctx, int mode, int value) {
    SendCommand(ctx, at::Cvib(mode, value));
}
void SendAtCpuc(EngineContext& ctx, int mode, std::string_view currency, std::string_view price,
                std::string_view password) {
    SendCommand(ctx, at::Cpuc(mode, currency, price, password));
}
}  // namespace parlenko
