#include "engine/phonebook/phonebook_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/text/gsm_alphabet.h"

namespace parlenko::at {

std::string Cpbs(PhoneMemory memory) {
    // The service numbers are the vendor's memory with a command of its own.
    const std::string_view command = memory == PhoneMemory::Service ? "AT^SPBS=\"" : "AT+CPBS=\"";
    return Join({command, MemoryCode(memory), "\""});
}
std::string CpbsQuery(PhoneMemory memory) {
    return Line(memory == PhoneMemory::Service ? "AT^SPBS?" : "AT+CPBS?");
}
std::string Cpbr(std::string_view position) { return WithDigits("AT+CPBR=", position); }
std::string Cpbw(std::string_view position) { return WithDigits("AT+CPBW=", position); }
std::string CpbwEntry(std::string_view position, std::string_view number, std::string_view name) {
    if (!IsDigitsText(position) || number.empty() || !IsValidNumber(number) || !IsPhoneText(name))
        return {};
    return Join({"AT+CPBW=", position, ",\"", number, "\",,\"", EscapeGsmText(name), "\""});
}
std::string Raw(std::string_view line) {
    return IsOneCommand(line) ? std::string(line) : std::string();
}
}  // namespace parlenko::at

namespace parlenko {

void SendAtCpbs(EngineContext& ctx, PhoneMemory memory) { SendCommand(ctx, at::Cpbs(memory)); }
void SendAtCpbsQuery(EngineContext& ctx, PhoneMemory memory) {
    SendCommand(ctx, at::CpbsQuery(memory));
}
void SendAtCpbr(EngineContext& ctx, std::string_view position) {
    SendCommand(ctx, at::Cpbr(position));
}
void SendAtCpbw(EngineContext& ctx, std::string_view argument) {
    SendCommand(ctx, at::Cpbw(argument));
}
void SendAtRaw(EngineContext& ctx, std::string_view line) { SendCommand(ctx, at::Raw(line)); }
}  // namespace parlenko
