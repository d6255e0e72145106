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
    if (auto a = PhonebookCommand(c, nowMs)) return *a;
    if (auto a = SmsCommand(c, nowMs)) return *a;
    if (auto a = ObjectCommand(c, nowMs)) return *a;
    if (auto a = SupplementaryCommand(c, nowMs)) return *a;
    if (auto a = CallCommand(c, nowMs)) return *a;
    return Error();
}

// The row of the table named as the command is, if any, answers it.
std::optional<Phone::Answer> Phone::Dispatch(std::span<const CommandRow> table, const Command& c,
                                             std::int64_t nowMs) {
    for (const CommandRow& row : table)
        if (row.name == c.name) return (this->*row.handler)(c, ParseParams(c.args), nowMs);
    return std::nullopt;  // not a command of this group
}

// The k-th parameter as a number; `absent` when it is missing or empty.
std::optional<int> Phone::IntParam(const Params& params, std::size_t k, int absent) {
    if (k >= params.size() || params[k].empty) return absent;
    return ToInt(params[k].text);
}

Phone::Answer Phone::NumberSetting(const Command& c, const Params& params, int& value, int highest,
                                   const std::string& range) {
    Answer ok;
    if (c.form == Command::Read) {
        ok.lines = {c.name + ": " + std::to_string(value)};
    } else if (c.form == Command::Test) {
        ok.lines = {c.name + ": " + range};
    } else if (c.form == Command::Set) {
        auto v = params.size() == 1 ? ToInt(params[0].text) : std::nullopt;
        if (!v || *v < 0 || *v > highest) return Error();
        value = *v;
    } else {
        return Error();
    }
    return ok;
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
    static constexpr CommandRow kTable[] = {
        {"+CGMI", &Phone::OnCgmi}, {"+GMI", &Phone::OnCgmi},  {"+CGMM", &Phone::OnCgmm},
        {"+GMM", &Phone::OnCgmm},  {"+CGMR", &Phone::OnCgmr}, {"+GMR", &Phone::OnCgmr},
        {"+CGSN", &Phone::OnCgsn}, {"+GSN", &Phone::OnCgsn},  {"+CIMI", &Phone::OnCimi},
        {"^SCID", &Phone::OnScid}, {"+GCAP", &Phone::OnGcap}, {"+CMEE", &Phone::OnCmee},
        {"+CSCS", &Phone::OnCscs}, {"+CPIN", &Phone::OnCpin}, {"+CFUN", &Phone::OnCfun},
        {"+CPAS", &Phone::OnCpas}, {"+CBC", &Phone::OnCbc},   {"+CSQ", &Phone::OnCsq},
        {"+CCLK", &Phone::OnCclk}, {"+CREG", &Phone::OnCreg}, {"+COPS", &Phone::OnCops},
        {"^SMSO", &Phone::OnSmso}, {"+CNUM", &Phone::OnCnum},
    };
    return Dispatch(kTable, c, nowMs);
}

// An identity command: its value as the one line.
Phone::Answer Phone::Identity(const Command& c, const std::string& value) {
    Answer ok;
    if (c.form == Command::Test) return ok;
    if (c.form != Command::Exec) return Error();
    ok.lines = {value};
    return ok;
}

Phone::Answer Phone::OnCgmi(const Command& c, const Params&, std::int64_t) {
    return Identity(c, state_.manufacturer);
}
Phone::Answer Phone::OnCgmm(const Command& c, const Params&, std::int64_t) {
    return Identity(c, state_.model);
}
Phone::Answer Phone::OnCgmr(const Command& c, const Params&, std::int64_t) {
    return Identity(c, state_.revision);
}
Phone::Answer Phone::OnCgsn(const Command& c, const Params&, std::int64_t) {
    return Identity(c, state_.imei);
}
Phone::Answer Phone::OnCimi(const Command& c, const Params&, std::int64_t) {
    return Identity(c, state_.imsi);
}
Phone::Answer Phone::OnScid(const Command& c, const Params&, std::int64_t) {
    return Identity(c, "^SCID: " + state_.simId);
}

Phone::Answer Phone::OnGcap(const Command& c, const Params&, std::int64_t) {
    Answer ok;
    if (c.form != Command::Exec) return Error();
    ok.lines = {"+GCAP: +CGSM,+FCLASS"};
    return ok;
}

Phone::Answer Phone::OnCmee(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
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

Phone::Answer Phone::OnCscs(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) ok.lines = {"+CSCS: " + Quote(state_.settings.cscs)};
    else if (c.form == Command::Test) ok.lines = {"+CSCS: (\"GSM\")"};
    else if (c.form == Command::Set) {
        if (params.size() != 1 || Upper(params[0].text) != "GSM") return Error();
        state_.settings.cscs = "GSM";
    } else return Error();
    return ok;
}

