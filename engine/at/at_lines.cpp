#include "engine/at/at_lines.h"

#include "engine/core/strings.h"
#include "engine/text/gsm_alphabet.h"

#include <algorithm>
#include <initializer_list>

namespace parlenko::at {

namespace {

constexpr char kCr = '\r';

std::string Line(std::string_view text) {
    std::string s(text);
    s += kCr;
    return s;
}

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (auto p : parts) s += p;
    s += kCr;
    return s;
}

// "\"vcs\"," and the others: the comma belongs to the type text.
std::string_view ObjectType(int type) {
    switch (type) {
        case kObjAppointment: return "\"vcs\",";
        case kObjMelody: return "\"mid\",";
        case kObjLogo: return "\"bmp\",";
        default: return {};
    }
}

bool IsHexText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

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

// The clock as "AT+CCLK=" takes it: one quoted text.
bool IsQuotedClock(std::string_view clock) {
    return clock.size() >= 2 && clock.front() == '"' && clock.back() == '"' &&
           IsQuotedText(clock.substr(1, clock.size() - 2));
}

// A position, index or length after the command's "=".
std::string WithDigits(std::string_view command, std::string_view digits) {
    return IsDigitsText(digits) ? Join({command, digits}) : std::string();
}

std::string QuerySet(std::string_view command, int mode, int value) {
    if (mode == 0) return Join({command, "=", IntToStr(value)});
    if (mode == 1) return Join({command, "?"});
    return {};
}

}  // namespace

bool IsDigitsText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsQuotedText(std::string_view s) { return IsValidText(s) && s.find('"') == s.npos; }

bool IsDtmfText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
    });
}

bool IsOneCommand(std::string_view line) {
    if (!line.empty() && line.back() == kCr) line.remove_suffix(1);
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 32 || b == 127;
    });
}

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
std::string Smso() { return Line("AT^SMSO"); }
std::string EchoOn() { return Line("ATE1"); }
std::string Cmee() { return Line("AT+CMEE=1"); }

std::string Csca(int mode, std::string_view number) {
    if (mode == 0)
        return IsValidNumber(number) ? Join({"AT+CSCA=\"", number, "\""}) : std::string();
    if (mode == 1) return Line("AT+CSCA?");
    return {};
}

std::string Csms() { return Line("AT+CSMS=1"); }

std::string Cnmi(int mode) {
    if (mode == 0) return Line("AT+CNMI=1,1,0,2");
    if (mode == 1) return Line("AT+CNMI=1,1,2,2");
    return {};
}

std::string Smgo() { return Line("AT^SMGO=1"); }
std::string Clip() { return Line("AT+CLIP=1"); }
std::string Cmgf() { return Line("AT+CMGF=0"); }
std::string Cscb() { return Line("AT+CSCB=1"); }
std::string Dial(std::string_view number) {
    return IsValidNumber(number) ? Join({"ATD", number, ";"}) : std::string();
}
std::string Chup() { return Line("AT+CHUP"); }
std::string Answer() { return Line("ATA"); }

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
    if (!IsDigitsText(position) || number.empty() || !IsValidNumber(number)) return {};
    return Join({"AT+CPBW=", position, ",\"", number, "\",,\"", EscapeGsmText(name), "\""});
}

std::string Raw(std::string_view line) {
    return IsOneCommand(line) ? std::string(line) : std::string();
}

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

std::string Pdu(std::string_view pdu) {
    if (!IsHexText(pdu)) return {};
    std::string s(pdu);
    s += '\x1a';
    return s;
}

std::string Sdld() { return Line("AT^SDLD"); }
std::string SbnrTest() { return Line("AT^SBNR=?"); }

std::string Sbnr(int type, int index) {
    auto t = ObjectType(type);
    if (t.empty()) return {};
    return Join({"AT^SBNR=", t, IntToStr(index)});
}

std::string Sbnw(int type, int location, int part, int count) {
    auto t = ObjectType(type);
    if (t.empty()) return {};
    return Join({"AT^SBNW=", t, IntToStr(location), ",", IntToStr(part), ",", IntToStr(count)});
}

std::string SbnwDelete(int type, std::string_view index,
                       const std::vector<std::string>& melodyItems, int selectedMelody) {
    auto t = ObjectType(type);
    if (t.empty() || !IsDigitsText(index)) return {};
    if (type == kObjMelody) {
        const int count = static_cast<int>(melodyItems.size());
        if (selectedMelody < 0 || selectedMelody >= count) return {};
        if (melodyItems[static_cast<std::size_t>(selectedMelody)].find("Individual") ==
            std::string::npos)
            return {};
    }
    return Join({"AT^SBNW=", t, index, ",0"});
}

std::string Escape() { return std::string(1, '\x1b'); }

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

std::string Srtc(int mode, int melody, int volume) {
    switch (mode) {
        case 0: return Line("AT^SRTC=?");
        case 1: return Line("AT^SRTC?");
        case 2: return Join({"AT^SRTC=", IntToStr(melody), ",", IntToStr(volume)});
        default: return Line("AT^SRTC");
    }
}

std::string VtsTone(std::string_view tone, int duration) {
    if (!IsDtmfText(tone)) return {};
    return Join({"AT+VTS=", tone, ",", IntToStr(duration)});
}

std::string VtsString(std::string_view digits) {
    return IsDtmfText(digits) ? Join({"AT+VTS=\"", digits, "\""}) : std::string();
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
