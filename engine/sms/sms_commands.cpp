#include "engine/sms/sms_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/text/gsm_alphabet.h"

namespace parlenko::at {

namespace {

// "AT+CMSS=" arguments: a position, then optionally a number, quoted or not.
bool IsStoredSendArgs(std::string_view args) {
    const auto comma = args.find(',');
    if (!IsDigitsText(args.substr(0, comma))) return false;
    if (comma == std::string_view::npos) return true;
    std::string_view number = args.substr(comma + 1);
    if (number.size() >= 2 && number.front() == '"' && number.back() == '"')
        number = number.substr(1, number.size() - 2);
    return IsValidNumber(number);
}
}  // namespace

std::string Cpms(PhoneMemory memory) {
    if (memory != PhoneMemory::Sim && memory != PhoneMemory::Phone) return {};
    // The same memory for reading, writing and receiving.
    const std::string_view code = MemoryCode(memory);
    return Join({"AT+CPMS=\"", code, "\",\"", code, "\",\"", code, "\""});
}
std::string Cmgr(std::string_view index) { return WithDigits("AT+CMGR=", index); }
std::string Cmgw(std::string_view length) { return WithDigits("AT+CMGW=", length); }
std::string Cmgd(std::string_view index) { return WithDigits("AT+CMGD=", index); }
std::string Cmgs(std::string_view length) { return WithDigits("AT+CMGS=", length); }
std::string Cmss(std::string_view args) {
    return IsStoredSendArgs(args) ? Join({"AT+CMSS=", args}) : std::string();
}
}  // namespace parlenko::at

namespace parlenko {

void SendAtCpms(EngineContext& ctx, PhoneMemory memory) { SendCommand(ctx, at::Cpms(memory)); }
void SendAtCmgr(EngineContext& ctx, std::string_view index) { SendCommand(ctx, at::Cmgr(index)); }
void SendAtCmgw(EngineContext& ctx, std::string_view length) { SendCommand(ctx, at::Cmgw(length)); }
void SendAtCmgd(EngineContext& ctx, std::string_view index) { SendCommand(ctx, at::Cmgd(index)); }
void SendAtCmgs(EngineContext& ctx, std::string_view length) { SendCommand(ctx, at::Cmgs(length)); }
void SendAtCmss(EngineContext& ctx, std::string_view args) { SendCommand(ctx, at::Cmss(args)); }
}  // namespace parlenko
