#include "engine/receive/final_results.h"

#include "engine/calls/call_actions.h"
#include "engine/general/general_info_chain.h"
#include "engine/melodies/melody_actions.h"
#include "engine/objects/object_actions.h"
#include "engine/phonebook/phonebook_actions.h"
#include "engine/receive/echo_actions.h"
#include "engine/receive/line_intake.h"
#include "engine/receive/phone_errors.h"
#include "engine/services/service_actions.h"
#include "engine/core/busy_state.h"
#include "engine/session/connect_chain.h"
#include "engine/settings/set_commands.h"
#include "engine/settings/settings_chain.h"
#include "engine/sms/sms_actions.h"

#include <algorithm>
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

// Runs onRefused of every row for hit.echo: the operation that owns the
// exchange ends, silently.
ScanStep EndRefusedOperation(EngineContext& ctx, const EchoHit& hit) {
    for (ActionTable table : kResultTables)
        if (RunRefusedActions(ctx, table(), hit) == ScanStep::EndScan) return ScanStep::EndScan;
    return ScanStep::Continue;
}

// The onPhoneError of the rows for hit.echo, in the tables' order: the step
// of the row that took the error over; nullopt when none did.
std::optional<ScanStep> RunPhoneErrorRows(EngineContext& ctx, const EchoHit& hit) {
    for (ActionTable table : kResultTables)
        if (const auto step = RunPhoneErrorActions(ctx, table(), hit)) return step;
    return std::nullopt;
}

ScanStep HandleRefusal(EngineContext& ctx, int i) {
    const EchoHit hit = TakeRefusal(ctx, i);
    if (hit.code || !hit.reason.empty())
        if (const auto step = RunPhoneErrorRows(ctx, hit)) return *step;
    return RefuseCommand(ctx, hit);
}

// "OK" under the echo of the command in flight that no row could read.
ScanStep OkNotUnderstood(EngineContext& ctx, int i, int echoEntry) {
    auto& lines = Lines(ctx);
    EchoHit hit;
    hit.result = i;
    hit.echoEntry = echoEntry;
    hit.echo = lines.At(echoEntry);
    lines.Blank(echoEntry);
    return RefuseCommand(ctx, hit);
}

}  // namespace

bool IsChainCommand(std::string_view command) {
    constexpr std::array<ActionTable, 4> kChains = {ConnectChainActions, GeneralInfoActionsToClock,
                                                    GeneralInfoActionsAfterClock,
                                                    SettingsChainActions};
    return command == "ATZ" ||
           std::any_of(kChains.begin(), kChains.end(),
                       [command](ActionTable table) { return HasRowFor(table(), command); });
}

bool EndUnansweredWrite(EngineContext& ctx) {
    return EndUnansweredSmsWrite(ctx) || EndUnansweredPhonebookWrite(ctx);
}

bool IsKnownCommand(std::string_view command) {
    return std::any_of(kResultTables.begin(), kResultTables.end(),
                       [command](ActionTable table) { return HasRowFor(table(), command); });
}

ScanStep RefuseCommand(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    const auto generation = Lines(ctx).Generation();
    if (EndRefusedOperation(ctx, hit) == ScanStep::EndScan) return ScanStep::EndScan;
    for (ActionTable table : kResultTables) {
        if (const auto step = RunErrorRow(ctx, table(), hit)) {
            if (Lines(ctx).Generation() != generation) return ScanStep::EndScan;
            return *step;
        }
    }
    ShowRefusal(ctx, hit, {});
    return ScanStep::Continue;
}

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind) {
    // The command in flight is answered; whatever follows may write the next.
    auto& rx = ctx.state.Receive;
    const int echoEntry = EchoEntryAbove(rx.RxLines, i, rx.CommandEntry, rx.CommandInFlight);
    if (echoEntry >= 0) rx.CommandInFlight.clear();
    if (kind != FinalResultKind::Ok) return HandleRefusal(ctx, i);

    auto& lines = rx.RxLines;
    const auto generation = lines.Generation();
    lines.Blank(i);
    for (ActionTable table : kResultTables)
        if (RunOkRows(ctx, i, table()) == ScanStep::EndScan) return ScanStep::EndScan;
    // A row that read the exchange blanked the echo.
    if (echoEntry >= 0 && lines.Generation() == generation && !lines.IsBlank(echoEntry) &&
        IsKnownCommand(lines.At(echoEntry)))
        return OkNotUnderstood(ctx, i, echoEntry);
    return ScanStep::Continue;
}

}  // namespace parlenko
