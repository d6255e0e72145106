// Diverts, locks and barrings, security codes, price per unit, ringer and alert
// settings, USSD.

#include "phonesim/command_util.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>

namespace phonesim {

using namespace detail;

std::optional<Phone::Answer> Phone::SupplementaryCommand(const Command& c, std::int64_t nowMs) {
    static constexpr CommandRow kTable[] = {
        {"+CCFC", &Phone::OnCcfc}, {"+CLCK", &Phone::OnClck}, {"+CPWD", &Phone::OnCpwd},
        {"+CPUC", &Phone::OnCpuc}, {"+CALM", &Phone::OnCalm}, {"+CVIB", &Phone::OnCvib},
        {"+CRSL", &Phone::OnCrsl}, {"^SRTC", &Phone::OnSrtc}, {"+CUSD", &Phone::OnCusd},
    };
    return Dispatch(kTable, c, nowMs);
}

namespace {

// The classes (voice 1, data 2, fax 4) of a class mask.
std::vector<int> Classes(int mask) {
    std::vector<int> out;
    for (int cls : {1, 2, 4})
        if (mask & cls) out.push_back(cls);
    return out;
}

bool Outgoing(const std::string& barring) {
    return barring == "AO" || barring == "OI" || barring == "OX";
}

}  // namespace

// ---------------------------------------------------------------- diverts

Phone::Answer Phone::OnCcfc(const Command& c, const Params& params, std::int64_t) {
    if (c.form == Command::Test) {
        Answer ok;
        ok.lines = {"+CCFC: (0-5)"};
        return ok;
    }
    if (c.form != Command::Set || params.size() < 2) return Error();
    auto reason = IntParam(params, 0, -1);
    auto mode = IntParam(params, 1, -1);
    auto cls = IntParam(params, 4, 7);
    auto time = IntParam(params, 7, 20);
    if (!reason || !mode || !cls || !time || *reason < 0 || *reason > 5 || *mode < 0 || *mode > 4 ||
        *cls < 1 || *cls > 7)
        return Error();
    if (state_.regStatus != 1 && state_.regStatus != 5) return CmeError(30);
    if (*mode == 2) return DivertQuery(*reason, *cls);
    return DivertChange(params, *reason, *mode, *cls, *time);
}

Phone::Answer Phone::DivertQuery(int reason, int classMask) {
    Answer ok;
    if (reason > 3) return CmeError(3);
    for (int k : Classes(classMask)) {
        const Divert& d = state_.diverts[{reason, k}];
        std::string line = "+CCFC: " + std::string(d.active ? "1" : "0") + "," + std::to_string(k);
        if (d.active) {
            // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
            line.append(",").append(Quote(d.number)).append(",").append(std::to_string(d.type));
            if (reason == 2) line += ",,," + std::to_string(d.time);
        }
        ok.lines.push_back(line);
    }
    return ok;
}

// Modes 0 (off), 1 (on), 3 (register), 4 (erase); reasons 4 and 5 stand for
// all diverts and all conditional ones.
Phone::Answer Phone::DivertChange(const Params& params, int reason, int mode, int classMask,
                                  int time) {
    std::vector<int> reasons;
    if (reason == 4) reasons = {0, 1, 2, 3};
    else if (reason == 5) reasons = {1, 2, 3};
    else reasons = {reason};
    std::string number = params.size() > 2 ? params[2].text : "";
    if (!ValidNumber(number)) return CmeError(27);
    if (mode == 3 && number.empty()) return Error();
    if (reason == 2 || reason >= 4) {
        if (time < 5 || time > 30) return Error();
    }
    for (int r : reasons) {
        for (int k : Classes(classMask)) {
            Divert& d = state_.diverts[{r, k}];
            if (mode == 0) {
                d.active = false;
            } else if (mode == 4) {
                d = Divert{};
            } else {
                if (!number.empty()) {
                    d.number = number;
                    d.type = IntParam(params, 3, number[0] == '+' ? 145 : 129).value_or(145);
                }
                if (d.number.empty()) return CmeError(3);
                if (r == 2 && params.size() > 7 && !params[7].empty) d.time = time;
                d.active = true;
            }
        }
    }
    return Answer{};
}

// ---------------------------------------------------------------- locks and barrings

Phone::Answer Phone::OnClck(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) {
        ok.lines = {
            "+CLCK: "
            "(\"CS\",\"PS\",\"SC\",\"FD\",\"AO\",\"OI\",\"OX\",\"AI\",\"IR\",\"AB\",\"AG\","
            "\"AC\")"};
        return ok;
    }
    if (c.form != Command::Set || params.size() < 2) return Error();
    std::string fac = Upper(params[0].text);
    auto mode = IntParam(params, 1, -1);
    auto cls = IntParam(params, 3, 7);
    if (!mode || !cls || *mode < 0 || *mode > 2 || *cls < 1 || *cls > 7) return Error();
    const bool group = fac == "AB" || fac == "AG" || fac == "AC";
    if (!state_.locks.count(fac) && !group) return Error();
    if (*mode == 2) return group ? CmeError(3) : LockQuery(fac, *cls);
    std::string password = params.size() > 2 ? params[2].text : "";
    std::string owner = IsBarring(fac) || group ? "AB" : fac == "FD" ? "P2" : fac;
    if (fac != "CS")
        if (auto refused = CheckCode(owner, password)) return *refused;
    if (group) {
        if (*mode != 0) return CmeError(3);
        ClearBarringGroup(fac, *cls);
        return ok;
    }
    if (IsBarring(fac)) {
        // The network keeps the barrings: without it nothing changes.
        if (state_.regStatus != 1 && state_.regStatus != 5) return CmeError(30);
        SetBarring(fac, *mode == 1, *cls);
    } else {
        state_.locks[fac] = *mode;
    }
    return ok;
}

