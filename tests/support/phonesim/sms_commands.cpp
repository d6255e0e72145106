// SMS in PDU mode: memories, reading, storing, sending, deleting, notices.

#include "phonesim/command_util.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>

namespace phonesim {

using namespace detail;

// ---------------------------------------------------------------- SMS

void Phone::CheckOverflow(std::int64_t nowMs) {
    bool full = !state_.smsMemories.empty();
    for (const auto& [id, mem] : state_.smsMemories)
        if (mem.FirstFree() >= 1) full = false;
    int stateNow = full ? std::max(overflowState_, 1) : 0;
    if (stateNow != overflowState_) {
        overflowState_ = stateNow;
        if (state_.settings.smgo == 1)
            Unsolicited(nowMs, "^SMGO: 1," + std::to_string(overflowState_));
    }
}

std::optional<Phone::Answer> Phone::SmsCommand(const Command& c, std::int64_t nowMs) {
    static constexpr CommandRow kTable[] = {
        {"+CMGF", &Phone::OnCmgf},     {"+CSMS", &Phone::OnCsms},     {"+CPMS", &Phone::OnCpms},
        {"+CMGR", &Phone::OnCmgr},     {"+CMGL", &Phone::OnCmgl},     {"+CMGD", &Phone::OnCmgd},
        {"+CMGW", &Phone::OnCmgsCmgw}, {"+CMGS", &Phone::OnCmgsCmgw}, {"+CMSS", &Phone::OnCmss},
        {"+CNMI", &Phone::OnCnmi},     {"+CSCA", &Phone::OnCsca},     {"+CSCB", &Phone::OnCscb},
        {"^SMGO", &Phone::OnSmgo},
    };
    return Dispatch(kTable, c, nowMs);
}

SmsMemory* Phone::ChosenSmsMemory(int which) {
    auto it = state_.smsMemories.find(state_.settings.smsMemories[static_cast<std::size_t>(which)]);
    return it == state_.smsMemories.end() ? nullptr : &it->second;
}

Phone::Answer Phone::OnCmgf(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) ok.lines = {"+CMGF: " + std::to_string(state_.settings.cmgf)};
    else if (c.form == Command::Test) ok.lines = {"+CMGF: (0)"};
    else if (c.form == Command::Set) {
        auto v = params.empty() ? std::optional<int>(0) : ToInt(params[0].text);
        if (!v) return Error();
        if (*v != 0) return CmsError(303);  // PDU mode only
    } else return Error();
    return ok;
}

Phone::Answer Phone::OnCsms(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) ok.lines = {"+CSMS: 0,1,1,1"};
    else if (c.form == Command::Test) ok.lines = {"+CSMS: (0,1)"};
    else if (c.form == Command::Set) {
        auto v = params.empty() ? std::nullopt : ToInt(params[0].text);
        if (!v || (*v != 0 && *v != 1)) return Error();
        ok.lines = {"+CSMS: 1,1,1"};
    } else return Error();
    return ok;
}