// A blocked PIN is asked for its PUK: AT+CPIN="<PUK>","<new PIN>" unblocks it.
Phone::Answer Phone::OnCpin(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    const bool blocked = state_.pinTries <= 0;
    if (c.form == Command::Read) {
        ok.lines = {blocked ? "+CPIN: SIM PUK" : "+CPIN: READY"};
    } else if (c.form == Command::Set) {
        if (!blocked || params.size() != 2) return CmeError(3);
        if (params[0].text != state_.passwords["PUK"]) return CmeError(16);
        const std::string& pin = params[1].text;
        const bool digits =
            std::all_of(pin.begin(), pin.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        if (!digits || pin.size() < 4 || pin.size() > 8) return CmeError(3);
        state_.passwords["SC"] = pin;
        state_.pinTries = 3;
    } else if (c.form != Command::Test) {
        return Error();
    }
    return ok;
}

Phone::Answer Phone::OnCfun(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) ok.lines = {"+CFUN: 1"};
    else if (c.form == Command::Test) ok.lines = {"+CFUN: (0,1),(0)"};
    else if (c.form == Command::Set) {
        auto v = params.empty() ? std::nullopt : ToInt(params[0].text);
        if (!v || (*v != 0 && *v != 1)) return Error();
    } else return Error();
    return ok;
}

Phone::Answer Phone::OnCpas(const Command& c, const Params&, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) {
        ok.lines = {"+CPAS: (0-5)"};
        return ok;
    }
    if (c.form != Command::Exec) return Error();
    int code = call_ == CallState::Ringing ? 3 : call_ == CallState::Active ? 4 : 0;
    ok.lines = {"+CPAS: " + std::to_string(code)};
    return ok;
}

Phone::Answer Phone::OnCbc(const Command& c, const Params&, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) ok.lines = {"+CBC: (0-3),(0-100)"};
    else if (c.form == Command::Exec)
        ok.lines = {"+CBC: " + std::to_string(state_.batteryStatus) + "," +
                    std::to_string(state_.batteryLevel)};
    else return Error();
    return ok;
}

Phone::Answer Phone::OnCsq(const Command& c, const Params&, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) ok.lines = {"+CSQ: (0-31,99),(0-7,99)"};
    else if (c.form == Command::Exec)
        ok.lines = {"+CSQ: " + std::to_string(state_.rssi) + "," + std::to_string(state_.ber)};
    else return Error();
    return ok;
}

Phone::Answer Phone::OnCclk(const Command& c, const Params& params, std::int64_t nowMs) {
    Answer ok;
    if (c.form == Command::Read) {
        ok.lines = {"+CCLK: " + Quote(ClockText(nowMs))};
    } else if (c.form == Command::Set) {
        if (params.size() != 1 || !params[0].quoted) return Error();
        auto secs = ParseClockText(params[0].text);
        if (!secs) return CmeError(3);
        clockBase_ = *secs - ClockRun(nowMs);
    } else if (c.form != Command::Test) {
        return Error();
    }
    return ok;
}

Phone::Answer Phone::OnCreg(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
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

Phone::Answer Phone::OnCops(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) {
        std::string op =
            state_.settings.copsFormat == 2 ? state_.operatorNumeric : state_.operatorName;
        if (state_.regStatus == 1 || state_.regStatus == 5)
            ok.lines = {"+COPS: 0," + std::to_string(state_.settings.copsFormat) + "," + Quote(op)};
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

Phone::Answer Phone::OnSmso(const Command& c, const Params&, std::int64_t nowMs) {
    Answer ok;
    if (c.form == Command::Test) return ok;
    if (c.form != Command::Exec) return Error();
    // The answer goes out, then the phone is off and hears nothing more.
    EnqueueAnswer(ok, nowMs, std::nullopt);
    poweredOn_ = false;
    Answer none;
    none.final.clear();
    return none;
}

Phone::Answer Phone::OnCnum(const Command& c, const Params&, std::int64_t) {
    Answer ok;
    if (c.form != Command::Exec) return c.form == Command::Test ? ok : Error();
    auto it = state_.phonebooks.find("ON");
    if (it != state_.phonebooks.end())
        for (const auto& [pos, e] : it->second.entries)
            ok.lines.push_back("+CNUM: " + Quote(e.name) + "," + Quote(e.number) + "," +
                               std::to_string(e.type));
    return ok;
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