Phone::Answer Phone::LockQuery(const std::string& fac, int classMask) {
    Answer ok;
    if (IsBarring(fac)) {
        for (int k : Classes(classMask))
            ok.lines.push_back("+CLCK: " + std::string(state_.locks[fac] & k ? "1" : "0") + "," +
                               std::to_string(k));
    } else {
        ok.lines = {"+CLCK: " + std::to_string(state_.locks[fac] ? 1 : 0)};
    }
    return ok;
}

// "AB" all barrings, "AG" the outgoing ones, "AC" the incoming ones.
void Phone::ClearBarringGroup(const std::string& group, int classMask) {
    for (const char* b : kBarrings) {
        std::string bar = b;
        if (group == "AB" || (group == "AG" && Outgoing(bar)) || (group == "AC" && !Outgoing(bar)))
            state_.locks[bar] &= ~classMask;
    }
}

void Phone::SetBarring(const std::string& fac, bool on, int classMask) {
    if (!on) {
        state_.locks[fac] &= ~classMask;
        return;
    }
    // One barring of a group at a time: switching one on switches the others
    // of its group off for the same classes.
    for (const char* b : kBarrings) {
        std::string bar = b;
        if (bar != fac && Outgoing(bar) == Outgoing(fac)) state_.locks[bar] &= ~classMask;
    }
    state_.locks[fac] |= classMask;
}

// ---------------------------------------------------------------- codes, price, ringer, USSD

Phone::Answer Phone::OnCpwd(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) {
        ok.lines = {
            "+CPWD: "
            "(\"SC\",8),(\"P2\",8),(\"PS\",8),(\"AO\",4),(\"OI\",4),(\"OX\",4),(\"AI\",4),("
            "\"IR\",4),(\"AB\",4)"};
        return ok;
    }
    if (c.form != Command::Set || params.size() != 3) return Error();
    std::string fac = Upper(params[0].text);
    std::string owner = IsBarring(fac) || fac == "AB" || fac == "AG" || fac == "AC" ? "AB" : fac;
    if (owner != "SC" && owner != "P2" && owner != "PS" && owner != "AB") return Error();
    const std::string& oldPw = params[1].text;
    const std::string& newPw = params[2].text;
    // A SIM does not change a PIN that is not asked for.
    if (owner == "SC" && state_.locks["SC"] == 0) return CmeError(3);
    if (auto refused = CheckCode(owner, oldPw)) return *refused;
    std::size_t minLen = 4, maxLen = owner == "AB" ? 4 : 8;
    bool digits =
        std::all_of(newPw.begin(), newPw.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    if (!digits || newPw.size() < minLen || newPw.size() > maxLen) return CmeError(3);
    state_.passwords[owner] = newPw;
    return ok;
}

