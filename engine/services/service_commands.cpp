#include "engine/services/service_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/core/strings.h"
#include "engine/text/gsm_alphabet.h"

namespace parlenko::at {

std::string Ccfc(std::string_view reason, std::string_view number, std::string_view cls,
                 std::string_view time, int mode) {
    if (!IsDigitsText(reason)) return {};
    std::string s = "AT+CCFC=";
    switch (mode) {
        case 0:
        case 1:
        case 3:
            if (!IsValidNumber(number) || !IsDigitsText(cls) || !IsDigitsText(time)) return {};
            s += reason;
            s += ',';
            s += IntToStr(mode);
            s += ",\"";
            s += number;
            s += "\",,";
            s += cls;
            if (reason == "2") {
                s += ",,,";
                s += time;
            }
            break;
        case 2:
        case 4:
            s += reason;
            s += ',';
            s += IntToStr(mode);
            break;
        default: break;
    }
    s += kCr;
    return s;
}
std::string Clck(int facilityIndex, int mode, int cls, std::string_view password) {
    if (facilityIndex < 1 || facilityIndex > static_cast<int>(LockFacilities.size())) return {};
    if (!IsDigitsText(password)) return {};
    std::string s = "AT+CLCK=\"";
    s += LockFacilities[static_cast<std::size_t>(facilityIndex - 1)];
    s += "\",";
    s += IntToStr(mode);
    if (mode != 2) {
        if (facilityIndex >= 2 && facilityIndex <= 4) {
            s += ',';
            s += password;
        } else if (facilityIndex >= 5) {
            s += ',';
            s += password;
            s += ',';
            s += IntToStr(cls);
        }
    }
    s += kCr;
    return s;
}
std::string Cpwd(int kind, std::string_view oldCode, std::string_view newCode) {
    if (kind < 1 || kind > static_cast<int>(PasswordFacilities.size())) return {};
    if (!IsDigitsText(oldCode) || !IsDigitsText(newCode)) return {};
    return Join({"AT+CPWD=\"", PasswordFacilities[static_cast<std::size_t>(kind - 1)], "\",",
                 oldCode, ",", newCode});
}
}  // namespace parlenko::at

namespace parlenko {

void SendAtCcfc(EngineContext& ctx, std::string_view reason, std::string_view number,
                std::string_view cls, std::string_view time, int mode) {
    SendCommand(ctx, at::Ccfc(reason, number, cls, time, mode));
}
void SendAtClck(EngineContext& ctx, int facilityIndex, int mode, int cls,
                std::string_view password) {
    SendCommand(ctx, at::Clck(facilityIndex, mode, cls, password));
}
void SendAtCpwd(EngineContext& ctx, int kind, std::string_view oldCode, std::string_view newCode) {
    SendCommand(ctx, at::Cpwd(kind, oldCode, newCode));
}
}  // namespace parlenko
