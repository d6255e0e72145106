// The AT commands of the simulated phone: GSM 07.07 / 07.05 and the Siemens
// extensions of the S45 / ME45 generation. Malformed commands and arguments
// answer "ERROR"; a well-formed command that the state refuses answers
// "+CME ERROR: n" / "+CMS ERROR: n" (plain "ERROR" with AT+CMEE=0).

#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>
#include <charconv>

namespace phonesim {
namespace {

constexpr std::size_t kObjectPacket = 176;  // bytes of one ^SBNR / ^SBNW packet

std::optional<int> ToInt(std::string_view s) {
    int v = 0;
    if (s.empty()) return std::nullopt;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

bool ValidNumber(const std::string& n) {
    for (std::size_t i = 0; i < n.size(); ++i) {
        char c = n[i];
        if (c == '+' && i == 0) continue;
        if ((c >= '0' && c <= '9') || c == '*' || c == '#' || c == 'p' || c == 'P' || c == 'w' || c == 'W') continue;
        return false;
    }
    return true;
}

// The name of +CPBW in the GSM alphabet: raw code units 0..127, or "\HH" escapes.
std::optional<std::string> DecodeGsmArgument(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        auto c = static_cast<unsigned char>(raw[i]);
        if (c == '\\' && i + 2 < raw.size()) {
            auto hex = FromHex(raw.substr(i + 1, 2));
            if (hex && static_cast<unsigned char>((*hex)[0]) < 128) {
                out += (*hex)[0];
                i += 2;
                continue;
            }
        }
        if (c > 127) return std::nullopt;
        out += static_cast<char>(c);
    }
    return out;
}

const char* const kBarrings[] = {"AO", "OI", "OX", "AI", "IR"};
bool IsBarring(const std::string& fac) {
    for (const char* b : kBarrings)
        if (fac == b) return true;
    return false;
}

}  // namespace

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
    if (c.name.size() == 1 || c.name[0] == '&' || (c.name[0] == 'S' && c.name.size() > 1 && c.name[1] >= '0' && c.name[1] <= '9'))
        return BasicCommand(c, nowMs);
    bool known = false;
    Answer a = GeneralCommand(c, nowMs, known);
    if (known) return a;
    a = PhonebookCommand(c, known);
    if (known) return a;
    a = SmsCommand(c, nowMs, known);
    if (known) return a;
    a = ObjectCommand(c, known);
    if (known) return a;
    a = SupplementaryCommand(c, nowMs, known);
    if (known) return a;
    a = CallCommand(c, nowMs, known);
    if (known) return a;
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
    if (n == "&C" || n == "&D" || n == "&S" || n == "&W" || n == "L" || n == "M" || n == "X") return ok;
    if (n[0] == 'S') {
        if (c.form == Command::Read) {
            ok.lines = {n == "S3" ? "013" : n == "S4" ? "010" : n == "S5" ? "008" : "000"};
        }
        return ok;
    }
    if (n == "D") {
        bool k = false;
        return CallCommand(c, nowMs, k);
    }
    if (n == "A" || n == "H") {
        bool k = false;
        return CallCommand(c, nowMs, k);
    }
    return Error();
}

// ---------------------------------------------------------------- identity, network, clock

Phone::Answer Phone::GeneralCommand(const Command& c, std::int64_t nowMs, bool& known) {
    known = true;
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
        else if (c.form == Command::Exec) ok.lines = {"+CBC: " + std::to_string(state_.batteryStatus) + "," + std::to_string(state_.batteryLevel)};
        else return Error();
        return ok;
    }
    if (n == "+CSQ") {
        if (c.form == Command::Test) ok.lines = {"+CSQ: (0-31,99),(0-7,99)"};
        else if (c.form == Command::Exec) ok.lines = {"+CSQ: " + std::to_string(state_.rssi) + "," + std::to_string(state_.ber)};
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
            std::string line = "+CREG: " + std::to_string(state_.settings.cregMode) + "," + std::to_string(state_.regStatus);
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
            std::string op = state_.settings.copsFormat == 2 ? state_.operatorNumeric : state_.operatorName;
            if (state_.regStatus == 1 || state_.regStatus == 5)
                ok.lines = {"+COPS: 0," + std::to_string(state_.settings.copsFormat) + "," + Quote(op)};
            else
                ok.lines = {"+COPS: 0"};
        } else if (c.form == Command::Test) {
            ok.lines = {"+COPS: (2," + Quote(state_.operatorName) + ",," + Quote(state_.operatorNumeric) + "),,(0-4),(0,2)"};
        } else if (c.form == Command::Set) {
            auto mode = params.empty() ? std::nullopt : ToInt(params[0].text);
            if (!mode || *mode < 0 || *mode > 4) return Error();
            if (params.size() > 1 && !params[1].empty) {
                auto f = ToInt(params[1].text);
                if (!f || (*f != 0 && *f != 2)) return Error();
                state_.settings.copsFormat = *f;
            }
            if ((*mode == 1 || *mode == 4) && params.size() > 2 && params[2].text != state_.operatorName &&
                params[2].text != state_.operatorNumeric)
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
                ok.lines.push_back("+CNUM: " + Quote(e.name) + "," + Quote(e.number) + "," + std::to_string(e.type));
        return ok;
    }
    known = false;
    return Error();
}

// ---------------------------------------------------------------- phonebooks

