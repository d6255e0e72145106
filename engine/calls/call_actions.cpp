#include "engine/calls/call_actions.h"

#include "engine/core/strings.h"
#include "engine/conversation/outcome_actions.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/core/indicators.h"
#include "engine/text/balance_amount.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/call_lists_view.h"
#include "engine/calls/calls_view.h"
#include "engine/calls/calls_state.h"
#include "engine/conversation/command_lines.h"
#include "engine/calls/call_commands.h"

#include <array>

namespace parlenko {

namespace {

constexpr char kInvalidNumber[] =
    "Invalid phone number!\r\rValid characters are:\r--------------------------------\r"
    "   Numbers:   '0 - 9'\r   Other:  '+', '*' and '#'\r--------------------------------";
constexpr char kInvalidTones[] =
    "Invalid DTMF tones!\r\rValid characters are:\r--------------------------------\r"
    "   Numbers:   '0 - 9'\r   Letters:   'A', 'B', 'C' and 'D'\r   Other:  '*' and '#'\r"
    "--------------------------------";
constexpr char kInvalidDuration[] = "Tone duration must be from 1 to 255!";

void KeepParty(EngineContext& ctx, const std::string& name, const std::string& number) {
    Call(ctx).PartyName = name;
    Call(ctx).PartyNumber = number;
}

// "OK" right under "ATD" or "ATA": the call is up; the call window shows
// the party kept when the command was sent.
ScanStep CallUp(EngineContext& ctx, const EchoHit&) {
    auto& call = Call(ctx);
    call.InCall = true;
    ViewOf<ICallsView>(ctx).SetDialButtonEnabled(false);
    EndBusy(ctx);
    const std::string name = call.PartyName;
    const std::string number = call.PartyNumber;
    ViewOf<ICallsView>(ctx).ShowTalkingWindow(name, number);
    return ScanStep::Continue;
}

ScanStep HungUp(EngineContext& ctx, const EchoHit&) {
    Call(ctx).InCall = false;
    ViewOf<ICallsView>(ctx).SetDialButtonEnabled(true);
    EndBusy(ctx);
    ViewOf<ICallsView>(ctx).CloseNewCallNotice();
    NewCallNotice(ctx) = {};
    ViewOf<ICallsView>(ctx).CloseTalkingWindow();
    ctx.host.ShowStatusMessage("Disconnected!");
    return ScanStep::Continue;
}

// The prepaid balances of the two operators whose service codes answer with
// one text line: the dialled code, the text the answer begins with, and the
// balance window's caption.
struct BalanceFormat {
    std::string_view dial;
    std::string_view text;
    std::string_view caption;
};
constexpr std::array<BalanceFormat, 2> kBalanceFormats = {{
    {"ATD*101#;", "VIPme saldo:", "VIPme saldo"},
    {"ATD*100#;", "Na racunu imate", "SIMPA kredit"},
}};

bool BeginsWithText(std::string_view answer, std::string_view text) {
    if (!answer.empty() && answer.front() == '"') answer.remove_prefix(1);
    return StartsWith(answer, text);
}

// A dial answered with a line (a service code): a known balance text opens
// the balance window; any other answer ends the exchange without a word.
ScanStep DialAnswered(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    for (const auto& f : kBalanceFormats) {
        if (hit.echo != f.dial || !BeginsWithText(hit.answer, f.text)) continue;
        ViewOf<ICallsView>(ctx).ShowBalanceWindow(std::string(f.caption),
                                                  KeepDigitsAndSeparators(hit.answer) + " kn");
        break;
    }
    return ScanStep::Continue;
}

ScanStep DialledCallsDeletedOk(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    PhonebookRead(ctx).Calls.Rows[static_cast<std::size_t>(CallListView::Dialled)].clear();
    ViewOf<ICallListsView>(ctx).DialledCallsDeleted();
    ctx.host.ShowStatusMessage("All dialled calls succesfully deleted from mobile!");
    return ScanStep::Continue;
}

constexpr char kDialFailed[] = "Error occured while trying to\rdial phone number!";
constexpr char kAnswerFailed[] = "Error occured while trying to\ranswer to call!";
constexpr char kTonesFailed[] = "Error occured while trying to\rsend DTMF tones!";
constexpr char kError[] = "Error";
constexpr char kHangUpFailed[] = "Error occured while trying to hang up!\r\rTry again?";
constexpr char kDeleteFailed[] =
    "Error occured while trying to\rdelete dialled calls!\r\rTry again?";

const std::array kCallActions = {
    // A dial's "OK" right under it: the call is up; a service code answers
    // with a line first.
    EchoAction{.echo = "ATD",
               .compare = kPrefix,
               .onOk = {At(2, CallUp), At(4, DialAnswered)},
               .onError = FailsWith<kDialFailed>},
    EchoAction{.echo = "AT+CHUP",
               .compare = kPrefix,
               .onOk = {At(2, HungUp)},
               .onError = AsksToRetry<kError, kHangUpFailed, SendAtChup>},
    EchoAction{.echo = "ATA",
               .compare = kPrefix,
               .onOk = {At(2, CallUp)},
               .onError = FailsWith<kAnswerFailed>},
    EchoAction{.echo = "AT+VTS=",
               .compare = kPrefix,
               .onOk = {At(2, EndsQuietly)},
               .onError = FailsWith<kTonesFailed>},
    EchoAction{.echo = "AT^SDLD",
               .onOk = {At(2, DialledCallsDeletedOk)},
               .onError = AsksToRetry<kError, kDeleteFailed, SendAtSdld>},
};

}  // namespace

void DialNumber(EngineContext& ctx, const std::string& name, const std::string& number,
                bool hideNumber) {
    if (!ctx.port.Connected()) return;
    if (number.empty() || !IsValidNumber(number)) {
        ShowError(ctx, kInvalidNumber);
        return;
    }
    KeepParty(ctx, name, number);
    SendAtDial(ctx, hideNumber ? "#31#" + number : number);
}

void AnswerCall(EngineContext& ctx, const std::string& name, const std::string& number) {
    if (!ctx.port.Connected()) return;
    ClearNewCall(ctx);
    KeepParty(ctx, name, number);
    SendAtAnswer(ctx);
}

void RejectCall(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ClearNewCall(ctx);
    SendAtChup(ctx);
}

void HangUpCall(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    SendAtChup(ctx);
}

void SendDtmfTone(EngineContext& ctx, std::string_view tone, int duration) {
    if (!ctx.port.Connected()) return;
    if (tone.size() != 1 || !AreDtmfTones(tone)) {
        ShowError(ctx, kInvalidTones);
        return;
    }
    if (duration < 1 || duration > 255) {
        ShowError(ctx, kInvalidDuration);
        return;
    }
    SendAtVtsTone(ctx, tone, duration);
}

void SendDtmfTones(EngineContext& ctx, std::string_view tones) {
    if (!ctx.port.Connected()) return;
    if (!AreDtmfTones(tones)) {
        ShowError(ctx, kInvalidTones);
        return;
    }
    SendAtVtsString(ctx, tones);
}

bool AreDtmfTones(std::string_view tones) { return !tones.empty() && at::IsDtmfText(tones); }

void DeleteDialledCalls(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    SendAtSdld(ctx);
}

std::span<const EchoAction> CallActions() { return kCallActions; }

}  // namespace parlenko
