#include "engine/receive/final_results.h"

#include "engine/calls/call_actions.h"
#include "engine/chains/connect_chain.h"
#include "engine/chains/echo_actions.h"
#include "engine/chains/general_info_chain.h"
#include "engine/chains/phone_errors.h"
#include "engine/chains/settings_chain.h"
#include "engine/objects/object_actions.h"
#include "engine/receive/phonebook_actions.h"
#include "engine/services/service_actions.h"
#include "engine/session/busy_state.h"
#include "engine/settings/set_commands.h"
#include "engine/sms/sms_actions.h"

#include <array>
#include <span>

namespace parlenko {

namespace {

using ActionTable = std::span<const EchoAction> (*)();

// The action tables of "OK" and "ERROR", in the order their rows run on a
// result: the closing echoes; the calls and the prepaid balance; the
// general-information chain with "AT+CCLK=" between its halves; the connect
// chain and "AT^SMSO"; then the phonebook, SMS, transfer, divert, lock and
// melody actions, among which the other settings' chain and the single set
// commands stand. Rows still open are marked.
constexpr std::array<ActionTable, 13> kResultTables = {
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
    // diverts, barrings, locks, ringer melodies
    ServicesActions,
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

}  // namespace

bool EndUnansweredWrite(EngineContext& ctx, std::string_view command) {
    return EndUnansweredSmsWrite(ctx) || EndUnansweredPhonebookWrite(ctx) ||
           EndUnansweredSetCommand(ctx, command);
}

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind) {
    // The command in flight is answered; whatever follows may write the next.
    auto& rx = ctx.state.Receive;
    if (AnswersCommandInFlight(rx, i)) rx.CommandInFlight.clear();
    if (kind == FinalResultKind::PhoneError) return HandlePhoneError(ctx, i);

    // An "ERROR" ends the exchange whatever it answers.
    if (kind == FinalResultKind::Error) EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    if (kind == FinalResultKind::Error)
        if (const auto step = SmsBodyRefused(ctx, i)) return *step;
    for (ActionTable table : kResultTables)
        if (RunEchoTable(ctx, i, kind, table()) == ScanStep::EndScan) return ScanStep::EndScan;
    return ScanStep::Continue;
}

}  // namespace parlenko