Phone::Answer Phone::PhonebookCommand(const Command& c, bool& known) {
    known = true;
    Answer ok;
    const std::string& n = c.name;
    auto params = ParseParams(c.args);
    if (n == "+CPBS" || n == "^SPBS") {
        const bool siemens = n == "^SPBS";
        if (c.form == Command::Set) {
            if (params.size() != 1) return Error();
            std::string id = Upper(params[0].text);
            // The service numbers are reached only through the Siemens selection.
            if (!state_.phonebooks.count(id) || (!siemens && id == "SD")) return Error();
            state_.settings.phonebook = id;
            return ok;
        }
        if (c.form == Command::Read) {
            Phonebook* book = SelectedPhonebook();
            if (!book) return CmeError(3);
            ok.lines = {n + ": " + Quote(state_.settings.phonebook) + "," + std::to_string(book->entries.size()) + "," +
                        std::to_string(book->capacity)};
            return ok;
        }
        if (c.form == Command::Test) {
            std::string list;
            for (const auto& [id, book] : state_.phonebooks) {
                if (!siemens && id == "SD") continue;
                list += (list.empty() ? "" : ",") + Quote(id);
            }
            ok.lines = {n + ": (" + list + ")"};
            return ok;
        }
        return Error();
    }
    if (n == "+CPBR") {
        Phonebook* book = SelectedPhonebook();
        if (c.form == Command::Test) {
            if (!book) return CmeError(3);
            ok.lines = {"+CPBR: (1-" + std::to_string(book->capacity) + ")," + std::to_string(book->numberLength) + "," +
                        std::to_string(book->nameLength)};
            return ok;
        }
        if (c.form != Command::Set || params.empty() || params.size() > 2) return Error();
        auto first = ToInt(params[0].text);
        auto last = params.size() == 2 ? ToInt(params[1].text) : first;
        if (!first || !last) return Error();
        if (!book) return CmeError(3);
        if (*first < 1 || *last > book->capacity || *first > *last) return CmeError(21);
        for (auto it = book->entries.lower_bound(*first); it != book->entries.end() && it->first <= *last; ++it) {
            ok.lines.push_back("+CPBR: " + std::to_string(it->first) + "," + Quote(it->second.number) + "," +
                               std::to_string(it->second.type) + "," + Quote(it->second.name));
        }
        return ok;
    }
    if (n == "+CPBW") {
        Phonebook* book = SelectedPhonebook();
        if (c.form == Command::Test) {
            if (!book) return CmeError(3);
            ok.lines = {"+CPBW: (1-" + std::to_string(book->capacity) + ")," + std::to_string(book->numberLength) +
                        ",(128-255)," + std::to_string(book->nameLength)};
            return ok;
        }
        if (c.form != Command::Set || params.empty() || params.size() > 4) return Error();
        if (!book) return CmeError(3);
        if (!book->writable) return CmeError(3);
        std::optional<int> index;
        if (!params[0].empty) {
            index = ToInt(params[0].text);
            if (!index) return Error();
            if (*index < 1 || *index > book->capacity) return CmeError(21);
        }
        // Only the index, or neither number nor name: the entry is deleted.
        const bool erase = params.size() == 1 ||
                           (params[1].text.empty() && (params.size() < 4 || params[3].text.empty()));
        if (erase) {
            if (!index) return Error();
            book->entries.erase(*index);
            return ok;
        }
        std::string number = params.size() > 1 ? params[1].text : "";
        if (!ValidNumber(number)) return CmeError(27);
        std::string digits = !number.empty() && number[0] == '+' ? number.substr(1) : number;
        if (static_cast<int>(digits.size()) > book->numberLength) return CmeError(26);
        int type = number.size() && number[0] == '+' ? 145 : 129;
        if (params.size() > 2 && !params[2].empty) {
            auto t = ToInt(params[2].text);
            if (!t || *t < 128 || *t > 255) return Error();
            type = *t;
        }
        std::string name;
        if (params.size() > 3) {
            auto decoded = DecodeGsmArgument(params[3].text);
            if (!decoded) return CmeError(25);
            name = *decoded;
        }
        if (static_cast<int>(GsmLength(name)) > book->nameLength) return CmeError(24);
        if (!index) {
            int free = book->FirstFree();
            if (free < 1) return CmeError(20);
            index = free;
        }
        book->entries[*index] = PhonebookEntry{number, type, name};
        return ok;
    }
    known = false;
    return Error();
}

// ---------------------------------------------------------------- SMS

void Phone::CheckOverflow(std::int64_t nowMs) {
    bool full = !state_.smsMemories.empty();
    for (const auto& [id, mem] : state_.smsMemories)
        if (mem.FirstFree() >= 1) full = false;
    int stateNow = full ? std::max(overflowState_, 1) : 0;
    if (stateNow != overflowState_) {
        overflowState_ = stateNow;
        if (state_.settings.smgo == 1) Unsolicited(nowMs, "^SMGO: 1," + std::to_string(overflowState_));
    }
}