std::optional<Phone::Answer> Phone::CheckCode(const std::string& owner, const std::string& code) {
    int* tries = owner == "SC" ? &state_.pinTries : owner == "P2" ? &state_.pin2Tries : nullptr;
    if (tries == nullptr) {
        if (code != state_.passwords[owner]) return CmeError(16);
        return std::nullopt;
    }
    if (*tries <= 0) return CmeError(owner == "SC" ? 12 : 18);
    if (code != state_.passwords[owner]) {
        --*tries;
        return CmeError(16);
    }
    *tries = 3;
    return std::nullopt;
}

Phone::Answer Phone::OnCpuc(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) {
        ok.lines = {"+CPUC: " + Quote(state_.currency) + "," + Quote(state_.pricePerUnit)};
    } else if (c.form == Command::Set) {
        if (params.size() < 2 || params.size() > 3) return Error();
        if (params.size() < 3 || params[2].text.empty()) return CmeError(17);
        if (auto refused = CheckCode("P2", params[2].text)) return *refused;
        if (params[0].text.size() > 3) return CmeError(24);
        state_.currency = params[0].text;
        state_.pricePerUnit = params[1].text;
    } else if (c.form != Command::Test) {
        return Error();
    }
    return ok;
}

Phone::Answer Phone::OnCalm(const Command& c, const Params& params, std::int64_t) {
    return NumberSetting(c, params, state_.alertMode, 2, "(0-2)");
}
Phone::Answer Phone::OnCvib(const Command& c, const Params& params, std::int64_t) {
    return NumberSetting(c, params, state_.vibration, 1, "(0-1)");
}
Phone::Answer Phone::OnCrsl(const Command& c, const Params& params, std::int64_t) {
    return NumberSetting(c, params, state_.ringerLevel, 5, "(0-5)");
}

Phone::Answer Phone::OnSrtc(const Command& c, const Params& params, std::int64_t nowMs) {
    Answer ok;
    bool playing = playingSinceMs_ >= 0 && nowMs - playingSinceMs_ < 10000;
    if (!playing) playingSinceMs_ = -1;
    if (c.form == Command::Test) {
        ok.lines = {"^SRTC: (0-" + std::to_string(state_.melodyHighest) + "),(0-" +
                    std::to_string(state_.volumeHighest) + ")"};
    } else if (c.form == Command::Read) {
        ok.lines = {"^SRTC: " + std::to_string(state_.ringerMelody) + "," +
                    std::to_string(state_.ringerVolume) + "," + (playing ? "1" : "0")};
    } else if (c.form == Command::Exec) {
        // Plays the ringer melody, or stops it when it plays.
        playingSinceMs_ = playing ? -1 : nowMs;
    } else {
        auto melody = params.size() == 2 ? ToInt(params[0].text) : std::nullopt;
        auto volume = params.size() == 2 ? ToInt(params[1].text) : std::nullopt;
        if (!melody || !volume || *melody < 0 || *melody > state_.melodyHighest || *volume < 0 ||
            *volume > state_.volumeHighest)
            return Error();
        state_.ringerMelody = *melody;
        state_.ringerVolume = *volume;
    }
    return ok;
}

Phone::Answer Phone::OnCusd(const Command& c, const Params& params, std::int64_t nowMs) {
    Answer ok;
    if (c.form == Command::Read) {
        ok.lines = {"+CUSD: 1"};
        return ok;
    }
    if (c.form == Command::Test) {
        ok.lines = {"+CUSD: (0-2)"};
        return ok;
    }
    if (c.form != Command::Set) return Error();
    auto mode = IntParam(params, 0, 0);
    if (!mode || *mode < 0 || *mode > 2) return Error();
    if (params.size() >= 2 && !params[1].text.empty()) {
        if (state_.regStatus != 1 && state_.regStatus != 5) return CmeError(30);
        auto it = state_.ussd.find(params[1].text);
        std::string line =
            it == state_.ussd.end() ? "+CUSD: 4" : "+CUSD: 0," + Quote(it->second) + ",15";
        UnsolicitedAt(nowMs + options_.answerDelayMs + options_.networkDelayMs, line);
    }
    return ok;
}

}  // namespace phonesim
