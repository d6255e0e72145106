#include "engine/conversation/final_results.h"

#include "engine/conversation/echo_actions.h"
#include "engine/conversation/line_intake.h"
#include "engine/conversation/phone_errors.h"
#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"

#include <algorithm>
#include <span>

namespace parlenko {

namespace {

// The topics' action tables, in the order their rows run on a result.
const std::vector<TopicRegistry::Table>& Tables(EngineContext& ctx) { return Registry(ctx).tables; }

// Runs onRefused of every row for hit.echo: the operation that owns the
// exchange ends, silently.
ScanStep EndRefusedOperation(EngineContext& ctx, const EchoHit& hit) {
    for (const auto& table : Tables(ctx))
        if (RunRefusedActions(ctx, table.rows, hit) == ScanStep::EndScan) return ScanStep::EndScan;
    return ScanStep::Continue;
}

// The onPhoneError of the rows for hit.echo, in the tables' order: the step
// of the row that took the error over; nullopt when none did.
std::optional<ScanStep> RunPhoneErrorRows(EngineContext& ctx, const EchoHit& hit) {
    for (const auto& table : Tables(ctx))
        if (const auto step = RunPhoneErrorActions(ctx, table.rows, hit)) return step;
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

bool IsChainCommand(EngineContext& ctx, std::string_view command) {
    const auto& tables = Tables(ctx);
    return command == "ATZ" || std::any_of(tables.begin(), tables.end(), [command](const auto& t) {
               return t.chain && HasRowFor(t.rows, command);
           });
}

bool EndUnansweredWrite(EngineContext& ctx) {
    const auto& writes = Registry(ctx).unansweredWrites;
    return std::any_of(writes.begin(), writes.end(), [&ctx](auto end) { return end(ctx); });
}

bool IsKnownCommand(EngineContext& ctx, std::string_view command) {
    const auto& tables = Tables(ctx);
    return std::any_of(tables.begin(), tables.end(),
                       [command](const auto& t) { return HasRowFor(t.rows, command); });
}

ScanStep RefuseCommand(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    const auto generation = Lines(ctx).Generation();
    if (EndRefusedOperation(ctx, hit) == ScanStep::EndScan) return ScanStep::EndScan;
    for (const auto& table : Tables(ctx)) {
        if (const auto step = RunErrorRow(ctx, table.rows, hit)) {
            if (Lines(ctx).Generation() != generation) return ScanStep::EndScan;
            return *step;
        }
    }
    // A command whose rows say nothing of a refusal (the reset's "ATZ")
    // passes every error form as it passes "ERROR": silently. Only a
    // refusal of a command no row knows names the phone's reason.
    if (!IsKnownCommand(ctx, hit.echo)) ShowRefusal(ctx, hit, {});
    return ScanStep::Continue;
}

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind) {
    ctx.state.Chain.ResultSinceReset = true;
    // The command in flight is answered; whatever follows may write the next.
    auto& rx = ctx.state.Receive;
    const int echoEntry = EchoEntryAbove(rx.RxLines, i, rx.CommandEntry, rx.CommandInFlight);
    if (echoEntry >= 0) rx.CommandInFlight.clear();
    if (kind != FinalResultKind::Ok) return HandleRefusal(ctx, i);

    auto& lines = rx.RxLines;
    const auto generation = lines.Generation();
    lines.Blank(i);
    for (const auto& table : Tables(ctx))
        if (RunOkRows(ctx, i, table.rows) == ScanStep::EndScan) return ScanStep::EndScan;
    // A row that read the exchange blanked the echo.
    if (echoEntry >= 0 && lines.Generation() == generation && !lines.IsBlank(echoEntry) &&
        IsKnownCommand(ctx, lines.At(echoEntry)))
        return OkNotUnderstood(ctx, i, echoEntry);
    return ScanStep::Continue;
}

}  // namespace parlenko
