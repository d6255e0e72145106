// Calls: dialling, answering, hanging up, tones, the call lists they fill, and
// the world around the phone (incoming calls and messages, broadcasts, the network).

#include "phonesim/command_util.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>

namespace phonesim {

using namespace detail;

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
    if (state_.settings.clip)
        Unsolicited(nowMs, "+CLIP: " + Quote(callNumber_) + "," + std::to_string(callType_));
    Schedule(nowMs + std::max(options_.ringIntervalMs, 100),
             [this, callId](std::int64_t t) { Ring(t, callId); });
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
    const std::string first = memory.empty() ? state_.settings.smsMemories[2] : memory;
    std::vector<std::string> order = {first};
    for (const auto& [id, mem] : state_.smsMemories)
        if (id != first) order.push_back(id);
    for (const auto& id : order) {
        auto it = state_.smsMemories.find(id);
        if (it == state_.smsMemories.end()) continue;
        int index = it->second.FirstFree();
        if (index < 1) continue;
        it->second.messages[index] = StoredSms{0, Upper(pduHex)};
        if (state_.settings.cnmi[1] == 1)
            Unsolicited(nowMs, "+CMTI: " + Quote(id) + "," + std::to_string(index));
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
        // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
        if (status == 1 || status == 5)
            line.append(",").append(Quote(state_.lac)).append(",").append(Quote(state_.cellId));
        Unsolicited(nowMs, line);
    }
}

std::optional<Phone::Answer> Phone::CallCommand(const Command& c, std::int64_t nowMs) {
    static constexpr CommandRow kTable[] = {
        {"D", &Phone::OnDial},       {"A", &Phone::OnAnswer},   {"H", &Phone::OnHangup},
        {"+CHUP", &Phone::OnHangup}, {"+CLIP", &Phone::OnClip}, {"+VTS", &Phone::OnVts},
        {"^SDLD", &Phone::OnSdld},
    };
    return Dispatch(kTable, c, nowMs);
}

// ATD<number>; (a voice call; data calls are refused).
Phone::Answer Phone::OnDial(const Command& c, const Params&, std::int64_t nowMs) {
    Answer ok;
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
    if (!number.empty() && (number[0] == '>' || number[0] == 'l' || number[0] == 'L'))
        return CmeError(3);
    auto ussd = state_.ussd.find(number);
    if (ussd != state_.ussd.end()) {
        // A service code dialled as a number: the network's text comes back as an answer line.
        ok.lines = {ussd->second};
        return ok;
    }
    std::string target =
        number.rfind("#31#", 0) == 0 || number.rfind("*31#", 0) == 0 ? number.substr(4) : number;
    return DialNumber(target, nowMs);
}

// The call itself, once the dial string is a number (caller-id prefix gone).
Phone::Answer Phone::DialNumber(const std::string& target, std::int64_t nowMs) {
    Answer ok;
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

Phone::Answer Phone::OnAnswer(const Command&, const Params&, std::int64_t) {
    Answer ok;
    if (call_ != CallState::Ringing) {
        ok.final = "NO CARRIER";
        return ok;
    }
    AddCallListEntry("RC", callNumber_, callType_);
    call_ = CallState::Active;
    ++callId_;
    return ok;
}

// ATH and AT+CHUP.
Phone::Answer Phone::OnHangup(const Command& c, const Params&, std::int64_t nowMs) {
    Answer ok;
    if (c.name == "+CHUP" && c.form == Command::Test) return ok;
    if (c.name == "+CHUP" && c.form != Command::Exec) return Error();
    if (call_ != CallState::Idle) EndCall(nowMs, call_ == CallState::Ringing);
    return ok;
}

Phone::Answer Phone::OnClip(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
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

Phone::Answer Phone::OnVts(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) {
        ok.lines = {"+VTS: (0-9,#,*,A-D),(1-255)"};
        return ok;
    }
    if (c.form != Command::Set) return Error();
    if (params.empty() || params.size() > 2 || params[0].text.empty()) return Error();
    for (char ch : params[0].text)
        if (!((ch >= '0' && ch <= '9') || ch == '#' || ch == '*' || (ch >= 'A' && ch <= 'D')))
            return Error();
    if (!params[0].quoted && params[0].text.size() != 1) return Error();
    if (call_ != CallState::Active) return CmeError(3);
    return ok;
}

// Clears the list of dialled numbers.
Phone::Answer Phone::OnSdld(const Command& c, const Params&, std::int64_t) {
    Answer ok;
    if (c.form != Command::Exec) return c.form == Command::Test ? ok : Error();
    auto it = state_.phonebooks.find("LD");
    if (it != state_.phonebooks.end()) it->second.entries.clear();
    return ok;
}

}  // namespace phonesim