Phone::Answer Phone::SmsCommand(const Command& c, std::int64_t nowMs, bool& known) {
    known = true;
    Answer ok;
    const std::string& n = c.name;
    auto params = ParseParams(c.args);
    auto memory = [&](int which) -> SmsMemory* {
        auto it = state_.smsMemories.find(state_.settings.smsMemories[which]);
        return it == state_.smsMemories.end() ? nullptr : &it->second;
    };
    if (n == "+CMGF") {
        if (c.form == Command::Read) ok.lines = {"+CMGF: " + std::to_string(state_.settings.cmgf)};
        else if (c.form == Command::Test) ok.lines = {"+CMGF: (0)"};
        else if (c.form == Command::Set) {
            auto v = params.empty() ? std::optional<int>(0) : ToInt(params[0].text);
            if (!v) return Error();
            if (*v != 0) return CmsError(303);  // PDU mode only
        } else return Error();
        return ok;
    }
    if (n == "+CSMS") {
        if (c.form == Command::Read) ok.lines = {"+CSMS: 0,1,1,1"};
        else if (c.form == Command::Test) ok.lines = {"+CSMS: (0,1)"};
        else if (c.form == Command::Set) {
            auto v = params.empty() ? std::nullopt : ToInt(params[0].text);
            if (!v || (*v != 0 && *v != 1)) return Error();
            ok.lines = {"+CSMS: 1,1,1"};
        } else return Error();
        return ok;
    }
    if (n == "+CPMS") {
        auto counts = [&](int which) {
            SmsMemory* m = memory(which);
            return std::to_string(m ? m->messages.size() : 0) + "," + std::to_string(m ? m->capacity : 0);
        };
        if (c.form == Command::Test) {
            std::string list;
            for (const auto& [id, mem] : state_.smsMemories) list += (list.empty() ? "" : ",") + Quote(id);
            ok.lines = {"+CPMS: (" + list + "),(" + list + "),(" + list + ")"};
            return ok;
        }
        if (c.form == Command::Read) {
            std::string line = "+CPMS: ";
            for (int k = 0; k < 3; ++k)
                line += (k ? "," : "") + Quote(state_.settings.smsMemories[k]) + "," + counts(k);
            ok.lines = {line};
            return ok;
        }
        if (c.form != Command::Set || params.empty() || params.size() > 3) return Error();
        std::vector<std::string> chosen = state_.settings.smsMemories;
        for (std::size_t k = 0; k < params.size(); ++k) {
            std::string id = Upper(params[k].text);
            if (!state_.smsMemories.count(id)) return CmsError(302);
            chosen[k] = id;
        }
        state_.settings.smsMemories = chosen;
        ok.lines = {"+CPMS: " + counts(0) + "," + counts(1) + "," + counts(2)};
        return ok;
    }
    if (n == "+CMGR") {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Set || params.size() != 1) return Error();
        auto index = ToInt(params[0].text);
        if (!index) return Error();
        SmsMemory* m = memory(0);
        if (!m || *index < 1 || *index > m->capacity) return CmsError(321);
        auto it = m->messages.find(*index);
        if (it == m->messages.end()) {
            // An empty position answers a header without a PDU.
            ok.lines = {"+CMGR: 0,,0"};
            return ok;
        }
        auto sizes = MeasurePdu(it->second.pdu);
        ok.lines = {"+CMGR: " + std::to_string(it->second.status) + ",," + std::to_string(sizes ? sizes->tpduOctets : 0),
                    it->second.pdu};
        if (it->second.status == 0) it->second.status = 1;
        return ok;
    }
    if (n == "+CMGL") {
        if (c.form == Command::Test) {
            ok.lines = {"+CMGL: (0-4)"};
            return ok;
        }
        int stat = 0;
        if (c.form == Command::Set) {
            auto v = params.size() == 1 ? ToInt(params[0].text) : std::nullopt;
            if (!v || *v < 0 || *v > 4) return Error();
            stat = *v;
        } else if (c.form != Command::Exec) {
            return Error();
        }
        SmsMemory* m = memory(0);
        if (!m) return CmsError(302);
        for (auto& [index, sms] : m->messages) {
            if (stat != 4 && sms.status != stat) continue;
            auto sizes = MeasurePdu(sms.pdu);
            ok.lines.push_back("+CMGL: " + std::to_string(index) + "," + std::to_string(sms.status) + ",," +
                               std::to_string(sizes ? sizes->tpduOctets : 0));
            ok.lines.push_back(sms.pdu);
            if (sms.status == 0) sms.status = 1;
        }
        return ok;
    }
    if (n == "+CMGD") {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Set || params.empty() || params.size() > 2) return Error();
        auto index = ToInt(params[0].text);
        if (!index) return Error();
        SmsMemory* m = memory(0);
        if (!m || *index < 1 || *index > m->capacity) return CmsError(321);
        m->messages.erase(*index);
        CheckOverflow(nowMs);
        return ok;
    }
    if (n == "+CMGW" || n == "+CMGS") {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Set || params.empty() || params.size() > 2) return Error();
        auto length = ToInt(params[0].text);
        if (!length || *length < 1 || *length > 164) return CmsError(304);
        if (n == "+CMGW") {
            SmsMemory* m = memory(1);
            if (!m) return CmsError(302);
            if (m->FirstFree() < 1) return CmsError(322);
            if (params.size() == 2) {
                auto stat = ToInt(params[1].text);
                if (!stat || *stat < 0 || *stat > 3) return Error();
            }
        } else if (state_.regStatus != 1 && state_.regStatus != 5) {
            return CmsError(331);
        }
        Answer prompt;
        prompt.final.clear();
        prompt.prompt = true;
        return prompt;
    }
    if (n == "+CMSS") {
        if (c.form == Command::Test) return ok;
        if (c.form != Command::Set || params.empty() || params.size() > 3) return Error();
        auto index = ToInt(params[0].text);
        if (!index) return Error();
        SmsMemory* m = memory(1);
        if (!m || *index < 1 || *index > m->capacity) return CmsError(321);
        auto it = m->messages.find(*index);
        if (it == m->messages.end()) return CmsError(321);
        if (it->second.status < 2) return CmsError(302);
        if (state_.regStatus != 1 && state_.regStatus != 5) return CmsError(331);
        std::string pdu = it->second.pdu;
        if (params.size() >= 2 && !params[1].empty) {
            // Sent to another number: rebuild the address of the stored PDU.
            auto decoded = DecodePdu(pdu);
            if (decoded) {
                SubmitMessage sm;
                sm.smsc = decoded->smsc;
                sm.destination = params[1].text;
                sm.text = decoded->text;
                sm.ucs2 = decoded->ucs2;
                sm.statusReport = decoded->statusReportRequested;
                pdu = BuildSubmitPdu(sm);
            }
        }
        it->second.status = 3;
        Sent(pdu, nowMs);
        ok.lines = {"+CMSS: " + std::to_string(messageReference_)};
        return ok;
    }
    if (n == "+CNMI") {
        if (c.form == Command::Read) {
            const auto& v = state_.settings.cnmi;
            ok.lines = {"+CNMI: " + std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "," +
                        std::to_string(v[3]) + "," + std::to_string(v[4])};
        } else if (c.form == Command::Test) {
            ok.lines = {"+CNMI: (0-3),(0-1),(0,2),(0-2),(1)"};
        } else if (c.form == Command::Set) {
            static const int kMax[] = {3, 1, 2, 2, 1};
            if (params.empty() || params.size() > 5) return Error();
            std::vector<int> v = state_.settings.cnmi;
            for (std::size_t k = 0; k < params.size(); ++k) {
                if (params[k].empty) continue;
                auto x = ToInt(params[k].text);
                if (!x || *x < 0 || *x > kMax[k] || (k == 2 && *x == 1)) return CmsError(303);
                v[k] = *x;
            }
            state_.settings.cnmi = v;
        } else {
            return Error();
        }
        return ok;
    }
    if (n == "+CSCA") {
        if (c.form == Command::Read) {
            ok.lines = {"+CSCA: " + Quote(state_.smsc) + "," + std::to_string(state_.smscType)};
        } else if (c.form == Command::Set) {
            if (params.empty() || params.size() > 2 || !ValidNumber(params[0].text)) return Error();
            state_.smsc = params[0].text;
            state_.smscType = !state_.smsc.empty() && state_.smsc[0] == '+' ? 145 : 129;
            if (params.size() == 2 && !params[1].empty) {
                auto t = ToInt(params[1].text);
                if (!t) return Error();
                state_.smscType = *t;
            }
        } else if (c.form != Command::Test) {
            return Error();
        }
        return ok;
    }
    if (n == "+CSCB") {
        if (c.form == Command::Read) {
            ok.lines = {"+CSCB: " + std::to_string(state_.cbMode) + "," + Quote(state_.cbMids) + "," + Quote(state_.cbDcss)};
        } else if (c.form == Command::Test) {
            ok.lines = {"+CSCB: (0-1)"};
        } else if (c.form == Command::Set) {
            auto mode = params.empty() ? std::nullopt : ToInt(params[0].text);
            if (!mode || (*mode != 0 && *mode != 1) || params.size() > 3) return Error();
            state_.cbMode = *mode;
            if (params.size() > 1) state_.cbMids = params[1].text;
            if (params.size() > 2) state_.cbDcss = params[2].text;
        } else {
            return Error();
        }
        return ok;
    }
    if (n == "^SMGO") {
        if (c.form == Command::Read) {
            ok.lines = {"^SMGO: " + std::to_string(state_.settings.smgo) + "," + std::to_string(overflowState_)};
        } else if (c.form == Command::Test) {
            ok.lines = {"^SMGO: (0-1)"};
        } else if (c.form == Command::Set) {
            auto v = params.size() == 1 ? ToInt(params[0].text) : std::nullopt;
            if (!v || (*v != 0 && *v != 1)) return Error();
            state_.settings.smgo = *v;
        } else {
            return Error();
        }
        return ok;
    }
    known = false;
    return Error();
}

