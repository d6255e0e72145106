// The AT commands of the simulated phone: GSM 07.07 / 07.05 and the Siemens
// extensions of the S45 / ME45 generation, dispatched by group, and the basic
// (V.25ter) and general commands. Malformed commands and arguments answer
// "ERROR"; a well-formed command that the state refuses answers
// "+CME ERROR: n" / "+CMS ERROR: n" (plain "ERROR" with AT+CMEE=0).

#include "phonesim/command_util.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>

namespace phonesim {

using namespace detail;

Phonebook* Phone::SelectedPhonebook() {
    auto it = state_.phonebooks.find(state_.settings.phonebook);
    return it == state_.phonebooks.end() ? nullptr : &it->second;
}

std::string Phone::NameForNumber(const std::string& number) const {
    for (const char* book : {"SM", "ME"}) {
        auto it = state_.phonebooks.find(book);
        if (it == state_.phonebooks.end()) continue;
        for (const auto& [pos, e] : it->second.entries)
            if (e.number == number) return e.name;
    }
    return {};
}

void Phone::AddCallListEntry(const std::string& list, const std::string& number, int type) {
    auto it = state_.phonebooks.find(list);
    if (it == state_.phonebooks.end() || it->second.capacity <= 0) return;
    Phonebook& book = it->second;
    std::map<int, PhonebookEntry> moved;
    for (auto& [pos, e] : book.entries)
        if (pos + 1 <= book.capacity) moved[pos + 1] = e;
    moved[1] = PhonebookEntry{number, type, NameForNumber(number)};
    book.entries = std::move(moved);
}

Phone::Answer Phone::Execute(const Command& c, std::int64_t nowMs) {
    if (c.name.size() == 1 || c.name[0] == '&' ||
        (c.name[0] == 'S' && c.name.size() > 1 && c.name[1] >= '0' && c.name[1] <= '9'))
        return BasicCommand(c, nowMs);
    if (auto a = GeneralCommand(c, nowMs)) return *a;
    if (auto a = PhonebookCommand(c)) return *a;
    if (auto a = SmsCommand(c, nowMs)) return *a;
    if (auto a = ObjectCommand(c)) return *a;
    if (auto a = SupplementaryCommand(c, nowMs)) return *a;
    if (auto a = CallCommand(c, nowMs)) return *a;
    return Error();
}

// ---------------------------------------------------------------- basic (V.25ter)

Phone::Answer Phone::BasicCommand(const Command& c, std::int64_t nowMs) {
    Answer ok;
    const std::string& n = c.name;
    if (n == "E") {
        if (c.args.empty() || c.args == "0") state_.settings.echo = false;
        else if (c.args == "1") state_.settings.echo = true;
        else return Error();
        return ok;
    }
    if (n == "Z" || n == "&F") {
        state_.settings = seededSettings_;
        return ok;
    }
    if (n == "Q" || n == "V") {
        if (c.args.empty() || c.args == (n == "Q" ? "0" : "1")) return ok;
        return Error();  // numeric and quiet result codes are not offered
    }
    if (n == "I") {
        ok.lines = {state_.manufacturer, state_.model, "REVISION " + state_.revision};
        return ok;
    }
    if (n == "&C" || n == "&D" || n == "&S" || n == "&W" || n == "L" || n == "M" || n == "X")
        return ok;
    if (n[0] == 'S') {
        if (c.form == Command::Read) {
            ok.lines = {n == "S3" ? "013" : n == "S4" ? "010" : n == "S5" ? "008" : "000"};
        }
        return ok;
    }
    if (n == "D" || n == "A" || n == "H") return CallCommand(c, nowMs).value_or(Error());
    return Error();
}

// ---------------------------------------------------------------- identity, network, clock

std::optional<Phone::Answer> Phone::GeneralCommand(const Command& c, std::int64_t nowMs) {
    Answer ok;
    const std::string& n = c.name;
    auto params = ParseParams(c.args);
    auto identity = [&](const std::string& value) -> Answer {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Exec) return Error();
        ok.lines = {value};
        return ok;
    };
    if (n == "+CGMI" || n == "+GMI") return identity(state_.manufacturer);
    if (n == "+CGMM" || n == "+GMM") return identity(state_.model);
    if (n == "+CGMR" || n == "+GMR") return identity(state_.revision);
    if (n == "+CGSN" || n == "+GSN") return identity(state_.imei);
    if (n == "+CIMI") return identity(state_.imsi);
    if (n == "^SCID") {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Exec) return Error();
        ok.lines = {"^SCID: " + state_.simId};
        return ok;
    }
    if (n == "+GCAP") {
        if (c.form != Command::Exec) return Error();
        ok.lines = {"+GCAP: +CGSM,+FCLASS"};
        return ok;
    }
    if (n == "+CMEE") {
        if (c.form == Command::Read) {
            ok.lines = {"+CMEE: " + std::to_string(state_.settings.cmee)};
        } else if (c.form == Command::Test) {
            ok.lines = {"+CMEE: (0-2)"};
        } else if (c.form == Command::Set) {
            auto v = params.empty() ? std::optional<int>(0) : ToInt(params[0].text);
            if (!v || *v < 0 || *v > 2) return Error();
            state_.settings.cmee = *v;
        } else {
            state_.settings.cmee = 0;
        }
        return ok;
    }
    if (n == "+CSCS") {
        if (c.form == Command::Read) ok.lines = {"+CSCS: " + Quote(state_.settings.cscs)};
        else if (c.form == Command::Test) ok.lines = {"+CSCS: (\"GSM\")"};
        else if (c.form == Command::Set) {
            if (params.size() != 1 || Upper(params[0].text) != "GSM") return Error();
            state_.settings.cscs = "GSM";
        } else return Error();
        return ok;
    }
    if (n == "+CPIN") {
        if (c.form == Command::Read) ok.lines = {"+CPIN: READY"};
        else if (c.form == Command::Set) return CmeError(3);
        else if (c.form != Command::Test) return Error();
        return ok;
    }
    if (n == "+CFUN") {
        if (c.form == Command::Read) ok.lines = {"+CFUN: 1"};
        else if (c.form == Command::Test) ok.lines = {"+CFUN: (0,1),(0)"};
        else if (c.form == Command::Set) {
            auto v = params.empty() ? std::nullopt : ToInt(params[0].text);
            if (!v || (*v != 0 && *v != 1)) return Error();
        } else return Error();
        return ok;
    }
    if (n == "+CPAS") {
        if (c.form == Command::Test) {
            ok.lines = {"+CPAS: (0-5)"};
            return ok;
        }
        if (c.form != Command::Exec) return Error();
        int code = call_ == CallState::Ringing ? 3 : call_ == CallState::Active ? 4 : 0;
        ok.lines = {"+CPAS: " + std::to_string(code)};
        return ok;
    }
    if (n == "+CBC") {
        if (c.form == Command::Test) ok.lines = {"+CBC: (0-3),(0-100)"};
        else if (c.form == Command::Exec)
            ok.lines = {"+CBC: " + std::to_string(state_.batteryStatus) + "," +
                        std::to_string(state_.batteryLevel)};
        else return Error();
        return ok;
    }
    if (n == "+CSQ") {
        if (c.form == Command::Test) ok.lines = {"+CSQ: (0-31,99),(0-7,99)"};
        else if (c.form == Command::Exec)
            ok.lines = {"+CSQ: " + std::to_string(state_.rssi) + "," + std::to_string(state_.ber)};
        else return Error();
        return ok;
    }
    if (n == "+CCLK") {
        if (c.form == Command::Read) {
            ok.lines = {"+CCLK: " + Quote(ClockText(nowMs))};
        } else if (c.form == Command::Set) {
            if (params.size() != 1 || !params[0].quoted) return Error();
            auto secs = ParseClockText(params[0].text);
            if (!secs) return CmeError(3);
            clockBase_ = *secs - nowMs / 1000;
        } else if (c.form != Command::Test) {
            return Error();
        }
        return ok;
    }
    if (n == "+CREG") {
        if (c.form == Command::Read) {
            std::string line = "+CREG: " + std::to_string(state_.settings.cregMode) + "," +
                               std::to_string(state_.regStatus);
            if (state_.settings.cregMode == 2 && (state_.regStatus == 1 || state_.regStatus == 5))
                line += "," + Quote(state_.lac) + "," + Quote(state_.cellId);
            ok.lines = {line};
        } else if (c.form == Command::Test) {
            ok.lines = {"+CREG: (0-2)"};
        } else if (c.form == Command::Set) {
            auto v = params.empty() ? std::optional<int>(0) : ToInt(params[0].text);
            if (!v || *v < 0 || *v > 2 || params.size() > 1) return Error();
            state_.settings.cregMode = *v;
        } else {
            return Error();
        }
        return ok;
    }
    if (n == "+COPS") {
        if (c.form == Command::Read) {
            std::string op =
                state_.settings.copsFormat == 2 ? state_.operatorNumeric : state_.operatorName;
            if (state_.regStatus == 1 || state_.regStatus == 5)
                ok.lines = {"+COPS: 0," + std::to_string(state_.settings.copsFormat) + "," +
                            Quote(op)};
            else ok.lines = {"+COPS: 0"};
        } else if (c.form == Command::Test) {
            ok.lines = {"+COPS: (2," + Quote(state_.operatorName) + ",," +
                        Quote(state_.operatorNumeric) + "),,(0-4),(0,2)"};
        } else if (c.form == Command::Set) {
            auto mode = params.empty() ? std::nullopt : ToInt(params[0].text);
            if (!mode || *mode < 0 || *mode > 4) return Error();
            if (params.size() > 1 && !params[1].empty) {
                auto f = ToInt(params[1].text);
                if (!f || (*f != 0 && *f != 2)) return Error();
                state_.settings.copsFormat = *f;
            }
            if ((*mode == 1 || *mode == 4) && params.size() > 2 &&
                params[2].text != state_.operatorName && params[2].text != state_.operatorNumeric)
                return CmeError(30);
        } else {
            return Error();
        }
        return ok;
    }
    if (n == "^SMSO") {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Exec) return Error();
        // The answer goes out, then the phone is off and hears nothing more.
        EnqueueAnswer(ok, nowMs, std::nullopt);
        poweredOn_ = false;
        Answer none;
        none.final.clear();
        return none;
    }
    if (n == "+CNUM") {
        if (c.form != Command::Exec) return c.form == Command::Test ? ok : Error();
        auto it = state_.phonebooks.find("ON");
        if (it != state_.phonebooks.end())
            for (const auto& [pos, e] : it->second.entries)
                ok.lines.push_back("+CNUM: " + Quote(e.name) + "," + Quote(e.number) + "," +
                                   std::to_string(e.type));
        return ok;
    }
    return std::nullopt;  // not a command of this group
}

