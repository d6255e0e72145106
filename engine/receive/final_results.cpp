#include "engine/receive/final_results.h"

#include "engine/calls/call_actions.h"
#include "engine/general/general_info_chain.h"
#include "engine/melodies/melody_actions.h"
#include "engine/objects/object_actions.h"
#include "engine/phonebook/phonebook_actions.h"
#include "engine/receive/echo_actions.h"
#include "engine/receive/phone_errors.h"
#include "engine/services/service_actions.h"
#include "engine/session/busy_state.h"
#include "engine/session/connect_chain.h"
#include "engine/settings/set_commands.h"
#include "engine/settings/settings_chain.h"
#include "engine/sms/sms_actions.h"

#include <array>
#include <span>

namespace parlenko {

namespace {

using ActionTable = std::span<const EchoAction> (*)();

// The topics' action tables, in the order their rows run on a result: the
// closing echoes; the calls and the prepaid balance; the general-information
// chain with "AT+CCLK=" between its halves; the connect chain and
// "AT^SMSO"; then the phonebook, SMS, transfer, divert, lock and melody
// actions, the other settings' chain and the single set commands. The same
// order holds for a refusal's rows and a phone error's.
constexpr std::array<ActionTable, 14> kResultTables = {
    ClosingEchoActions,
    CallActions,
    GeneralInfoActionsToClock,
    ClockSetActions,
    GeneralInfoActionsAfterClock,
    ConnectChainActions,
    SwitchOffActions,
    PhonebookActions,
    // SMS: memory selection, read, store, send, delete, the body after "> "
    SmsActions,
    ObjectActions,
    // diverts, barrings, locks; ringer melodies
    ServicesActions,
    MelodyActions,
    SettingsChainActions,
    SetCommandActions,
};

// The result at entry i answers the command in flight: its echo stands
// above i, no higher than where the command's answer began. A result of a
// command written earlier (a page that started an operation before the
// answer of the last one came) leaves it in flight.
bool AnswersCommandInFlight(const ReceiveState& rx, int i) {
    if (rx.CommandInFlight.empty()) return false;
    for (int k = rx.RxLines.Above(i, 1); k >= 0 && k >= rx.CommandEntry; k = rx.RxLines.Above(k, 1))
        if (rx.RxLines.Is(k, rx.CommandInFlight)) return true;
    return false;
}

// An "ERROR" ends the operation of the command it refused; the command's
// text follows from its row of the tables.
ScanStep EndOperationOfError(EngineContext& ctx, int i) {
    const auto& lines = ctx.state.Receive.RxLines;
    const int command = RefusedCommandEntry(lines, i);
    return EndRefusedOperation(ctx, lines.At(command), command != lines.Above(i, 2));
}

}  // namespace

bool EndUnansweredWrite(EngineContext& ctx, std::string_view command) {
    return EndUnansweredSmsWrite(ctx) || EndUnansweredPhonebookWrite(ctx) ||
           EndUnansweredSetCommand(ctx, command);
}

ScanStep EndRefusedOperation(EngineContext& ctx, const std::string& echo, bool body) {
    EchoHit hit;
    hit.echo = echo;
    hit.body = body;
    for (ActionTable table : kResultTables)
        if (RunRefusedActions(ctx, table(), hit) == ScanStep::EndScan) return ScanStep::EndScan;
    return ScanStep::Continue;
}

std::optional<ScanStep> RunPhoneErrorRows(EngineContext& ctx, const EchoHit& hit) {
    for (ActionTable table : kResultTables)
        if (const auto step = RunPhoneErrorActions(ctx, table(), hit)) return step;
    return std::nullopt;
}

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind) {
    // The command in flight is answered; whatever follows may write the next.
    auto& rx = ctx.state.Receive;
    if (AnswersCommandInFlight(rx, i)) rx.CommandInFlight.clear();
    if (kind == FinalResultKind::PhoneError) return HandlePhoneError(ctx, i);

    // An "ERROR" ends the exchange whatever it answers.
    if (kind == FinalResultKind::Error) EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    if (kind == FinalResultKind::Error && EndOperationOfError(ctx, i) == ScanStep::EndScan)
        return ScanStep::EndScan;
    for (ActionTable table : kResultTables)
        if (RunEchoTable(ctx, i, kind, table()) == ScanStep::EndScan) return ScanStep::EndScan;
    return ScanStep::Continue;
}

}  // namespace parlenko