// A message leaves the phone: it gets the next reference, and when it asked
// for a status report, the report follows after a while.
void Phone::Sent(const std::string& pdu, std::int64_t nowMs) {
    state_.sentPdus.push_back(pdu);
    messageReference_ = (messageReference_ + 1) % 256;
    auto decoded = DecodePdu(pdu);
    if (!decoded || !decoded->statusReportRequested) return;
    int reference = messageReference_;
    std::string recipient = decoded->address;
    std::string sentAt = ClockText(nowMs);
    Schedule(nowMs + options_.statusReportDelayMs, [this, reference, recipient, sentAt](std::int64_t t) {
        DeliverStatusReport(t, reference, recipient, sentAt);
    });
}

void Phone::DeliverStatusReport(std::int64_t nowMs, int reference, const std::string& recipient,
                                const std::string& sentAt) {
    if (!poweredOn_) return;
    StatusReport r;
    r.smsc = state_.smsc;
    r.reference = reference;
    r.recipient = recipient;
    r.sent = sentAt;
    r.delivered = ClockText(nowMs);
    std::string pdu = BuildStatusReportPdu(r);
    const int ds = state_.settings.cnmi[3];
    if (ds == 1) {
        auto sizes = MeasurePdu(pdu);
        Enqueue("\r\n+CDS: " + std::to_string(sizes ? sizes->tpduOctets : 0) + "\r\n" + pdu + "\r\n",
                static_cast<double>(nowMs));
        return;
    }
    if (ds != 2) return;
    const std::string& id = state_.settings.smsMemories[2];
    auto it = state_.smsMemories.find(id);
    if (it == state_.smsMemories.end()) return;
    int index = it->second.FirstFree();
    if (index < 1) return;
    it->second.messages[index] = StoredSms{0, pdu};
    Unsolicited(nowMs, "+CDSI: " + Quote(id) + "," + std::to_string(index));
    CheckOverflow(nowMs);
}

