#include "engine/conversation/exchange_timeout.h"

#include "engine/conversation/communication_error.h"
#include "engine/conversation/connection.h"
#include "engine/conversation/echo_actions.h"
#include "engine/conversation/final_results.h"
#include "engine/conversation/line_intake.h"
#include "engine/conversation/quiet_starts.h"
#include "engine/conversation/running_reads.h"
#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/conversation/command_send.h"

#include <algorithm>
#include <utility>

namespace parlenko {

namespace {

constexpr char kUnknownError[] =
    "Unknown error occurred while trying\rto read data from mobile!\r\rPlease, try againg!!!";

// Every operation that waits for an answer is given up: a flag left set
// would otherwise make a later, unrelated memory selection write, delete or
// read something. A restore run ends here, and tells its outcome.
void EndPendingOperations(EngineContext& ctx) {
    for (auto end : Registry(ctx).ended) end(ctx);
}

// The phone was reset at connect and never answered: nothing is on the
// port. Say so once and close it rather than show a connection that does
// not exist. True when it did.
bool NoPhoneAtConnect(EngineContext& ctx) {
    if (!ctx.state.Chain.AwaitingFirstAnswer) return false;
    ctx.state.Chain.AwaitingFirstAnswer = false;
    if (!ctx.port.Connected()) return false;
    ReportCommunicationError(ctx);
    ctx.state.Receive.RxLines.Reset();
    return true;
}

// The reset's commands were echoed but none got a result: the phone takes
// what it is sent for the body of a command that prompted before the port
// was opened (a program that stopped there). The time-out's ESC has freed
// it: the reset runs again, once. True when it did.
bool ResetAgainAfterBody(EngineContext& ctx, const std::string& unanswered, bool echoed) {
    auto& chain = ctx.state.Chain;
    if (!echoed || chain.ResultSinceReset || chain.ResetRepeated || !ctx.port.Connected())
        return false;
    if (unanswered != "ATZ" && unanswered != "ATE1") return false;
    chain.ResetRepeated = true;
    ResetModem(ctx);
    return true;
}

bool UploadRuns(EngineContext& ctx) {
    const auto& uploads = Registry(ctx).uploads;
    return std::any_of(uploads.begin(), uploads.end(), [&ctx](auto runs) { return runs(ctx); });
}

// A read stopped halfway: the user is told (not during the store
// exchanges, whose window stays). True when there was one.
bool ReportStalledRead(EngineContext& ctx) {
    if (!StopRunningReads(ctx)) return false;
    ShowError(ctx, kUnknownError);
    return true;
}

// The command got no answer: it is refused as the phone would have, its
// failure text said. False for a command no table knows.
bool RefuseUnanswered(EngineContext& ctx, const std::string& command) {
    if (!IsKnownCommand(ctx, command)) return false;
    EchoHit hit;
    hit.result = -1;
    hit.echoEntry = -1;
    hit.echo = command;
    hit.silent = true;
    RefuseCommand(ctx, hit);
    return true;
}

// Ends what the unanswered command belonged to, with one message.
void EndUnansweredExchange(EngineContext& ctx, const std::string& unanswered) {
    if (!unanswered.empty() && IsChainCommand(ctx, unanswered)) {
        ReportNoAnswer(ctx, unanswered);
        return;
    }
    // An entry or message write in flight says what it could not write (a
    // restore run tells its outcome on the wizard's page).
    if (!unanswered.empty() && EndUnansweredWrite(ctx)) return;
    // An upload the phone never prompted for (or never confirmed) could not
    // send its packet.
    if (!unanswered.empty() && UploadRuns(ctx) && RefuseUnanswered(ctx, unanswered)) return;
    if (ReportStalledRead(ctx)) return;
    // A setting, a call command, a query of its own: its failure text.
    if (!unanswered.empty()) RefuseUnanswered(ctx, unanswered);
}

}  // namespace

void RestartTimeOut(EngineContext& ctx) { ctx.timers.TimeOutTimer->Start(); }

void ExchangeTimeOut(EngineContext& ctx) {
    ctx.timers.TimeOutTimer->Stop();
    auto& rx = ctx.state.Receive;
    const bool echoed =
        EchoEntryAbove(rx.RxLines, rx.RxLines.Size(), rx.CommandEntry, rx.CommandInFlight) >= 0;
    const std::string unanswered = std::exchange(rx.CommandInFlight, {});
    // Both port buffers are purged around the ESC: what waits to go out is
    // dropped before it (a purge of the output after it could drop the ESC
    // itself), what came in is dropped after it.
    const bool open = ctx.port.Connected();
    if (open) ctx.port.FlushBuffers(false, true);
    if (open) SendAtEscape(ctx);
    // The ESC found the port gone: the communication error has ended the
    // exchange and said so; nothing more is said.
    if (open && !ctx.port.Connected()) return;
    if (open) ctx.port.FlushBuffers(true, false);
    EndBusy(ctx);
    rx.RxLines.BlankAll();

    if (ResetAgainAfterBody(ctx, unanswered, echoed)) return;
    if (NoPhoneAtConnect(ctx)) {
        EndPendingOperations(ctx);
        return;
    }
    EndUnansweredExchange(ctx, unanswered);
    EndPendingOperations(ctx);
    StopRunningReads(ctx);
    // Nothing is in flight any more: work that waited (a new message, a
    // read, the refresh) starts.
    if (rx.Depth == 0) {
        for (auto serve : Registry(ctx).idle) serve(ctx);
        ServeQuietStarts(ctx);
    }
}

}  // namespace parlenko