// Completes a command that took a body after its "> " prompt.
Phone::Answer Phone::FinishBody(const Command& c, const std::string& body, std::int64_t nowMs) {
    Answer ok;
    auto params = ParseParams(c.args);
    if (c.name == "^SBNW") {
        auto count = ToInt(params[3].text).value_or(0);
        auto bytes = FromHex(body);
        if (!bytes || bytes->empty() || bytes->size() > kObjectPacket) {
            uploadType_.clear();
            return Error();
        }
        uploadData_ += *bytes;
        if (uploadNextPart_ == count) {
            state_.objects[uploadType_].objects[uploadIndex_] = uploadData_;
            uploadType_.clear();
            uploadData_.clear();
        } else {
            ++uploadNextPart_;
        }
        return ok;
    }
    auto length = ToInt(params[0].text).value_or(0);
    auto sizes = MeasurePdu(body);
    if (!sizes || sizes->tpduOctets != length) return CmsError(304);
    if (c.name == "+CMGS") {
        Sent(body, nowMs);
        ok.lines = {"+CMGS: " + std::to_string(messageReference_)};
        return ok;
    }
    // +CMGW: stored in the second memory of +CPMS, "stored unsent" unless said.
    auto it = state_.smsMemories.find(state_.settings.smsMemories[1]);
    if (it == state_.smsMemories.end()) return CmsError(302);
    int index = it->second.FirstFree();
    if (index < 1) return CmsError(322);
    int status = params.size() == 2 ? ToInt(params[1].text).value_or(2) : 2;
    std::string pdu = body;
    for (char& ch : pdu)
        if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
    it->second.messages[index] = StoredSms{status, pdu};
    CheckOverflow(nowMs);
    ok.lines = {"+CMGW: " + std::to_string(index)};
    return ok;
}

}  // namespace phonesim