// ---------------------------------------------------------------- binary objects

Phone::Answer Phone::ObjectCommand(const Command& c, bool& known) {
    known = true;
    Answer ok;
    const std::string& n = c.name;
    if (n != "^SBNR" && n != "^SBNW") {
        known = false;
        return Error();
    }
    auto params = ParseParams(c.args);
    if (c.form == Command::Test) {
        std::string list;
        for (const auto& [type, store] : state_.objects)
            list += (list.empty() ? "" : ",") + std::string("(") + Quote(type) + ",(" + std::to_string(store.lowest) + "-" +
                    std::to_string(store.highest) + "))";
        ok.lines = {n + ": " + list};
        return ok;
    }
    if (c.form != Command::Set || params.size() < 2) return Error();
    std::string type = params[0].text;
    for (char& ch : type)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    auto storeIt = state_.objects.find(type);
    auto index = ToInt(params[1].text);
    if (storeIt == state_.objects.end() || !index) return Error();
    ObjectStore& store = storeIt->second;
    if (*index < store.lowest || *index > store.highest) return CmeError(21);

    if (n == "^SBNR") {
        if (params.size() != 2) return Error();
        auto it = store.objects.find(*index);
        if (it == store.objects.end()) return ok;  // an empty slot: no lines
        const std::string& data = it->second;
        std::size_t count = std::max<std::size_t>(1, (data.size() + kObjectPacket - 1) / kObjectPacket);
        for (std::size_t part = 0; part < count; ++part) {
            ok.lines.push_back("^SBNR: " + Quote(type) + "," + std::to_string(*index) + "," + std::to_string(part + 1) + "," +
                               std::to_string(count));
            ok.lines.push_back(ToHex(std::string_view(data).substr(part * kObjectPacket, kObjectPacket)));
        }
        return ok;
    }
    // ^SBNW: a delete ("type",index,0) or one packet ("type",index,part,count).
    auto part = params.size() >= 3 ? ToInt(params[2].text) : std::nullopt;
    if (!part) return Error();
    if (*part == 0 && params.size() == 3) {
        store.objects.erase(*index);
        return ok;
    }
    auto count = params.size() == 4 ? ToInt(params[3].text) : std::nullopt;
    if (!count || *part < 1 || *count < 1 || *part > *count) return Error();
    if (*part == 1) {
        uploadType_ = type;
        uploadIndex_ = *index;
        uploadNextPart_ = 1;
        uploadData_.clear();
    }
    if (uploadType_ != type || uploadIndex_ != *index || uploadNextPart_ != *part) return CmeError(3);
    uploadNextPart_ = *part;  // confirmed when the packet arrives
    Answer prompt;
    prompt.final.clear();
    prompt.prompt = true;
    return prompt;
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

// ---------------------------------------------------------------- diverts, locks, settings

Phone::Answer Phone::SupplementaryCommand(const Command& c, std::int64_t nowMs, bool& known) {
    known = true;
    Answer ok;
    const std::string& n = c.name;
    auto params = ParseParams(c.args);
    auto intParam = [&](std::size_t k, int def) -> std::optional<int> {
        if (k >= params.size() || params[k].empty) return def;
        return ToInt(params[k].text);
    };
    auto classes = [](int mask) {
        std::vector<int> out;
        for (int cls : {1, 2, 4})
            if (mask & cls) out.push_back(cls);
        return out;
    };

    if (n == "+CCFC") {
        if (c.form == Command::Test) {
            ok.lines = {"+CCFC: (0-5)"};
            return ok;
        }
        if (c.form != Command::Set || params.size() < 2) return Error();
        auto reason = intParam(0, -1);
        auto mode = intParam(1, -1);
        auto cls = intParam(4, 7);
        auto time = intParam(7, 20);
        if (!reason || !mode || !cls || !time || *reason < 0 || *reason > 5 || *mode < 0 || *mode > 4 || *cls < 1 || *cls > 7)
            return Error();
        if (state_.regStatus != 1 && state_.regStatus != 5) return CmeError(30);
        if (*mode == 2) {
            if (*reason > 3) return CmeError(3);
            for (int k : classes(*cls)) {
                const Divert& d = state_.diverts[{*reason, k}];
                std::string line = "+CCFC: " + std::string(d.active ? "1" : "0") + "," + std::to_string(k);
                if (d.active) {
                    line += "," + Quote(d.number) + "," + std::to_string(d.type);
                    if (*reason == 2) line += ",,," + std::to_string(d.time);
                }
                ok.lines.push_back(line);
            }
            return ok;
        }
        std::vector<int> reasons;
        if (*reason == 4) reasons = {0, 1, 2, 3};
        else if (*reason == 5) reasons = {1, 2, 3};
        else reasons = {*reason};
        std::string number = params.size() > 2 ? params[2].text : "";
        if (!ValidNumber(number)) return CmeError(27);
        if (*mode == 3 && number.empty()) return Error();
        if (*reason == 2 || *reason >= 4) {
            if (*time < 5 || *time > 30) return Error();
        }
        for (int r : reasons) {
            for (int k : classes(*cls)) {
                Divert& d = state_.diverts[{r, k}];
                if (*mode == 0) {
                    d.active = false;
                } else if (*mode == 4) {
                    d = Divert{};
                } else {
                    if (!number.empty()) {
                        d.number = number;
                        d.type = intParam(3, number[0] == '+' ? 145 : 129).value_or(145);
                    }
                    if (d.number.empty()) return CmeError(3);
                    if (r == 2 && params.size() > 7 && !params[7].empty) d.time = *time;
                    d.active = true;
                }
            }
        }
        return ok;
    }

    if (n == "+CLCK") {
        if (c.form == Command::Test) {
            ok.lines = {"+CLCK: (\"CS\",\"PS\",\"SC\",\"FD\",\"AO\",\"OI\",\"OX\",\"AI\",\"IR\",\"AB\",\"AG\",\"AC\")"};
            return ok;
        }
        if (c.form != Command::Set || params.size() < 2) return Error();
        std::string fac = Upper(params[0].text);
        auto mode = intParam(1, -1);
        auto cls = intParam(3, 7);
        if (!mode || !cls || *mode < 0 || *mode > 2 || *cls < 1 || *cls > 7) return Error();
        const bool group = fac == "AB" || fac == "AG" || fac == "AC";
        if (!state_.locks.count(fac) && !group) return Error();
        if (*mode == 2) {
            if (group) return CmeError(3);
            if (IsBarring(fac)) {
                for (int k : classes(*cls))
                    ok.lines.push_back("+CLCK: " + std::string(state_.locks[fac] & k ? "1" : "0") + "," + std::to_string(k));
            } else {
                ok.lines = {"+CLCK: " + std::to_string(state_.locks[fac] ? 1 : 0)};
            }
            return ok;
        }
        std::string password = params.size() > 2 ? params[2].text : "";
        std::string owner = IsBarring(fac) || group ? "AB" : fac == "FD" ? "P2" : fac;
        if (fac != "CS" && password != state_.passwords[owner]) return CmeError(16);
        if (group) {
            if (*mode != 0) return CmeError(3);
            for (const char* b : kBarrings) {
                std::string bar = b;
                bool outgoing = bar == "AO" || bar == "OI" || bar == "OX";
                if (fac == "AB" || (fac == "AG" && outgoing) || (fac == "AC" && !outgoing)) state_.locks[bar] &= ~*cls;
            }
            return ok;
        }
        if (IsBarring(fac)) {
            if (*mode == 1) {
                // One barring of a group at a time: switching one on switches the
                // others of its group off for the same classes.
                bool outgoing = fac == "AO" || fac == "OI" || fac == "OX";
                for (const char* b : kBarrings) {
                    std::string bar = b;
                    bool barOut = bar == "AO" || bar == "OI" || bar == "OX";
                    if (bar != fac && barOut == outgoing) state_.locks[bar] &= ~*cls;
                }
                state_.locks[fac] |= *cls;
            } else {
                state_.locks[fac] &= ~*cls;
            }
            if (state_.regStatus != 1 && state_.regStatus != 5) return CmeError(30);
        } else {
            state_.locks[fac] = *mode;
        }
        return ok;
    }

    if (n == "+CPWD") {
        if (c.form == Command::Test) {
            ok.lines = {"+CPWD: (\"SC\",8),(\"P2\",8),(\"PS\",8),(\"AO\",4),(\"OI\",4),(\"OX\",4),(\"AI\",4),(\"IR\",4),(\"AB\",4)"};
            return ok;
        }
        if (c.form != Command::Set || params.size() != 3) return Error();
        std::string fac = Upper(params[0].text);
        std::string owner = IsBarring(fac) || fac == "AB" || fac == "AG" || fac == "AC" ? "AB" : fac;
        if (owner != "SC" && owner != "P2" && owner != "PS" && owner != "AB") return Error();
        const std::string& oldPw = params[1].text;
        const std::string& newPw = params[2].text;
        if (oldPw != state_.passwords[owner]) return CmeError(16);
        std::size_t minLen = 4, maxLen = owner == "AB" ? 4 : 8;
        bool digits = std::all_of(newPw.begin(), newPw.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        if (!digits || newPw.size() < minLen || newPw.size() > maxLen) return CmeError(3);
        state_.passwords[owner] = newPw;
        return ok;
    }

    if (n == "+CPUC") {
        if (c.form == Command::Read) {
            ok.lines = {"+CPUC: " + Quote(state_.currency) + "," + Quote(state_.pricePerUnit)};
        } else if (c.form == Command::Set) {
            if (params.size() < 2 || params.size() > 3) return Error();
            if (params.size() < 3 || params[2].text.empty()) return CmeError(17);
            if (params[2].text != state_.passwords["P2"]) return CmeError(16);
            if (params[0].text.size() > 3) return CmeError(24);
            state_.currency = params[0].text;
            state_.pricePerUnit = params[1].text;
        } else if (c.form != Command::Test) {
            return Error();
        }
        return ok;
    }

    auto simpleSetting = [&](int& value, int highest, const std::string& testText) -> Answer {
        if (c.form == Command::Read) {
            ok.lines = {n + ": " + std::to_string(value)};
        } else if (c.form == Command::Test) {
            ok.lines = {n + ": " + testText};
        } else if (c.form == Command::Set) {
            auto v = params.size() == 1 ? ToInt(params[0].text) : std::nullopt;
            if (!v || *v < 0 || *v > highest) return Error();
            value = *v;
        } else {
            return Error();
        }
        return ok;
    };
    if (n == "+CALM") return simpleSetting(state_.alertMode, 2, "(0-2)");
    if (n == "+CVIB") return simpleSetting(state_.vibration, 1, "(0-1)");
    if (n == "+CRSL") return simpleSetting(state_.ringerLevel, 4, "(0-4)");

    if (n == "^SRTC") {
        bool playing = playingSinceMs_ >= 0 && nowMs - playingSinceMs_ < 10000;
        if (!playing) playingSinceMs_ = -1;
        if (c.form == Command::Test) {
            ok.lines = {"^SRTC: (0-" + std::to_string(state_.melodyHighest) + "),(0-" + std::to_string(state_.volumeHighest) + ")"};
        } else if (c.form == Command::Read) {
            ok.lines = {"^SRTC: " + std::to_string(state_.ringerMelody) + "," + std::to_string(state_.ringerVolume) + "," +
                        (playing ? "1" : "0")};
        } else if (c.form == Command::Exec) {
            // Plays the ringer melody, or stops it when it plays.
            playingSinceMs_ = playing ? -1 : nowMs;
        } else {
            auto melody = params.size() == 2 ? ToInt(params[0].text) : std::nullopt;
            auto volume = params.size() == 2 ? ToInt(params[1].text) : std::nullopt;
            if (!melody || !volume || *melody < 0 || *melody > state_.melodyHighest || *volume < 0 || *volume > state_.volumeHighest)
                return Error();
            state_.ringerMelody = *melody;
            state_.ringerVolume = *volume;
        }
        return ok;
    }

    if (n == "+CUSD") {
        if (c.form == Command::Read) {
            ok.lines = {"+CUSD: 1"};
            return ok;
        }
        if (c.form == Command::Test) {
            ok.lines = {"+CUSD: (0-2)"};
            return ok;
        }
        if (c.form != Command::Set) return Error();
        auto mode = intParam(0, 0);
        if (!mode || *mode < 0 || *mode > 2) return Error();
        if (params.size() >= 2 && !params[1].text.empty()) {
            if (state_.regStatus != 1 && state_.regStatus != 5) return CmeError(30);
            auto it = state_.ussd.find(params[1].text);
            std::string line = it == state_.ussd.end() ? "+CUSD: 4" : "+CUSD: 0," + Quote(it->second) + ",15";
            UnsolicitedAt(nowMs + options_.answerDelayMs + options_.networkDelayMs, line);
        }
        return ok;
    }
    known = false;
    return Error();
}

// ---------------------------------------------------------------- calls

void Phone::EndCall(std::int64_t nowMs, bool missed) {
    if (call_ == CallState::Ringing && missed) AddCallListEntry("MC", callNumber_, callType_);
    (void)nowMs;
    call_ = CallState::Idle;
    callNumber_.clear();
    ++callId_;
}

void Phone::Ring(std::int64_t nowMs, std::uint64_t callId) {
    if (call_ != CallState::Ringing || callId != callId_ || !poweredOn_) return;
    if (nowMs - callStartMs_ >= options_.ringTimeoutMs) {
        EndCall(nowMs, true);
        return;
    }
    Unsolicited(nowMs, "RING");
    if (state_.settings.clip) Unsolicited(nowMs, "+CLIP: " + Quote(callNumber_) + "," + std::to_string(callType_));
    Schedule(nowMs + std::max(options_.ringIntervalMs, 100), [this, callId](std::int64_t t) { Ring(t, callId); });
}

void Phone::IncomingCall(std::int64_t nowMs, std::string number, int type) {
    RunDue(nowMs);
    if (call_ != CallState::Idle || !poweredOn_) return;
    call_ = CallState::Ringing;
    callNumber_ = std::move(number);
    callType_ = callNumber_.empty() ? 128 : type;
    callStartMs_ = nowMs;
    Ring(nowMs, ++callId_);
}

void Phone::RemoteHangup(std::int64_t nowMs) {
    RunDue(nowMs);
    if (call_ == CallState::Idle) return;
    EndCall(nowMs, true);
    Unsolicited(nowMs, "NO CARRIER");
}

int Phone::ReceiveSms(std::int64_t nowMs, const std::string& pduHex, const std::string& memory) {
    RunDue(nowMs);
    std::vector<std::string> order = {memory};
    for (const auto& [id, mem] : state_.smsMemories)
        if (id != memory) order.push_back(id);
    for (const auto& id : order) {
        auto it = state_.smsMemories.find(id);
        if (it == state_.smsMemories.end()) continue;
        int index = it->second.FirstFree();
        if (index < 1) continue;
        it->second.messages[index] = StoredSms{0, Upper(pduHex)};
        if (state_.settings.cnmi[1] == 1) Unsolicited(nowMs, "+CMTI: " + Quote(id) + "," + std::to_string(index));
        CheckOverflow(nowMs);
        return index;
    }
    if (overflowState_ != 2) {
        overflowState_ = 2;
        if (state_.settings.smgo == 1) Unsolicited(nowMs, "^SMGO: 1,2");
    }
    return -1;
}

void Phone::CellBroadcast(std::int64_t nowMs, const std::string& pageHex) {
    RunDue(nowMs);
    // Pages are routed by +CNMI alone; the +CSCB mode is kept and reported.
    if (state_.settings.cnmi[2] != 2) return;
    if (!poweredOn_) return;
    Enqueue("\r\n+CBM: 88\r\n" + Upper(pageHex) + "\r\n", static_cast<double>(nowMs));
}

void Phone::SetRegistration(std::int64_t nowMs, int status, std::string lac, std::string cellId) {
    RunDue(nowMs);
    state_.regStatus = status;
    state_.lac = std::move(lac);
    state_.cellId = std::move(cellId);
    if (state_.settings.cregMode == 1) {
        Unsolicited(nowMs, "+CREG: " + std::to_string(status));
    } else if (state_.settings.cregMode == 2) {
        std::string line = "+CREG: " + std::to_string(status);
        if (status == 1 || status == 5) line += "," + Quote(state_.lac) + "," + Quote(state_.cellId);
        Unsolicited(nowMs, line);
    }
}

Phone::Answer Phone::CallCommand(const Command& c, std::int64_t nowMs, bool& known) {
    known = true;
    Answer ok;
    const std::string& n = c.name;
    if (n == "D") {
        std::string dial = c.args;
        while (!dial.empty() && dial.front() == ' ') dial.erase(dial.begin());
        bool voice = !dial.empty() && dial.back() == ';';
        if (!voice) {
            ok.final = "NO CARRIER";  // no data calls here
            return ok;
        }
        dial.pop_back();
        std::string number;
        for (char ch : dial)
            if (ch != ' ' && ch != '-' && ch != '(' && ch != ')') number += ch;
        if (!number.empty() && (number[0] == '>' || number[0] == 'l' || number[0] == 'L')) return CmeError(3);
        auto ussd = state_.ussd.find(number);
        if (ussd != state_.ussd.end()) {
            // A service code dialled as a number: the network's text comes back as an answer line.
            ok.lines = {ussd->second};
            return ok;
        }
        std::string target = number.rfind("#31#", 0) == 0 || number.rfind("*31#", 0) == 0 ? number.substr(4) : number;
        if (!ValidNumber(target)) return CmeError(27);
        if (call_ != CallState::Idle) return CmeError(3);
        if (state_.regStatus != 1 && state_.regStatus != 5) {
            ok.final = "NO CARRIER";
            return ok;
        }
        AddCallListEntry("LD", target, !target.empty() && target[0] == '+' ? 145 : 129);
        if (target.empty() || state_.busyNumbers.count(target)) {
            ok.final = target.empty() ? "NO CARRIER" : "BUSY";
            return ok;
        }
        call_ = CallState::Active;
        callNumber_ = target;
        callStartMs_ = nowMs;
        ++callId_;
        return ok;
    }
    if (n == "A") {
        if (call_ != CallState::Ringing) {
            ok.final = "NO CARRIER";
            return ok;
        }
        AddCallListEntry("RC", callNumber_, callType_);
        call_ = CallState::Active;
        ++callId_;
        return ok;
    }
    if (n == "H" || n == "+CHUP") {
        if (n == "+CHUP" && c.form == Command::Test) return ok;
        if (n == "+CHUP" && c.form != Command::Exec) return Error();
        if (call_ != CallState::Idle) EndCall(nowMs, call_ == CallState::Ringing);
        return ok;
    }
    if (n == "+CLIP") {
        auto params = ParseParams(c.args);
        if (c.form == Command::Read) {
            ok.lines = {"+CLIP: " + std::string(state_.settings.clip ? "1" : "0") + ",1"};
        } else if (c.form == Command::Test) {
            ok.lines = {"+CLIP: (0-1)"};
        } else if (c.form == Command::Set) {
            auto v = params.size() == 1 ? ToInt(params[0].text) : std::nullopt;
            if (!v || (*v != 0 && *v != 1)) return Error();
            state_.settings.clip = *v == 1;
        } else {
            return Error();
        }
        return ok;
    }
    if (n == "+VTS") {
        if (c.form == Command::Test) {
            ok.lines = {"+VTS: (0-9,#,*,A-D),(1-255)"};
            return ok;
        }
        if (c.form != Command::Set) return Error();
        auto params = ParseParams(c.args);
        if (params.empty() || params.size() > 2 || params[0].text.empty()) return Error();
        for (char ch : params[0].text)
            if (!((ch >= '0' && ch <= '9') || ch == '#' || ch == '*' || (ch >= 'A' && ch <= 'D'))) return Error();
        if (!params[0].quoted && params[0].text.size() != 1) return Error();
        if (call_ != CallState::Active) return CmeError(3);
        return ok;
    }
    if (n == "^SDLD") {
        if (c.form != Command::Exec) return c.form == Command::Test ? ok : Error();
        auto it = state_.phonebooks.find("LD");
        if (it != state_.phonebooks.end()) it->second.entries.clear();
        return ok;
    }
    known = false;
    return Error();
}

}  // namespace phonesim