Phone::Answer Phone::OnCpms(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    auto counts = [&](int which) {
        SmsMemory* m = ChosenSmsMemory(which);
        return std::to_string(m ? m->messages.size() : 0) + "," +
               std::to_string(m ? m->capacity : 0);
    };
    if (c.form == Command::Test) {
        std::string list;
        // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
        for (const auto& [id, mem] : state_.smsMemories)
            list.append(list.empty() ? "" : ",").append(Quote(id));
        ok.lines = {"+CPMS: (" + list + "),(" + list + "),(" + list + ")"};
        return ok;
    }
    if (c.form == Command::Read) {
        std::string line = "+CPMS: ";
        for (int k = 0; k < 3; ++k)
            line.append(k ? "," : "")
                .append(Quote(state_.settings.smsMemories[static_cast<std::size_t>(k)]))
                .append(",")
                .append(counts(k));
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

Phone::Answer Phone::OnCmgr(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Test) return ok;
    if (c.form != Command::Set || params.size() != 1) return Error();
    auto index = ToInt(params[0].text);
    if (!index) return Error();
    SmsMemory* m = ChosenSmsMemory(0);
    if (!m || *index < 1 || *index > m->capacity) return CmsError(321);
    auto it = m->messages.find(*index);
    if (it == m->messages.end()) {
        // An empty position answers a header without a PDU.
        ok.lines = {"+CMGR: 0,,0"};
        return ok;
    }
    auto sizes = MeasurePdu(it->second.pdu);
    ok.lines = {"+CMGR: " + std::to_string(it->second.status) + ",," +
                    std::to_string(sizes ? sizes->tpduOctets : 0),
                it->second.pdu};
    if (it->second.status == 0) it->second.status = 1;
    return ok;
}

Phone::Answer Phone::OnCmgl(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
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
    SmsMemory* m = ChosenSmsMemory(0);
    if (!m) return CmsError(302);
    for (auto& [index, sms] : m->messages) {
        if (stat != 4 && sms.status != stat) continue;
        auto sizes = MeasurePdu(sms.pdu);
        ok.lines.push_back("+CMGL: " + std::to_string(index) + "," + std::to_string(sms.status) +
                           ",," + std::to_string(sizes ? sizes->tpduOctets : 0));
        ok.lines.push_back(sms.pdu);
        if (sms.status == 0) sms.status = 1;
    }
    return ok;
}

Phone::Answer Phone::OnCmgd(const Command& c, const Params& params, std::int64_t nowMs) {
    Answer ok;
    if (c.form == Command::Test) return ok;
    if (c.form != Command::Set || params.empty() || params.size() > 2) return Error();
    auto index = ToInt(params[0].text);
    if (!index) return Error();
    SmsMemory* m = ChosenSmsMemory(0);
    if (!m || *index < 1 || *index > m->capacity) return CmsError(321);
    m->messages.erase(*index);
    CheckOverflow(nowMs);
    return ok;
}

// Both take the PDU after a "> " prompt (FinishBody); here only the checks.
Phone::Answer Phone::OnCmgsCmgw(const Command& c, const Params& params, std::int64_t) {
    if (c.form == Command::Test) return Answer{};
    if (c.form != Command::Set || params.empty() || params.size() > 2) return Error();
    auto length = ToInt(params[0].text);
    if (!length || *length < 1 || *length > 164) return CmsError(304);
    if (c.name == "+CMGW") {
        SmsMemory* m = ChosenSmsMemory(1);
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

Phone::Answer Phone::OnCmss(const Command& c, const Params& params, std::int64_t nowMs) {
    Answer ok;
    if (c.form == Command::Test) return ok;
    if (c.form != Command::Set || params.empty() || params.size() > 3) return Error();
    auto index = ToInt(params[0].text);
    if (!index) return Error();
    SmsMemory* m = ChosenSmsMemory(1);
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

Phone::Answer Phone::OnCnmi(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) {
        const auto& v = state_.settings.cnmi;
        ok.lines = {"+CNMI: " + std::to_string(v[0]) + "," + std::to_string(v[1]) + "," +
                    std::to_string(v[2]) + "," + std::to_string(v[3]) + "," + std::to_string(v[4])};
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

Phone::Answer Phone::OnCsca(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
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

Phone::Answer Phone::OnCscb(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) {
        ok.lines = {"+CSCB: " + std::to_string(state_.cbMode) + "," + Quote(state_.cbMids) + "," +
                    Quote(state_.cbDcss)};
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

Phone::Answer Phone::OnSmgo(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    if (c.form == Command::Read) {
        ok.lines = {"^SMGO: " + std::to_string(state_.settings.smgo) + "," +
                    std::to_string(overflowState_)};
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
    Schedule(nowMs + options_.statusReportDelayMs,
             [this, reference, recipient, sentAt](std::int64_t t) {
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
        Enqueue(
            "\r\n+CDS: " + std::to_string(sizes ? sizes->tpduOctets : 0) + "\r\n" + pdu + "\r\n",
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

}  // namespace phonesim
